// Feeds arbitrary bytes to the OPML reader, as a damaged or hostile file
// chosen for Import List would: it either refuses with a message or gives
// an outline whose depths never jump (OPML nests one level at a time), and
// whose lines for the import hold no line ends in an item's text.
#include <cstdint>
#include <cstdlib>

#include "exchange/outline_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OutlineDocument outline;
    std::u16string message;
    int read = readOpml(reinterpret_cast<const char*>(data), size, &outline, &message);
    if (read != (message.empty() ? 1 : 0)) std::abort();
    int previous = -1;
    for (const OutlineRow& row : outline.rows) {
        if (row.depth < 0 || row.depth > previous + 1 || row.depth >= OUTLINE_MAX_DEPTH) std::abort();
        previous = row.depth;
    }
    for (const ImportLine& line : importLinesOf(outline))
        if (!line.note && line.text.find_first_of(u"\r\n\t") != std::u16string::npos) std::abort();
    return 0;
}
