// The notes pane's worst case: a multi-line, word-wrapping edit holding 999
// characters. Typing a character at the caret re-wraps the text and keeps
// the scroll bar current; painting draws the lines in view; loading a note
// replaces the whole text.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/controls/edit/edit_control.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

std::u16string note() {
    std::u16string s;
    const char16_t* words[] = {u"milk ", u"bread ", u"apples ", u"a longer word ", u"eggs\r\n", u"tea "};
    for (int i = 0; s.size() < 999; ++i) s += words[i % 6];
    s.resize(999);
    return s;
}

HWND makeNotes() {
    device::windowSystemReset();
    device::useHeadlessHost();
    device::registerEditControl();
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"benchparent";
    RegisterClassW(&wc);
    HWND top = CreateWindowExW(0, u"benchparent", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr,
                               nullptr, nullptr);
    HWND edit = CreateWindowExW(0, WC_EDIT, u"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE, 0, 200,
                                240, 94, top, (HMENU)6003, nullptr, nullptr);
    SendMessageW(edit, EM_LIMITTEXT, 1000, 0);
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(4, 4));
    std::u16string text = note();
    SetWindowTextW(edit, text.c_str());
    SetFocus(edit);
    device::runUntilIdle();
    return edit;
}

// A character typed in the middle and taken away again: two edits, each
// re-wrapping all 999 characters.
void BM_TypeAtCaret(benchmark::State& state) {
    HWND edit = makeNotes();
    SendMessageW(edit, EM_SETSEL, 500, 500);
    for (auto _ : state) {
        SendMessageW(edit, WM_CHAR, u'x', 0);
        SendMessageW(edit, WM_CHAR, 0x08, 0);
        benchmark::DoNotOptimize(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
    }
    device::windowSystemReset();
}
BENCHMARK(BM_TypeAtCaret);

// Typing and painting what changed, as the device does between keys.
void BM_TypeAndPaint(benchmark::State& state) {
    HWND edit = makeNotes();
    SendMessageW(edit, EM_SETSEL, 500, 500);
    for (auto _ : state) {
        SendMessageW(edit, WM_CHAR, u'x', 0);
        UpdateWindow(edit);
        SendMessageW(edit, WM_CHAR, 0x08, 0);
        UpdateWindow(edit);
    }
    device::windowSystemReset();
}
BENCHMARK(BM_TypeAndPaint);

// Loading a note when the selection changes, then asking where a character is.
void BM_LoadNote(benchmark::State& state) {
    HWND edit = makeNotes();
    std::u16string text = note();
    for (auto _ : state) {
        SetWindowTextW(edit, text.c_str());
        benchmark::DoNotOptimize(SendMessageW(edit, EM_POSFROMCHAR, 900, 0));
    }
    device::windowSystemReset();
}
BENCHMARK(BM_LoadNote);

}  // namespace
