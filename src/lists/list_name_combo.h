// The list-name box of storage (fillListNameBox, purgeAllLists) over the
// main window's list combo box: each call is one combo box message.
#pragma once

#include "storage/list_name_box.h"
#include "windows.h"

class ListNameCombo : public ListNameBox {
public:
    explicit ListNameCombo(HWND combo) : combo_(combo) {}
    // CB_GETCOUNT; negative when the box cannot tell (no window).
    int count() override;
    // CB_GETLBTEXTLEN, then CB_GETLBTEXT into a buffer of the full length,
    // cut to `capacity` - 1 characters; false for a bad index or no room.
    bool textAt(int index, WCHAR* out, int capacity) override;
    // CB_RESETCONTENT.
    void reset() override;
    // CB_ADDSTRING; false when the box refuses the entry.
    bool add(const WCHAR* name) override;

private:
    bool usable() const;
    HWND combo_;
};
