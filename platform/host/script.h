// Automation scripts: one step a line, read whole before anything runs so a
// malformed script never half-runs.
//
//   tap X Y | dtap X Y | hold X Y | drag X1 Y1 X2 Y2 [STEPS]
//   key NAME [COUNT] | type "TEXT" | menu "File/New List..." | click "TEXT"
//   control ID | select ID "TEXT" | tree "A/B/C" [label|check|button]
//   [tap|dtap|hold] | wait MS | shot FILE.png | dump FILE.json
//   power-off WRITES
//   screen W H | wheel X Y NOTCHES | drop X Y HOSTPATH
//
// Blank lines and lines starting with '#' are skipped. Arguments are
// separated by blanks; one that holds blanks is written in double quotes,
// and a double quote inside quotes is written twice. Text is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace device {

enum class StepKind {
    Tap, DoubleTap, Hold, Drag, Key, Type, Menu, Click, Control, Select, Tree, Wait, Shot, Dump, PowerOff, Screen, Wheel, Drop
};

enum class TreePart { Label, Check, Button };

struct ScriptStep {
    int line = 0;                  // 1-based line in the script
    StepKind kind = StepKind::Tap;
    std::string source;            // the line as written (for messages)
    int x = 0, y = 0, x2 = 0, y2 = 0;
    int count = 1;                 // key presses, drag steps, power-off writes
    int id = 0;                    // control / select
    uint64_t ms = 0;               // wait
    unsigned vk = 0;               // key: the virtual key, 0 for a plain character
    bool shift = false;            // key: Shift held for the character, or written
    bool ctrl = false;             // key: Ctrl+ written before the key
    bool alt = false;              // key: Alt+ written before the key
    char16_t ch = 0;               // key: the character when no key makes it
    std::u16string text;           // type, click, select
    std::vector<std::u16string> path;  // menu and tree path
    TreePart part = TreePart::Label;
    StepKind action = StepKind::Tap;   // tree: Tap, DoubleTap or Hold
    std::string file;              // shot, dump, drop (host path)
};

struct Script {
    std::vector<ScriptStep> steps;
};

// Splits one line into arguments; false with `error` on an unclosed quote.
bool splitScriptLine(const std::string& line, std::vector<std::string>& args, std::string& error);
// Parses a whole script; false with `error` naming the line.
bool parseScript(const std::string& text, Script& out, std::string& error);
// Reads a script file ("-": standard input) and parses it.
bool loadScript(const std::string& path, Script& out, std::string& error);

// UTF-8 to UTF-16; false on a malformed sequence.
bool utf8ToUtf16(const std::string& in, std::u16string& out);
std::string utf16ToUtf8(const std::u16string& in);

// Key names of the `key` step (Enter, Escape, ..., F1 to F12; case does not
// matter).
bool keyByName(const std::string& name, unsigned& vk);
// The key (and Shift) that types a character on the keyboard; false when no
// key does.
bool keyForChar(char16_t ch, unsigned& vk, bool& shift);

}  // namespace device
