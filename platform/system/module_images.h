// The libraries the platform provides. Their code is built into the
// platform as images, each known by a name with its exported entries; a
// library is a file (in "\Windows") that names its image and the entries it
// exports, so that a library is there only while its file is, as on the
// device. The file is text:
//
//   <program>-library 1
//   image pimstore
//   export DllRegisterServer
//   export DllGetClassObject
//
// <program> being the command of the program the host runs
// (program_identity.h). A file with another first line, no image line, an image the platform does
// not have, an entry its image lacks, or any other line is no library.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "winbase.h"

namespace device {

struct ModuleExport {
    std::u16string name;
    FARPROC proc = nullptr;
};

// Makes an image known (again: its exports are replaced).
void registerModuleImage(std::u16string_view image, std::vector<ModuleExport> exports);
// The text of a library file for a known image exporting every entry of it
// (empty for an unknown image).
std::string moduleFileText(std::u16string_view image);
// Writes that file (replacing it whole) unless it holds that text already;
// false when the image is unknown or the file cannot be written.
bool writeModuleFile(std::u16string_view devicePath, std::u16string_view image);

}  // namespace device
