// The list-name box as storage sees it: the sorted combo box of the main
// window that shows one entry per list of the open database.
//
// Storage fills it (fillListNameBox) and walks it (purgeAllLists) but sits
// below the window layer, so it talks to the box through this interface. The
// main window's adapter forwards to the combo box messages: count ->
// CB_GETCOUNT, textAt -> CB_GETLBTEXTLEN then CB_GETLBTEXT, reset ->
// CB_RESETCONTENT, add -> CB_ADDSTRING. Tests use a plain list of names.
#pragma once

#include "windef.h"

class ListNameBox {
public:
    virtual ~ListNameBox() = default;
    // Number of entries; negative when the box cannot tell.
    virtual int count() = 0;
    // Copies the entry at `index` into `out` (cut to `capacity` - 1
    // characters, terminated); false when the entry cannot be fetched.
    virtual bool textAt(int index, WCHAR* out, int capacity) = 0;
    // Removes every entry.
    virtual void reset() = 0;
    // Adds an entry (the box keeps its own order); false when it is refused.
    virtual bool add(const WCHAR* name) = 0;
    // The index of the entry that is `name` ignoring case, as the combo box
    // finds an exact string; -1 when there is none.
    int find(const WCHAR* name);
};
