// Input: typed characters (with the control-key shortcuts), the editing and
// caret keys, the pen (tap places the caret, drag selects, double tap picks a
// word) and the clipboard messages.
#include <algorithm>

#include "platform/controls/edit/edit_internal.h"

namespace edit {
namespace {

bool keyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

bool isWordChar(char16_t c) { return c != u' ' && c != u'\t' && c != u'\r' && c != u'\n'; }

POINT pointOf(LPARAM lParam) { return POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)}; }

void moveCaret(Edit& e, int to, bool extend) {
    int n = (int)e.text.size();
    to = snapBack(e, std::clamp(to, 0, n));
    e.caret = to;
    if (!extend) e.anchor = to;
    scrollCaretIntoView(e);
    invalidateText(e);
}

int wordLeft(const Edit& e, int i) {
    while (i > 0 && !isWordChar(e.text[(size_t)i - 1])) --i;
    while (i > 0 && isWordChar(e.text[(size_t)i - 1])) --i;
    return i;
}

int wordRight(const Edit& e, int i) {
    int n = (int)e.text.size();
    while (i < n && isWordChar(e.text[(size_t)i])) ++i;
    while (i < n && (e.text[(size_t)i] == u' ' || e.text[(size_t)i] == u'\t')) ++i;
    if (i < n && e.text[(size_t)i] == u'\r') i = nextPosition(e, i);
    return i;
}

int lineEnd(Edit& e, int line) {
    const Line& l = e.lines[(size_t)line];
    int end = l.start + l.length;
    // The end of a wrapped line is the start of the next: stay before it.
    if (l.next == end && line + 1 < (int)e.lines.size() && l.length > 0) end = prevPosition(e, end);
    return end;
}

// Up and Down keep the caret's horizontal place.
void moveVertically(Edit& e, int lines, bool extend) {
    ensureLayout(e);
    int line = lineOf(e, e.caret);
    int target = std::clamp(line + lines, 0, (int)e.lines.size() - 1);
    if (target == line) {
        moveCaret(e, lines < 0 ? e.lines[(size_t)line].start : lineEnd(e, line), extend);
        return;
    }
    POINT p = positionOf(e, e.caret);
    int vis = visibleLineCount(e);
    // Bring the target line into view first, so the point lies on it.
    if (target < e.topLine) scrollLines(e, target - e.topLine);
    else if (target >= e.topLine + vis) scrollLines(e, target - (e.topLine + vis - 1));
    RECT fr = formatRect(e);
    POINT q{p.x, fr.top + (target - e.topLine) * e.lineHeight};
    moveCaret(e, indexAt(e, q), extend);
}

// Enter in a dialog without ES_WANTRETURN presses the dialog's default button.
void pressDefaultButton(Edit& e) {
    HWND parent = GetParent(e.hwnd);
    if (!parent) return;
    LRESULT def = SendMessageW(parent, DM_GETDEFID, 0, 0);
    if (HIWORD(def) != DC_HASDEFID) return;
    HWND button = GetDlgItem(parent, LOWORD(def));
    if (button && !IsWindowEnabled(button)) return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(LOWORD(def), 0 /* BN_CLICKED */), (LPARAM)button);
}

void deleteAround(Edit& e, bool forward) {
    if (isReadOnly(e)) return;
    if (e.anchor == e.caret) {
        int other = forward ? nextPosition(e, e.caret) : prevPosition(e, e.caret);
        if (other == e.caret) return;
        e.anchor = e.caret;
        e.caret = other;
    }
    replaceSelection(e, u"", true, false, true);
}

}  // namespace

