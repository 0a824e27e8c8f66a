// Window queries of the automation.
#include "platform/host/window_query.h"

#include "platform/host/script.h"
#include "platform/window/window_system.h"

namespace device {

std::u16string windowClassLower(HWND hwnd) {
    WCHAR buf[64] = {};
    int n = GetClassNameW(hwnd, buf, 64);
    std::u16string s(buf, n > 0 ? (size_t)n : 0);
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') c = (char16_t)(c + 32);
    }
    return s;
}

std::u16string windowText(HWND hwnd) {
    int len = GetWindowTextLengthW(hwnd);
    if (len <= 0) return {};
    std::u16string s((size_t)len + 1, u'\0');
    int n = GetWindowTextW(hwnd, s.data(), len + 1);
    s.resize(n > 0 ? (size_t)n : 0);
    return s;
}

std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> out;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
    return out;
}

std::vector<HWND> topLevelWindows() { return childWindows(GetDesktopWindow()); }

void forEachDescendant(HWND parent, const std::function<void(HWND)>& fn) {
    for (HWND h : childWindows(parent)) {
        fn(h);
        forEachDescendant(h, fn);
    }
}

bool shownOnScreen(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }

HWND programMainWindow() {
    HWND h = GetForegroundWindow();
    if (h) {
        while (HWND owner = GetWindow(h, GW_OWNER)) h = owner;
        if (h != navBarWindow()) return h;
    }
    for (HWND t : topLevelWindows()) {
        if (t != navBarWindow() && IsWindowVisible(t) && !GetWindow(t, GW_OWNER) && windowClassLower(t) != u"menu_worker")
            return t;
    }
    return nullptr;
}

RECT screenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

namespace {

HWND findControl(HWND top, const std::function<bool(HWND)>& match) {
    HWND visible = nullptr, hidden = nullptr;
    forEachDescendant(top, [&](HWND h) {
        if (visible || !match(h)) return;
        if (shownOnScreen(h)) {
            visible = h;
        } else if (!hidden) {
            hidden = h;
        }
    });
    return visible ? visible : hidden;
}

}  // namespace

HWND findControlByText(HWND top, const std::u16string& text) {
    auto strip = [](const std::u16string& s) {
        // A button's "&" marks its mnemonic; a person reads the text without it.
        std::u16string r;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == u'&' && i + 1 < s.size()) ++i;
            r += s[i];
        }
        return r;
    };
    return findControl(top, [&](HWND h) {
        std::u16string t = windowText(h);
        return t == text || strip(t) == text;
    });
}

HWND findControlById(HWND top, int id) {
    return findControl(top, [&](HWND h) { return GetDlgCtrlID(h) == id; });
}

std::string describeOpenWindow(HWND hwnd) {
    std::string out = "\"" + utf16ToUtf8(windowText(hwnd)) + "\"";
    std::string texts;
    forEachDescendant(hwnd, [&](HWND h) {
        if (!shownOnScreen(h)) return;
        std::u16string cls = windowClassLower(h);
        if (cls != u"static" && cls != u"edit") return;
        std::u16string t = windowText(h);
        if (t.empty()) return;
        if (!texts.empty()) texts += " | ";
        texts += utf16ToUtf8(t);
    });
    if (!texts.empty()) out += ": " + texts;
    return out;
}

}  // namespace device
