#include "common/trim_spaces.h"

#include <cstdlib>
#include <string>

#include "common/message_dialog.h"

namespace {

void* defaultAllocator(size_t bytes) { return std::malloc(bytes); }

TrimSpacesAllocator allocator = defaultAllocator;

}  // namespace

TrimSpacesAllocator setTrimSpacesAllocator(TrimSpacesAllocator replacement) {
    TrimSpacesAllocator previous = allocator;
    allocator = replacement ? replacement : defaultAllocator;
    return previous;
}

void trimSpaces(WCHAR* text) {
    if (!text) return;
    size_t length = std::char_traits<WCHAR>::length(text);
    WCHAR* copy = static_cast<WCHAR*>(allocator((length + 1) * sizeof(WCHAR)));
    if (!copy) {
        messageDialog(nullptr, u"Could not allocate memory for trimSpaces!", u"Error", MD_STYLE_OK);
        return;
    }
    std::char_traits<WCHAR>::copy(copy, text, length + 1);

    // Trailing blanks go first, so a text of blanks ends up empty before the
    // leading pass looks at it.
    size_t end = length;
    while (end > 0 && copy[end - 1] == u' ') --end;
    copy[end] = 0;
    size_t start = 0;
    while (start < end && copy[start] == u' ') ++start;

    std::char_traits<WCHAR>::move(text, copy + start, end - start);
    text[end - start] = 0;
    std::free(copy);
}
