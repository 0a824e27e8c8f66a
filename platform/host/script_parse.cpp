// Reading scripts: splitting lines into arguments and checking each step's
// arguments, so that a malformed script stops before its first step.
#include "platform/host/script.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace device {
namespace {

constexpr int kDefaultDragSteps = 8;
constexpr int kMaxCount = 10000;
constexpr uint64_t kMaxWaitMs = 24ull * 3600 * 1000;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool toInt(const std::string& s, long lo, long hi, long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long r = std::strtol(s.c_str(), &end, 10);
    if (errno || *end != '\0' || r < lo || r > hi) return false;
    v = r;
    return true;
}

std::vector<std::u16string> splitPath(const std::u16string& p) {
    std::vector<std::u16string> parts;
    size_t i = 0;
    for (;;) {
        size_t j = p.find(u'/', i);
        parts.push_back(p.substr(i, j == std::u16string::npos ? std::u16string::npos : j - i));
        if (j == std::u16string::npos) break;
        i = j + 1;
    }
    return parts;
}

// Checks one step's arguments; `error` says what is wrong (without the line).
class StepParser {
public:
    StepParser(const std::vector<std::string>& a, ScriptStep& s) : a_(a), s_(s) {}

    bool parse(std::string& error) {
        const std::string& verb = a_[0];
        bool ok = false;
        if (verb == "tap" || verb == "dtap" || verb == "hold") {
            s_.kind = verb == "tap" ? StepKind::Tap : verb == "dtap" ? StepKind::DoubleTap : StepKind::Hold;
            ok = argc(2, 2) && coord(1, s_.x) && coord(2, s_.y);
        } else if (verb == "drag") {
            s_.kind = StepKind::Drag;
            s_.count = kDefaultDragSteps;
            ok = argc(4, 5) && coord(1, s_.x) && coord(2, s_.y) && coord(3, s_.x2) && coord(4, s_.y2) &&
                 (a_.size() < 6 || number(5, 1, 1000, s_.count));
        } else if (verb == "key") {
            s_.kind = StepKind::Key;
            ok = argc(1, 2) && key(a_[1]) && (a_.size() < 3 || number(2, 1, kMaxCount, s_.count));
        } else if (verb == "type") {
            s_.kind = StepKind::Type;
            ok = argc(1, 1) && text(1, s_.text, true);
        } else if (verb == "menu") {
            s_.kind = StepKind::Menu;
            ok = argc(1, 1) && path(1);
        } else if (verb == "click") {
            s_.kind = StepKind::Click;
            ok = argc(1, 1) && text(1, s_.text, false);
        } else if (verb == "control") {
            s_.kind = StepKind::Control;
            ok = argc(1, 1) && number(1, 0, 65535, s_.id);
        } else if (verb == "select") {
            s_.kind = StepKind::Select;
            ok = argc(2, 2) && number(1, 0, 65535, s_.id) && text(2, s_.text, true);
        } else if (verb == "tree") {
            s_.kind = StepKind::Tree;
            ok = argc(1, 3) && path(1) && treeWords();
        } else if (verb == "wait") {
            s_.kind = StepKind::Wait;
            long v = 0;
            ok = argc(1, 1) && toInt(a_[1], 0, (long)kMaxWaitMs, v);
            if (!ok) why_ = "wait takes milliseconds (0 to " + std::to_string(kMaxWaitMs) + ")";
            s_.ms = (uint64_t)v;
        } else if (verb == "power-off") {
            s_.kind = StepKind::PowerOff;
            ok = argc(1, 1) && number(1, 0, 1000000, s_.count);
            if (!ok) why_ = "power-off takes the number of writes still made (0 to 1000000)";
        } else if (verb == "wheel") {
            s_.kind = StepKind::Wheel;
            ok = argc(3, 3) && coord(1, s_.x) && coord(2, s_.y) && number(3, -100, 100, s_.count);
        } else if (verb == "drop") {
            s_.kind = StepKind::Drop;
            ok = argc(3, 3) && coord(1, s_.x) && coord(2, s_.y);
            s_.file = ok ? a_[3] : "";
            if (ok && s_.file.empty()) {
                why_ = "drop needs a file name";
                ok = false;
            }
        } else if (verb == "screen") {
            s_.kind = StepKind::Screen;
            ok = argc(2, 2) && number(1, 1, 4096, s_.x) && number(2, 1, 4096, s_.y);
        } else if (verb == "shot" || verb == "dump") {
            s_.kind = verb == "shot" ? StepKind::Shot : StepKind::Dump;
            ok = argc(1, 1);
            s_.file = ok ? a_[1] : "";
            if (ok && s_.file.empty()) {
                why_ = verb + " needs a file name";
                ok = false;
            }
        } else {
            why_ = "unknown step \"" + verb + "\"";
        }
        if (!ok) error = why_.empty() ? "bad arguments for " + verb : why_;
        return ok;
    }

private:
    bool argc(size_t lo, size_t hi) {
        size_t n = a_.size() - 1;
        if (n >= lo && n <= hi) return true;
        why_ = a_[0] + " takes " + (lo == hi ? std::to_string(lo) : std::to_string(lo) + " to " + std::to_string(hi)) +
               " argument" + (hi == 1 ? "" : "s") + ", not " + std::to_string(n);
        return false;
    }
    bool coord(size_t i, int& v) {
        long r = 0;
        if (!toInt(a_[i], 0, 100000, r)) {
            why_ = "\"" + a_[i] + "\" is not a screen coordinate";
            return false;
        }
        v = (int)r;
        return true;
    }
    bool number(size_t i, long lo, long hi, int& v) {
        long r = 0;
        if (!toInt(a_[i], lo, hi, r)) {
            why_ = "\"" + a_[i] + "\" is not a number from " + std::to_string(lo) + " to " + std::to_string(hi);
            return false;
        }
        v = (int)r;
        return true;
    }
    bool text(size_t i, std::u16string& out, bool emptyOk) {
        if (!utf8ToUtf16(a_[i], out)) {
            why_ = "the text is not valid UTF-8";
            return false;
        }
        if (!emptyOk && out.empty()) {
            why_ = a_[0] + " needs a text";
            return false;
        }
        return true;
    }
    bool path(size_t i) {
        std::u16string p;
        if (!text(i, p, false)) return false;
        s_.path = splitPath(p);
        for (const std::u16string& part : s_.path) {
            if (part.empty()) {
                why_ = "\"" + a_[i] + "\" has an empty name in it";
                return false;
            }
        }
        return true;
    }
    // A key name or character, after modifiers: Ctrl+Shift+N, Alt+Up, F2.
    bool key(const std::string& written) {
        std::string name = written;
        bool modifiers = false;
        for (;;) {
            size_t plus = name.find('+');
            if (plus == std::string::npos || plus == 0 || plus + 1 >= name.size()) break;
            std::string mod = name.substr(0, plus);
            for (char& c : mod) c = (char)std::tolower((unsigned char)c);
            if (mod == "ctrl") s_.ctrl = true;
            else if (mod == "shift") s_.shift = true;
            else if (mod == "alt") s_.alt = true;
            else break;
            modifiers = true;
            name = name.substr(plus + 1);
        }
        if (modifiers) return modifiedKey(name, written);
        if (keyByName(name, s_.vk)) return true;
        std::u16string u;
        if (utf8ToUtf16(name, u) && u.size() == 1) {
            if (!keyForChar(u[0], s_.vk, s_.shift)) s_.ch = u[0];
            return true;
        }
        why_ = "unknown key \"" + name + "\"";
        return false;
    }
    // With modifiers a letter or digit names its key (Ctrl+N is the key N).
    bool modifiedKey(const std::string& name, const std::string& written) {
        if (keyByName(name, s_.vk)) return true;
        if (name.size() == 1 && std::isalnum((unsigned char)name[0])) {
            s_.vk = (unsigned)std::toupper((unsigned char)name[0]);
            return true;
        }
        why_ = "unknown key \"" + written + "\"";
        return false;
    }
    bool treeWords() {
        bool partSeen = false, actionSeen = false;
        for (size_t i = 2; i < a_.size(); ++i) {
            const std::string& w = a_[i];
            if (!partSeen && !actionSeen && (w == "label" || w == "check" || w == "button")) {
                s_.part = w == "label" ? TreePart::Label : w == "check" ? TreePart::Check : TreePart::Button;
                partSeen = true;
            } else if (!actionSeen && (w == "tap" || w == "dtap" || w == "hold")) {
                s_.action = w == "tap" ? StepKind::Tap : w == "dtap" ? StepKind::DoubleTap : StepKind::Hold;
                actionSeen = true;
            } else {
                why_ = "tree takes [label|check|button] [tap|dtap|hold], not \"" + w + "\"";
                return false;
            }
        }
        return true;
    }