void selectWordAt(Edit& e, int index) {
    int n = (int)e.text.size();
    index = std::clamp(index, 0, n);
    int a = index, b = index;
    if (index < n && isWordChar(e.text[(size_t)index])) {
        while (a > 0 && isWordChar(e.text[(size_t)a - 1])) --a;
        b = wordRight(e, index);
        while (b > a && (e.text[(size_t)b - 1] == u'\r' || e.text[(size_t)b - 1] == u'\n')) --b;
    } else if (index < n && (e.text[(size_t)index] == u' ' || e.text[(size_t)index] == u'\t')) {
        while (a > 0 && (e.text[(size_t)a - 1] == u' ' || e.text[(size_t)a - 1] == u'\t')) --a;
        while (b < n && (e.text[(size_t)b] == u' ' || e.text[(size_t)b] == u'\t')) ++b;
    } else if (index > 0 && isWordChar(e.text[(size_t)index - 1])) {
        // At the end of a word (before a line break or the end): that word.
        while (a > 0 && isWordChar(e.text[(size_t)a - 1])) --a;
    }
    setSelection(e, a, b);
    scrollCaretIntoView(e);
    invalidateText(e);
}

LRESULT onChar(Edit& e, WPARAM wParam) {
    char16_t ch = (char16_t)wParam;
    HWND self = e.hwnd;
    switch (ch) {
        case 0x01: setSelection(e, 0, (int)e.text.size()); invalidateText(e); return 0;     // Ctrl+A
        case 0x03: SendMessageW(self, WM_COPY, 0, 0); return 0;                               // Ctrl+C
        case 0x16: SendMessageW(self, WM_PASTE, 0, 0); return 0;                              // Ctrl+V
        case 0x18: SendMessageW(self, WM_CUT, 0, 0); return 0;                                // Ctrl+X
        case 0x1A: SendMessageW(self, WM_UNDO, 0, 0); return 0;                               // Ctrl+Z
        case 0x08: deleteAround(e, false); return 0;                                          // Backspace
        case u'\r':
        case u'\n':
            if (!isMultiLine(e) || isReadOnly(e)) return 0;
            if (e.dialogMode && !(styleOf(e) & ES_WANTRETURN)) return 0;
            replaceSelection(e, u"\r\n", true, true, true);
            return 0;
        case u'\t':
            if (!isMultiLine(e) || isReadOnly(e) || e.dialogMode) return 0;
            replaceSelection(e, u"\t", true, true, true);
            return 0;
        default: break;
    }
    if (ch < u' ' || ch == 0x7F || isReadOnly(e)) return 0;
    if ((styleOf(e) & ES_NUMBER) && !(ch >= u'0' && ch <= u'9')) {
        MessageBeep(MB_OK);
        return 0;
    }
    std::u16string one(1, ch);
    replaceSelection(e, one, true, true, true);
    return 0;
}

LRESULT onKeyDown(Edit& e, WPARAM vk) {
    bool shift = keyHeld(VK_SHIFT), ctrl = keyHeld(VK_CONTROL);
    ensureLayout(e);
    int n = (int)e.text.size();
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT: {
            bool left = vk == VK_LEFT;
            if (!shift && e.anchor != e.caret && !ctrl) {
                moveCaret(e, left ? selMin(e) : selMax(e), false);
            } else if (ctrl) {
                moveCaret(e, left ? wordLeft(e, e.caret) : wordRight(e, e.caret), shift);
            } else {
                moveCaret(e, left ? prevPosition(e, e.caret) : nextPosition(e, e.caret), shift);
            }
            return 0;
        }
        case VK_UP:
        case VK_DOWN:
            if (!isMultiLine(e)) return onKeyDown(e, vk == VK_UP ? VK_LEFT : VK_RIGHT);
            moveVertically(e, vk == VK_UP ? -1 : 1, shift);
            return 0;
        case VK_PRIOR:
        case VK_NEXT:
            if (!isMultiLine(e)) return 0;
            moveVertically(e, (vk == VK_PRIOR ? -1 : 1) * visibleLineCount(e), shift);
            return 0;
        case VK_HOME:
            moveCaret(e, ctrl ? 0 : e.lines[(size_t)lineOf(e, e.caret)].start, shift);
            return 0;
        case VK_END:
            moveCaret(e, ctrl ? n : lineEnd(e, lineOf(e, e.caret)), shift);
            return 0;
        case VK_DELETE:
            if (shift) SendMessageW(e.hwnd, WM_CUT, 0, 0);
            else deleteAround(e, true);
            return 0;
        case VK_INSERT:
            if (shift) SendMessageW(e.hwnd, WM_PASTE, 0, 0);
            else if (ctrl) SendMessageW(e.hwnd, WM_COPY, 0, 0);
            return 0;
        case VK_RETURN:
            if (e.dialogMode && !ctrl && (!isMultiLine(e) || !(styleOf(e) & ES_WANTRETURN))) pressDefaultButton(e);
            return 0;
        case VK_ESCAPE:
            if (e.dialogMode && isMultiLine(e)) {
                HWND parent = GetParent(e.hwnd);
                if (parent) PostMessageW(parent, WM_CLOSE, 0, 0);
            }
            return 0;
        case VK_TAB:
            if (e.dialogMode && isMultiLine(e)) {
                HWND parent = GetParent(e.hwnd);
                if (parent) SendMessageW(parent, WM_NEXTDLGCTL, shift ? 1 : 0, 0);
            }
            return 0;
        default: return 0;
    }
}

