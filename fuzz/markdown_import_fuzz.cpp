// Feeds arbitrary bytes to the Markdown reader, as a damaged or hostile
// file chosen for Import List would: it either refuses with a message or
// gives at least one row, none nested beyond the limit, and lines for the
// import whose item texts hold no line ends.
#include <cstdint>
#include <cstdlib>

#include "exchange/outline_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OutlineDocument outline;
    std::u16string message;
    int read = readMarkdown(reinterpret_cast<const char*>(data), size, &outline, &message);
    if (read != (message.empty() ? 1 : 0)) std::abort();
    if (read && outline.rows.empty()) std::abort();
    for (const OutlineRow& row : outline.rows)
        if (row.depth < 0 || row.depth > OUTLINE_MAX_DEPTH + 6) std::abort();
    for (const ImportLine& line : importLinesOf(outline))
        if (!line.note && line.text.find_first_of(u"\r\n\t") != std::u16string::npos) std::abort();
    return 0;
}
