// Test files live in folders of their own under the system's temporary
// folder ($TMPDIR, else /tmp), never in the working or build folder.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testsupport {

// Makes a new folder "<temporary folder>/<prefix>XXXXXX"; empty on failure.
inline std::string makeTempFolder(const std::string& prefix) {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string pattern = (base / (prefix + "XXXXXX")).string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

// Where tests write their screenshots: $QP_SHOT_DIR when it is set (to look
// at them), else a temporary folder of this run, removed when it ends.
inline std::string shotFolder() {
    if (const char* dir = std::getenv("QP_SHOT_DIR")) return dir;
    static const std::string folder = [] {
        static std::string made = makeTempFolder("qp_shots_");
        std::atexit([] {
            std::error_code ignored;
            if (!made.empty()) std::filesystem::remove_all(made, ignored);
        });
        return made;
    }();
    return folder;
}

}  // namespace testsupport
