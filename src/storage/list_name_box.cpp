#include "storage/list_name_box.h"

#include "wcrt.h"

int ListNameBox::find(const WCHAR* name) {
    if (!name) return -1;
    // List names hold at most 39 characters; a longer entry is none of them.
    enum { ROOM = 64 };
    WCHAR entry[ROOM];
    const int n = count();
    for (int i = 0; i < n; ++i)
        if (textAt(i, entry, ROOM) && _wcsicmp(entry, name) == 0) return i;
    return -1;
}
