// The end-to-end harness: temporary roots, running the executable, sqlite3
// queries on what it wrote, and a small JSON reader for the dumps.
#include "e2e_run.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include "support/temp_folder.h"

namespace e2e {

namespace fs = std::filesystem;

std::string firstStart(const std::string& listName) {
    // A first start shows the notice, then says that it creates the default
    // database, then asks for the first list's name.
    return "click \"Ok\"\n"
           "click \"OK\"\n"
           "type \"" + listName + "\"\n"
           "key Enter\n";
}

const std::string kFirstStart = firstStart("Groceries");

namespace {

std::string shellQuote(const std::string& s) {
    std::string r = "'";
    for (char c : s) {
        if (c == '\'')
            r += "'\\''";
        else
            r += c;
    }
    return r + "'";
}

}  // namespace

std::string binary() {
    const char* dir = std::getenv("QP_BINARY_DIR");
    return std::string(dir && *dir ? dir : ".") + "/quillet";
}

Run::Run() {
    dir_ = testsupport::makeTempFolder("qp_e2e_");
    root_ = dir_ + "/root";
    card_ = dir_ + "/card";
    std::error_code ec;
    fs::create_directories(root_, ec);
    fs::create_directories(card_, ec);
}

Run::~Run() {
    if (std::getenv("QP_E2E_KEEP") || dir_.empty()) return;
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

int Run::script(const std::string& text, const std::vector<std::string>& extraArgs) {
    ++runs_;
    std::string tag = std::to_string(runs_);
    std::string scriptFile = path("script" + tag + ".txt");
    std::string outFile = path("stdout" + tag + ".txt");
    std::string errFile = path("stderr" + tag + ".txt");
    {
        std::ofstream f(scriptFile, std::ios::binary);
        f << text;
        if (!text.empty() && text.back() != '\n') f << '\n';
    }
    std::string line = "cd " + shellQuote(dir_) + " && " + shellQuote(binary()) + " --headless --root " + shellQuote(root_) +
                       " --card " + shellQuote(card_);
    for (const std::string& a : extraArgs) line += " " + shellQuote(a);
    line += " --script " + shellQuote(scriptFile) + " >" + shellQuote(outFile) + " 2>" + shellQuote(errFile);
    int r = std::system(line.c_str());
    out_ = readFile(outFile);
    err_ = readFile(errFile);
    if (r == -1 || !WIFEXITED(r)) return -1;
    return WEXITSTATUS(r);
}

std::string Run::programFolder() const { return root_ + "/Program Files/Quillet Pro"; }
std::string Run::database() const { return programFolder() + "/quillet.qu2"; }
std::string Run::settings() const { return programFolder() + "/settings.qux"; }

std::vector<std::vector<std::string>> query(const std::string& file, const std::string& sql, std::string* error) {
    std::vector<std::vector<std::string>> rows;
    if (error) error->clear();
    if (!fileExists(file)) {
        if (error) *error = "no file " + file;
        return rows;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        if (error) *error = db ? sqlite3_errmsg(db) : "cannot open";
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        if (error) *error = sqlite3_errmsg(db);
        sqlite3_close(db);
        return rows;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const unsigned char* t = sqlite3_column_text(st, c);
            row.push_back(t ? reinterpret_cast<const char*>(t) : "<null>");
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE && error) *error = sqlite3_errmsg(db);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

std::string queryOne(const std::string& file, const std::string& sql) {
    std::string error;
    auto rows = query(file, sql, &error);
    if (!error.empty()) return "<error: " + error + ">";
    if (rows.empty() || rows[0].empty()) return "<none>";
    return rows[0][0];
}

std::string setting(const std::string& settingsFile, const std::string& key) {
    std::string k;
    for (char c : key) k += c == '\'' ? std::string("''") : std::string(1, c);
    return queryOne(settingsFile, "SELECT strValue FROM AppSettings WHERE strKey='" + k + "';");
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string scriptFile(const std::string& name) {
    const char* source = std::getenv("QP_SOURCE_DIR");
    return readFile(std::string(source ? source : ".") + "/tests/e2e/scripts/" + name);
}

int play(Run& run, const std::string& name, bool firstStart) {
    std::string steps = scriptFile(name);
    EXPECT_FALSE(steps.empty()) << "no script " << name;
    return run.script(firstStart ? kFirstStart + steps : steps);
}

// --- JSON ------------------------------------------------------------------

namespace {

const Json kNull;

struct Reader {
    const std::string& t;
    size_t i = 0;
    int depth = 0;

    void ws() {
        while (i < t.size() && (t[i] == ' ' || t[i] == '\n' || t[i] == '\r' || t[i] == '\t')) ++i;
    }
    bool lit(const char* w) {
        size_t n = std::char_traits<char>::length(w);
        if (t.compare(i, n, w) != 0) return false;
        i += n;
        return true;
    }
    static void utf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    bool hex4(unsigned& v) {
        if (i + 4 > t.size()) return false;
        v = 0;
        for (int k = 0; k < 4; ++k) {
            char c = t[i++];
            v <<= 4;
            if (c >= '0' && c <= '9') v |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f') v |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') v |= unsigned(c - 'A' + 10);
            else return false;
        }
        return true;
    }
    bool str(std::string& out) {
        if (i >= t.size() || t[i] != '"') return false;
        ++i;
        while (i < t.size() && t[i] != '"') {
            char c = t[i++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i >= t.size()) return false;
            char e = t[i++];
            switch (e) {
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    unsigned cp;
                    if (!hex4(cp)) return false;
                    if (cp >= 0xD800 && cp < 0xDC00 && lit("\\u")) {
                        unsigned lo;
                        if (!hex4(lo)) return false;
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                    }
                    utf8(out, cp);
                    break;
                }
                default: out += e;
            }
        }
        if (i >= t.size()) return false;
        ++i;
        return true;
    }
    bool value(Json& v) {
        if (++depth > 200) return false;
        ws();
        bool ok = parse(v);
        --depth;
        return ok;
    }
    bool parse(Json& v) {
        if (i >= t.size()) return false;
        char c = t[i];
        if (c == '{') {
            ++i;
            v.kind = Json::Object;
            ws();
            if (i < t.size() && t[i] == '}') return ++i, true;
            for (;;) {
                ws();
                std::string key;
                if (!str(key)) return false;
                ws();
                if (i >= t.size() || t[i++] != ':') return false;
                Json item;
                if (!value(item)) return false;
                v.fields.emplace_back(std::move(key), std::move(item));
                ws();
                if (i >= t.size()) return false;
                if (t[i] == ',') { ++i; continue; }
                if (t[i] == '}') return ++i, true;
                return false;
            }
        }
        if (c == '[') {
            ++i;
            v.kind = Json::Array;
            ws();
            if (i < t.size() && t[i] == ']') return ++i, true;
            for (;;) {
                Json item;
                if (!value(item)) return false;
                v.items.push_back(std::move(item));
                ws();
                if (i >= t.size()) return false;
                if (t[i] == ',') { ++i; continue; }
                if (t[i] == ']') return ++i, true;
                return false;
            }
        }
        if (c == '"') {
            v.kind = Json::String;
            return str(v.s);
        }
        if (lit("true")) { v.kind = Json::Bool; v.b = true; return true; }
        if (lit("false")) { v.kind = Json::Bool; return true; }
        if (lit("null")) return true;
        size_t start = i;
        while (i < t.size() && (std::isdigit((unsigned char)t[i]) || t[i] == '-' || t[i] == '+' || t[i] == '.' ||
                                t[i] == 'e' || t[i] == 'E'))
            ++i;
        if (i == start) return false;
        v.kind = Json::Number;
        try {
            v.n = std::stod(t.substr(start, i - start));
        } catch (...) {
            return false;
        }
        return true;
    }
};

}  // namespace

const Json& Json::operator[](const std::string& key) const {
    for (const auto& f : fields)
        if (f.first == key) return f.second;
    return kNull;
}

const Json& Json::operator[](size_t index) const { return index < items.size() ? items[index] : kNull; }

bool Json::has(const std::string& key) const {
    for (const auto& f : fields)
        if (f.first == key) return true;
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

Json readJson(const std::string& path) {
    Json v;
    if (!parseJson(readFile(path), v)) return Json();
    return v;
}

const Json* findWindow(const Json& windows, const std::string& key, const std::string& value) {
    for (const Json& w : windows.items) {
        const Json& f = w[key];
        if (f.kind == Json::String && f.s == value) return &w;
        if (const Json* inner = findWindow(w["children"], key, value)) return inner;
    }
    return nullptr;
}

}  // namespace e2e
