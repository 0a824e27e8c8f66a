// The binary dialog template reader on arbitrary bytes: it must refuse or
// read, never outside the buffer; what it reads must hold together.
#include <cstddef>
#include <cstdint>

#include "platform/dialogs/dialog_binary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dlg::ParsedDialogTemplate parsed;
    if (!dlg::parseDialogTemplate(data, size, parsed)) return 0;
    // Every text it kept is terminated where it says.
    size_t chars = 0;
    for (const device::DialogItemTemplate& item : parsed.t.items) {
        for (LPCWSTR s : {item.className, item.text}) {
            if (s && !IS_INTRESOURCE(s))
                while (*s++) ++chars;
        }
    }
    if (chars > size) __builtin_trap();
    if (parsed.t.items.size() > size / 18) __builtin_trap();
    return 0;
}
