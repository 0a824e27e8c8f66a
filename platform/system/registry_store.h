// The registry's contents and its file. The file is text, one entry a line:
//
//   <program>-registry 1
//   key <root> <path>
//   value <type> <name> <data>
//
// <program> is the command of the program the host runs (program_identity.h);
// <root> is 0..3 (classes root, current user, local machine, users); <path>
// and <name> are UTF-8 with '%', tab, line ends, other control characters
// and blanks written as %XX ("" is written as "%" alone); <data> is the value's
// bytes in hexadecimal ("-" when empty). A value belongs to the key line above
// it; fields are separated by a single tab. A line that does not parse is
// skipped and the rest still loads; a file with another first line loads as
// empty. A damaged file is kept beside as "<name>.damaged" before it is
// replaced.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "windef.h"

namespace device {

struct RegValue {
    std::u16string name;
    DWORD type = 0;
    std::vector<uint8_t> data;
};

struct RegKey {
    std::u16string name;
    std::vector<std::unique_ptr<RegKey>> children;
    std::vector<RegValue> values;

    RegKey* child(std::u16string_view n);  // ignoring case, or nullptr
    RegValue* value(std::u16string_view n);
};

inline constexpr int kRegRoots = 4;

struct RegTree {
    RegKey roots[kRegRoots];
};

// The device path of the registry file.
inline constexpr const char16_t* kRegistryFile = u"\\Windows\\registry.dat";

// Serialises a tree to the text form above.
std::string regSerialize(const RegTree& tree);
// Parses the text form into `tree`; returns false when anything was skipped.
bool regParse(const std::string& text, RegTree& tree);
// Loads the file of the current device root (an absent file is an empty registry).
void regLoadFile(RegTree& tree);
// Writes the file: temporary file, flush, rename. False when it could not.
bool regSaveFile(const RegTree& tree);

}  // namespace device
