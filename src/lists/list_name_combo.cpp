// The list-name box over the combo box: one message per call.
#include "lists/list_name_combo.h"

#include <vector>

// A destroyed box answers every message with 0, which would read as an
// empty box or as "added at index 0".
bool ListNameCombo::usable() const { return combo_ && IsWindow(combo_); }

int ListNameCombo::count() {
    if (!usable()) return -1;
    LRESULT n = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
    return n == CB_ERR ? -1 : int(n);
}

bool ListNameCombo::textAt(int index, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return false;
    out[0] = 0;
    if (!usable() || index < 0) return false;
    LRESULT length = SendMessageW(combo_, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length == CB_ERR || length < 0) return false;
    // CB_GETLBTEXT writes the whole entry, so it gets a buffer of the whole
    // length and the caller's buffer only what fits.
    std::vector<WCHAR> text(size_t(length) + 1, 0);
    if (SendMessageW(combo_, CB_GETLBTEXT, WPARAM(index), LPARAM(text.data())) == CB_ERR) return false;
    int n = 0;
    while (n < capacity - 1 && text[size_t(n)] != 0) {
        out[n] = text[size_t(n)];
        ++n;
    }
    out[n] = 0;
    return true;
}

void ListNameCombo::reset() {
    if (usable()) SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
}

bool ListNameCombo::add(const WCHAR* name) {
    if (!usable() || !name) return false;
    LRESULT index = SendMessageW(combo_, CB_ADDSTRING, 0, LPARAM(name));
    return index != CB_ERR && index != CB_ERRSPACE;
}
