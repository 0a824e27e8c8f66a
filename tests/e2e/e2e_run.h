// Runs the real quillet executable on a script, the way a person drives it,
// in a device root of its own, and reads back what it left: the exit status,
// what it printed, the database and settings files (with sqlite3) and the
// JSON dumps the script wrote.
//
//   e2e::Run run;  // a fresh temporary root (inside TEST, write e2e::Run:
//                  // gtest's Test has a member called Run)
//   int status = run.script(e2e::kFirstStart + "menu \"New Item\"\n...");
//   EXPECT_EQ(status, 0) << run.err();
//   EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries';"), "1");
//
// The executable is $QP_BINARY_DIR/quillet (CTest sets QP_BINARY_DIR); build
// the `quillet` target before running these tests.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace e2e {

// The opening steps of a first start on an empty root: the notice, the
// "Startup Info" message about the default database, and the "New list
// name" dialog, answered with a list called "Groceries".
extern const std::string kFirstStart;
// The same with a list name of the caller's choosing.
std::string firstStart(const std::string& listName);

class Run {
public:
    // Makes a fresh temporary device root (removed with the object unless
    // QP_E2E_KEEP is set in the environment).
    Run();
    ~Run();
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Writes `text` as a script and runs `quillet --headless --root R --card C
    // [extra...] --script S`; returns the exit status (-1 when it could not be
    // run or was killed). Runs again on the same root keep the files, as
    // a second start of the program does.
    int script(const std::string& text, const std::vector<std::string>& extraArgs = {});

    const std::string& out() const { return out_; }  // the last run's standard output
    const std::string& err() const { return err_; }  // the last run's standard error

    // Host paths.
    const std::string& root() const { return root_; }  // the device's "\"
    const std::string& card() const { return card_; }  // "\Storage Card"
    const std::string& dir() const { return dir_; }    // scratch: scripts, shots, dumps
    // "\Program Files\Quillet Pro\quillet.qu2" and settings.qux on the host.
    std::string database() const;
    std::string settings() const;
    std::string programFolder() const;
    // A file in the scratch folder (where relative `shot`/`dump` paths land).
    std::string path(const std::string& name) const { return dir_ + "/" + name; }

private:
    std::string dir_, root_, card_, out_, err_;
    int runs_ = 0;
};

// The path of the quillet executable under test.
std::string binary();

// Rows of a query on an SQLite file opened read-only; each row is its columns
// as text (NULL as "<null>"). Empty with `error` set when the file or the
// query fails.
std::vector<std::vector<std::string>> query(const std::string& file, const std::string& sql,
                                            std::string* error = nullptr);
// The first column of the first row, or "<none>" without a row, or
// "<error: ...>" when the query fails.
std::string queryOne(const std::string& file, const std::string& sql);
// A setting's value in settings.qux ("<none>" when absent).
std::string setting(const std::string& settingsFile, const std::string& key);

bool fileExists(const std::string& path);
// The text of tests/e2e/scripts/<name> in the source tree ($QP_SOURCE_DIR);
// empty when it cannot be read.
std::string scriptFile(const std::string& name);
// Runs the script tests/e2e/scripts/<name>, after the opening steps of a
// first start unless `firstStart` is false; the run's status (a missing
// script fails the test).
int play(Run& run, const std::string& name, bool firstStart = true);
std::string readFile(const std::string& path);
// The text of the script tests/e2e/scripts/`name` of the source tree
// ($QP_SOURCE_DIR, which CTest sets); empty when it cannot be read.
std::string scriptFile(const std::string& name);

// A JSON value, read back from a `dump` step.
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

    // A missing key or index gives a Null value, so lookups chain safely.
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
inline size_t Json::size() const { return kind == Array ? items.size() : fields.size(); }
// False when the text is not exactly one JSON value.
bool parseJson(const std::string& text, Json& out);
// Reads and parses a dump file; a Null value when it cannot be read.
Json readJson(const std::string& path);
// The first window in a dump's window tree (depth first, "children") whose
// string field `key` equals `value`, or nullptr.
const Json* findWindow(const Json& windows, const std::string& key, const std::string& value);

}  // namespace e2e
