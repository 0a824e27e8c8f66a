#include "platform/pim/task_summary.h"

#include <algorithm>

#include "platform/window/screen.h"

namespace pim {
namespace {

struct Summary {
    const TaskRecord* task = nullptr;
    HFONT font = nullptr;
    HFONT bold = nullptr;
};

int scale() { return device::screenConfig().scale; }

void paintSummary(HWND hwnd, const Summary& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
    int m = 4 * scale();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, s.bold);
    RECT subject{client.left + m, client.top + m, client.right - m, client.bottom - m};
    const std::u16string& text = s.task->subject;
    RECT measured = subject;
    DrawTextW(dc, text.c_str(), (int)text.size(), &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    subject.bottom = std::max(measured.bottom, subject.top + 12 * scale());
    DrawTextW(dc, text.c_str(), (int)text.size(), &subject, DT_WORDBREAK | DT_NOPREFIX);
    // The rule between subject and notes, as the device's summaries have.
    int ruleY = subject.bottom + m;
    HPEN pen = CreatePen(PS_SOLID, scale(), RGB(160, 160, 160));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, client.left + m, ruleY, nullptr);
    LineTo(dc, client.right - m, ruleY);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, s.font);
    RECT notes{client.left + m, ruleY + m, client.right - m, client.bottom - m};
    // A task done (another program marked it so) says so above its notes.
    if (s.task->completed) {
        static const char16_t kDone[] = u"Completed";
        DrawTextW(dc, kDone, -1, &notes, DT_SINGLELINE | DT_NOPREFIX);
        notes.top += 14 * scale();
    }
    const std::u16string& body = s.task->body;
    DrawTextW(dc, body.c_str(), (int)body.size(), &notes, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

void askToEdit(HWND hwnd) {
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), TSN_EDIT), (LPARAM)hwnd);
}

LRESULT CALLBACK summaryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const TaskRecord* task = (const TaskRecord*)((CREATESTRUCTW*)lParam)->lpCreateParams;
        if (!task) return FALSE;
        Summary* s = new Summary;
        s->task = task;
        SetWindowLongW(hwnd, GWL_USERDATA, (LONG_PTR)s);
    }
    Summary* s = (Summary*)GetWindowLongW(hwnd, GWL_USERDATA);
    if (!s) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_CREATE:
            s->font = createTaskFont(false);
            s->bold = createTaskFont(true);
            return 0;
        case WM_PAINT: paintSummary(hwnd, *s); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONUP: askToEdit(hwnd); return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kTaskEditCommand) askToEdit(hwnd);
            return 0;
        case WM_NCDESTROY:
            DeleteObject(s->font);
            DeleteObject(s->bold);
            SetWindowLongW(hwnd, GWL_USERDATA, 0);
            delete s;
            return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

HFONT createTaskFont(bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -(bold ? 12 : 11) * scale();
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    const char16_t face[] = u"Tahoma";
    std::copy(face, face + 7, lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

void registerTaskSummaryClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = summaryProc;
    wc.lpszClassName = kTaskSummaryClass;
    RegisterClassW(&wc);  // fails harmlessly when it is registered already
}

HWND createTaskSummary(HWND editor, int id, const TaskRecord* task) {
    registerTaskSummaryClass();
    return CreateWindowExW(0, kTaskSummaryClass, u"Task", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, editor,
                           (HMENU)(intptr_t)id, nullptr, (LPVOID)task);
}

void setSummaryTask(HWND summary, const TaskRecord* task) {
    Summary* s = (Summary*)GetWindowLongW(summary, GWL_USERDATA);
    if (!s || !task) return;
    s->task = task;
    InvalidateRect(summary, nullptr, TRUE);
}

}  // namespace pim
