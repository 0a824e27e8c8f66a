// Who the program running on the device is. The platform names nothing of
// its own after a program: the host hands it this record before it sets the
// device up, and every name below is taken from it. A harness that needs
// the names (a test of the folders, of the host, of the device's own files)
// sets a record of its own.
#pragma once

#include <string>

namespace device {

struct ProgramIdentity {
    // Shown to the person: the SDL window's title, the host's messages.
    std::string name;
    // The executable: its usage line and the prefix of its messages. The
    // program file on the device is "<command>.exe", and the device's own
    // files (the registry, the libraries, the task store) start with the
    // line "<command>-<kind> 1".
    std::string command;
    // The program's folder under "\Program Files", made with the others.
    std::u16string folder;
    // The default device root is this folder under $XDG_DATA_HOME (else
    // ~/.local/share); it also names the socket a second copy asks through.
    std::string dataFolder;
    // The extension of the database files the command line opens, no dot.
    std::string databaseExtension;
};

// Sets the record; call it before the device is set up.
void setProgramIdentity(const ProgramIdentity& identity);
// The record set last; every field empty before one is set.
const ProgramIdentity& programIdentity();
// "\Program Files\<folder>\<command>.exe"; empty before a record is set.
std::u16string programFilePath();
// "<command>-<kind> 1": the first line of one of the device's own files.
std::string deviceFileHeader(const char* kind);

}  // namespace device
