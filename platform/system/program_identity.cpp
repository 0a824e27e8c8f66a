#include "platform/system/program_identity.h"

#include "platform/system/code_page.h"

namespace device {
namespace {

ProgramIdentity& current() {
    static ProgramIdentity identity;
    return identity;
}

}  // namespace

void setProgramIdentity(const ProgramIdentity& identity) { current() = identity; }

const ProgramIdentity& programIdentity() { return current(); }

std::u16string programFilePath() {
    const ProgramIdentity& p = current();
    if (p.folder.empty() || p.command.empty()) return {};
    return u"\\Program Files\\" + p.folder + u"\\" + utf8ToWide(p.command) + u".exe";
}

std::string deviceFileHeader(const char* kind) { return current().command + "-" + kind + " 1"; }

}  // namespace device
