// Shared pieces of the host tests: a fixture that runs the test program
// through hostMain in this process with a script, on a fresh device root,
// capturing what hostMain prints; and a small JSON reader for the dumps.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace hosttest {

class HostRun : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the script, runs the test program on it headless and returns
    // the exit status; `err()` then holds what was printed on stderr.
    int runScript(const std::string& script, std::vector<std::string> extraArgs = {});
    // Runs hostMain with exactly these arguments.
    int runArgs(const std::vector<std::string>& args);
    const std::string& err() const { return err_; }
    // A file in this case's scratch folder.
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    const std::string& root() const { return root_; }
    bool logged(const std::string& line) const;
    // Position of a line in the program's log (-1 when absent).
    int logIndex(const std::string& line) const;

    std::string dir_;
    std::string root_;
    std::string err_;
};

// A JSON value, read back from a dump.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool b = false;
    double n = 0;
    std::string s;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> fields;

    // Declared here and defaulted below the class: the field list's pairs
    // hold a Json, which is complete only there.
    Json();
    Json(const Json&);
    Json(Json&&) noexcept;
    Json& operator=(const Json&);
    Json& operator=(Json&&) noexcept;
    ~Json();

    const Json& operator[](const std::string& key) const;
    const Json& operator[](size_t i) const;
    bool has(const std::string& key) const;
    size_t size() const;
};
inline Json::Json() = default;
inline Json::Json(const Json&) = default;
inline Json::Json(Json&&) noexcept = default;
inline Json& Json::operator=(const Json&) = default;
inline Json& Json::operator=(Json&&) noexcept = default;
inline Json::~Json() = default;
inline const Json& Json::operator[](size_t i) const { return items.at(i); }
inline size_t Json::size() const { return kind == Array ? items.size() : fields.size(); }
// False when the text is not exactly one JSON value.
bool parseJson(const std::string& text, Json& out);
std::string readFile(const std::string& path);

// The first window object in a dump's tree of windows whose field `key`
// equals `value` (a string field), or nullptr.
const Json* findWindow(const Json& windows, const std::string& key, const std::string& value);

}  // namespace hosttest