LRESULT onPenDown(Edit& e, LPARAM lParam) {
    HWND self = e.hwnd;
    if (GetFocus() != self) SetFocus(self);
    if (!IsWindow(self) || editOf(self) != &e) return 0;
    int at = indexAt(e, pointOf(lParam));
    moveCaret(e, at, keyHeld(VK_SHIFT));
    SetCapture(self);
    e.tracking = true;
    return 0;
}

LRESULT onPenMove(Edit& e, LPARAM lParam) {
    if (!e.tracking) return 0;
    int at = indexAt(e, pointOf(lParam));
    if (at != e.caret) moveCaret(e, at, true);
    return 0;
}

LRESULT onPenUp(Edit& e) {
    if (!e.tracking) return 0;
    e.tracking = false;
    if (GetCapture() == e.hwnd) ReleaseCapture();
    return 0;
}

LRESULT onDoubleTap(Edit& e, LPARAM lParam) {
    HWND self = e.hwnd;
    if (GetFocus() != self) SetFocus(self);
    if (!IsWindow(self) || editOf(self) != &e) return 0;
    selectWordAt(e, indexAt(e, pointOf(lParam)));
    return 0;
}

LRESULT onCaptureChanged(Edit& e) {
    e.tracking = false;
    return 0;
}

LRESULT onCopy(Edit& e) {
    // A password never leaves its edit.
    if (e.anchor == e.caret || isPassword(e)) return 0;
    std::u16string s = e.text.substr((size_t)selMin(e), (size_t)(selMax(e) - selMin(e)));
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (s.size() + 1) * sizeof(WCHAR));
    if (!block) return 0;
    auto* p = (WCHAR*)GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return 0;
    }
    std::copy(s.begin(), s.end(), p);
    p[s.size()] = 0;
    GlobalUnlock(block);
    if (!OpenClipboard(e.hwnd)) {
        GlobalFree(block);
        return 0;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    CloseClipboard();
    return 0;
}

LRESULT onClear(Edit& e) {
    if (isReadOnly(e) || e.anchor == e.caret) return 0;
    replaceSelection(e, u"", true, false, true);
    return 0;
}

LRESULT onCut(Edit& e) {
    HWND self = e.hwnd;
    onCopy(e);
    if (IsWindow(self) && editOf(self) == &e) onClear(e);
    return 0;
}

LRESULT onPaste(Edit& e) {
    if (isReadOnly(e)) return 0;
    if (!OpenClipboard(e.hwnd)) return 0;
    std::u16string s;
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    if (block) {
        size_t cap = GlobalSize(block) / sizeof(WCHAR);
        if (auto* p = (const WCHAR*)GlobalLock(block)) {
            size_t n = 0;
            while (n < cap && p[n]) ++n;
            s.assign(p, n);
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    if (!block) return 0;
    replaceSelection(e, s, true, true, true);
    return 0;
}

}  // namespace edit
