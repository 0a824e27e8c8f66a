// The binary DLGTEMPLATE form (windlg.h describes its layout), read into the
// dialog manager's own template structure for the *Indirect calls.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "platform/dialogs/dialog_template.h"

namespace dlg {

// A binary template has no length of its own; nothing larger than this is
// read from one.
constexpr size_t kMaxBinaryTemplate = 64 * 1024;

struct ParsedDialogTemplate {
    device::DialogTemplate t;
    std::deque<std::u16string> strings;  // the texts t points at (stable addresses)
};

// Reads a DLGTEMPLATE of at most `maxSize` bytes into `out`. False when the
// data is null, runs past `maxSize`, or is the extended (DLGTEMPLATEEX) form.
bool parseDialogTemplate(const void* data, size_t maxSize, ParsedDialogTemplate& out);

}  // namespace dlg
