// The host tests' fixture and JSON reader.
#include "host_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/host/host_main.h"
#include "platform/shell/shell_system.h"
#include "platform/system/clipboard_host.h"
#include "platform/window/host_port.h"
#include "platform/window/window_system.h"
#include "support/test_identity.h"
#include "test_program.h"

namespace hosttest {

void HostRun::SetUp() {
    static int counter = 0;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = (std::filesystem::temp_directory_path() /
            ("qp_host_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + "_" + info->name()))
               .string();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    root_ = dir_ + "/root";
    device::windowSystemReset();
    device::shellReset();
}

void HostRun::TearDown() {
    device::setHost(nullptr);
    device::windowSystemReset();
    device::shellReset();
    std::error_code ec;
    if (!HasFailure()) std::filesystem::remove_all(dir_, ec);
}

int HostRun::runArgs(const std::vector<std::string>& args) {
    programLog().clear();
    ::testing::internal::CaptureStderr();
    int status = device::hostMain(args, testsupport::testIdentity(), testWinMain);
    err_ = ::testing::internal::GetCapturedStderr();
    // A stopped run leaves the program's windows; the next run starts clean.
    device::windowSystemReset();
    device::shellReset();
    return status;
}

int HostRun::runScript(const std::string& script, std::vector<std::string> extraArgs) {
    std::string file = path("script.txt");
    std::ofstream(file) << script;
    std::vector<std::string> args{"--headless", "--root", root_, "--card", dir_, "--script", file};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return runArgs(args);
}

bool HostRun::logged(const std::string& line) const { return logIndex(line) >= 0; }

int HostRun::logIndex(const std::string& line) const {
    const auto& log = programLog();
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i] == line) return (int)i;
    }
    return -1;
}

std::string readFile(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// ------------------------------------------------------------ the JSON reader
namespace {

struct Reader {
    const std::string& t;
    size_t i = 0;
    void ws() {
        while (i < t.size() && (t[i] == ' ' || t[i] == '\n' || t[i] == '\r' || t[i] == '\t')) ++i;
    }
    bool lit(const char* w) {
        size_t n = std::char_traits<char>::length(w);
        if (t.compare(i, n, w) != 0) return false;
        i += n;
        return true;
    }
    bool str(std::string& out) {
        if (i >= t.size() || t[i] != '"') return false;
        ++i;
        while (i < t.size() && t[i] != '"') {
            char c = t[i++];
            if (c == '\\') {
                if (i >= t.size()) return false;
                char e = t[i++];
                if (e == 'n') out += '\n';
                else if (e == 't') out += '\t';
                else if (e == 'r') out += '\r';
                else if (e == 'u') {
                    if (i + 4 > t.size()) return false;
                    unsigned v = (unsigned)std::stoul(t.substr(i, 4), nullptr, 16);
                    i += 4;
                    if (v >= 0x80) return false;  // the dumps escape only control characters
                    out += (char)v;
                } else out += e;
            } else {
                out += c;
            }
        }
        if (i >= t.size()) return false;
        ++i;
        return true;
    }
    bool value(Json& v) {
        ws();
        if (i >= t.size()) return false;
        char c = t[i];
        if (c == '{') {
            ++i;
            v.kind = Json::Object;
            ws();
            if (i < t.size() && t[i] == '}') return ++i, true;
            for (;;) {
                ws();
                std::string k;
                if (!str(k)) return false;
                ws();
                if (i >= t.size() || t[i++] != ':') return false;
                Json sub;
                if (!value(sub)) return false;
                v.fields.emplace_back(k, std::move(sub));
                ws();
                if (i < t.size() && t[i] == ',') { ++i; continue; }
                if (i < t.size() && t[i] == '}') return ++i, true;
                return false;
            }
        }
        if (c == '[') {
            ++i;
            v.kind = Json::Array;
            ws();
            if (i < t.size() && t[i] == ']') return ++i, true;
            for (;;) {
                Json sub;
                if (!value(sub)) return false;
                v.items.push_back(std::move(sub));
                ws();
                if (i < t.size() && t[i] == ',') { ++i; continue; }
                if (i < t.size() && t[i] == ']') return ++i, true;
                return false;
            }
        }
        if (c == '"') {
            v.kind = Json::String;
            return str(v.s);
        }
        if (lit("true")) return v.kind = Json::Bool, v.b = true, true;
        if (lit("false")) return v.kind = Json::Bool, v.b = false, true;
        if (lit("null")) return v.kind = Json::Null, true;
        size_t start = i;
        if (t[i] == '-') ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        if (i == start) return false;
        v.kind = Json::Number;
        v.n = std::stod(t.substr(start, i - start));
        return true;
    }
};

}  // namespace

const Json& Json::operator[](const std::string& key) const {
    static const Json none;
    for (const auto& [k, v] : fields) {
        if (k == key) return v;
    }
    return none;
}

bool Json::has(const std::string& key) const {
    for (const auto& f : fields) {
        if (f.first == key) return true;
    }
    return false;
}

bool parseJson(const std::string& text, Json& out) {
    Reader r{text};
    Json v;
    if (!r.value(v)) return false;
    r.ws();
    if (r.i != text.size()) return false;
    out = std::move(v);
    return true;
}

const Json* findWindow(const Json& windows, const std::string& key, const std::string& value) {
    for (const Json& w : windows.items) {
        if (w[key].kind == Json::String && w[key].s == value) return &w;
        if (const Json* c = findWindow(w["children"], key, value)) return c;
    }
    return nullptr;
}

}  // namespace hosttest