    const std::vector<std::string>& a_;
    ScriptStep& s_;
    std::string why_;
};

}  // namespace

bool splitScriptLine(const std::string& line, std::vector<std::string>& args, std::string& error) {
    args.clear();
    size_t i = 0, n = line.size();
    while (i < n) {
        while (i < n && isBlank(line[i])) ++i;
        if (i >= n) break;
        std::string arg;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        arg += '"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                arg += line[i++];
            }
            if (!closed) {
                error = "a quoted argument is not closed";
                return false;
            }
            if (i < n && !isBlank(line[i])) {
                error = "a closing quote must be followed by a blank";
                return false;
            }
        } else {
            while (i < n && !isBlank(line[i])) {
                if (line[i] == '"') {
                    error = "a quote inside an argument (quote the whole argument)";
                    return false;
                }
                arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return true;
}

bool parseScript(const std::string& text, Script& out, std::string& error) {
    Script s;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::vector<std::string> args;
        std::string why;
        ScriptStep step;
        step.line = number;
        step.source = line.substr(first);
        if (!splitScriptLine(line, args, why) || !StepParser(args, step).parse(why)) {
            error = "line " + std::to_string(number) + ": " + why + ": " + step.source;
            return false;
        }
        s.steps.push_back(std::move(step));
    }
    out = std::move(s);
    return true;
}

bool loadScript(const std::string& path, Script& out, std::string& error) {
    std::stringstream buf;
    if (path == "-") {
        buf << std::cin.rdbuf();
    } else {
        std::ifstream f(path, std::ios::binary);
        if (!f) {
            error = "cannot read the script " + path;
            return false;
        }
        buf << f.rdbuf();
    }
    return parseScript(buf.str(), out, error);
}

}  // namespace device
