#include "platform/pim/task_editor.h"

#include <algorithm>

#include "platform/pim/task_summary.h"
#include "platform/window/modal_loop.h"
#include "platform/window/screen.h"
#include "windows.h"

namespace pim {
namespace {

struct Editor {
    std::vector<TaskRecord>* tasks = nullptr;
    size_t shown = 0;
    TaskRecord* task = nullptr;  // tasks[shown]
    bool editing = false;
    bool done = false;
    HFONT font = nullptr;
    SHACTIVATEINFO activate{};
};

int scale() { return device::screenConfig().scale; }

Editor* editorOf(HWND hwnd) { return (Editor*)GetWindowLongW(hwnd, GWL_USERDATA); }

std::u16string textOf(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::u16string text((size_t)std::max(length, 0) + 1, u'\0');
    int got = GetWindowTextW(control, text.data(), length + 1);
    text.resize((size_t)std::max(got, 0));
    return text;
}

HWND makeChild(HWND editor, const Editor& ed, LPCWSTR cls, LPCWSTR text, DWORD style, int id) {
    HWND h = CreateWindowExW(0, cls, text, WS_CHILD | style, 0, 0, 0, 0, editor, (HMENU)(intptr_t)id, nullptr,
                             nullptr);
    SendMessageW(h, WM_SETFONT, (WPARAM)ed.font, 0);
    return h;
}

void layout(HWND hwnd) {
    RECT c;
    GetClientRect(hwnd, &c);
    int s = scale(), m = 4 * s, row = 20 * s, label = 44 * s;
    // The list of all tasks takes the lower third, when there is one.
    HWND list = GetDlgItem(hwnd, kTaskListId);
    int listTop = list ? (int)c.bottom - (int)c.bottom / 3 : (int)c.bottom;
    MoveWindow(GetDlgItem(hwnd, kSummaryId), 0, 0, c.right, listTop, TRUE);
    if (list) MoveWindow(list, 0, listTop, c.right, c.bottom - listTop, TRUE);
    MoveWindow(GetDlgItem(hwnd, kSubjectLabelId), m, m + 3 * s, label, row - 3 * s, TRUE);
    MoveWindow(GetDlgItem(hwnd, kSubjectId), m + label, m, c.right - 2 * m - label, row, TRUE);
    int notesTop = 2 * m + row + m;
    MoveWindow(GetDlgItem(hwnd, kNotesLabelId), m, notesTop, c.right - 2 * m, 14 * s, TRUE);
    int fieldTop = notesTop + 14 * s;
    MoveWindow(GetDlgItem(hwnd, kNotesId), m, fieldTop, c.right - 2 * m, std::max(0, (int)c.bottom - m - fieldTop),
               TRUE);
}

void beginEditing(HWND hwnd, Editor& ed) {
    if (ed.editing) return;
    ed.editing = true;
    HWND subject = GetDlgItem(hwnd, kSubjectId);
    SetWindowTextW(subject, ed.task->subject.c_str());
    SetWindowTextW(GetDlgItem(hwnd, kNotesId), ed.task->body.c_str());
    ShowWindow(GetDlgItem(hwnd, kSummaryId), SW_HIDE);
    if (HWND list = GetDlgItem(hwnd, kTaskListId)) ShowWindow(list, SW_HIDE);
    for (int id : {kSubjectLabelId, kSubjectId, kNotesLabelId, kNotesId}) ShowWindow(GetDlgItem(hwnd, id), SW_SHOW);
    SetFocus(subject);
    int end = GetWindowTextLengthW(subject);
    SendMessageW(subject, EM_SETSEL, (WPARAM)end, (LPARAM)end);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The subjects of all tasks, the shown one selected.
void makeTaskList(HWND hwnd, Editor& ed) {
    HWND list = makeChild(hwnd, ed, WC_LISTBOXW, u"",
                          WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kTaskListId);
    for (const TaskRecord& t : *ed.tasks) SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)t.subject.c_str());
    SendMessageW(list, LB_SETCURSEL, (WPARAM)ed.shown, 0);
}

void showPicked(HWND hwnd, Editor& ed) {
    LRESULT picked = SendMessageW(GetDlgItem(hwnd, kTaskListId), LB_GETCURSEL, 0, 0);
    if (ed.editing || picked < 0 || (size_t)picked >= ed.tasks->size()) return;
    ed.shown = (size_t)picked;
    ed.task = &(*ed.tasks)[ed.shown];
    setSummaryTask(GetDlgItem(hwnd, kSummaryId), ed.task);
}

// Ends the editor, keeping what the fields hold.
void finish(HWND hwnd, Editor& ed) {
    if (ed.done) return;
    if (ed.editing) {
        ed.task->subject = textOf(GetDlgItem(hwnd, kSubjectId));
        ed.task->body = textOf(GetDlgItem(hwnd, kNotesId));
    }
    ed.done = true;
    DestroyWindow(hwnd);
}

LRESULT onCreate(HWND hwnd, Editor& ed) {
    ed.font = createTaskFont(false);
    if (!createTaskSummary(hwnd, kSummaryId, ed.task)) return -1;
    if (ed.tasks->size() > 1) makeTaskList(hwnd, ed);
    makeChild(hwnd, ed, u"static", u"Subject:", 0, kSubjectLabelId);
    makeChild(hwnd, ed, u"edit", u"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kSubjectId);
    makeChild(hwnd, ed, u"static", u"Notes:", 0, kNotesLabelId);
    makeChild(hwnd, ed, u"edit", u"",
              WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, kNotesId);
    return 0;
}

LRESULT onCommand(HWND hwnd, Editor& ed, WPARAM wParam) {
    if (LOWORD(wParam) == IDOK) finish(hwnd, ed);
    else if (LOWORD(wParam) == kSummaryId && HIWORD(wParam) == TSN_EDIT) beginEditing(hwnd, ed);
    else if (LOWORD(wParam) == kTaskListId && HIWORD(wParam) == LBN_SELCHANGE) showPicked(hwnd, ed);
    return 0;
}

void paintEditor(HWND hwnd, const Editor& ed) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    if (ed.editing) {
        // The rule between the subject and the notes.
        RECT c;
        GetClientRect(hwnd, &c);
        int s = scale(), y = 4 * s + 20 * s + 4 * s;
        RECT rule{4 * s, y, c.right - 4 * s, y + s};
        HBRUSH grey = CreateSolidBrush(RGB(160, 160, 160));
        FillRect(dc, &rule, grey);
        DeleteObject(grey);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK editorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) SetWindowLongW(hwnd, GWL_USERDATA, (LONG_PTR)((CREATESTRUCTW*)lParam)->lpCreateParams);
    Editor* ed = editorOf(hwnd);
    if (!ed) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_CREATE: return onCreate(hwnd, *ed);
        case WM_SIZE: layout(hwnd); return 0;
        case WM_PAINT: paintEditor(hwnd, *ed); return 0;
        case WM_COMMAND: return onCommand(hwnd, *ed, wParam);
        case WM_CLOSE: finish(hwnd, *ed); return 0;
        case WM_CTLCOLORSTATIC:
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (LRESULT)GetStockObject(WHITE_BRUSH);
        case WM_ACTIVATE: SHHandleWMActivate(hwnd, wParam, lParam, &ed->activate, 0); return 0;
        case WM_SETTINGCHANGE: SHHandleWMSettingChange(hwnd, wParam, lParam, &ed->activate); return 0;
        case WM_NCDESTROY:
            DeleteObject(ed->font);
            ed->font = nullptr;
            SetWindowLongW(hwnd, GWL_USERDATA, 0);
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void registerEditorClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = editorProc;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kTaskEditorClass;
    RegisterClassW(&wc);  // fails harmlessly when it is registered already
}

// Tab in the subject field goes on to the notes.
bool editorKeys(HWND hwnd, const MSG& m) {
    if (m.message != WM_KEYDOWN || m.wParam != VK_TAB || m.hwnd != GetDlgItem(hwnd, kSubjectId)) return false;
    HWND notes = GetDlgItem(hwnd, kNotesId);
    SetFocus(notes);
    SendMessageW(notes, EM_SETSEL, 0, -1);
    return true;
}

}  // namespace

bool runTaskEditor(std::vector<TaskRecord>& tasks, size_t& shown) {
    if (shown >= tasks.size()) return false;
    registerEditorClass();
    HWND front = GetForegroundWindow();
    Editor ed;
    ed.tasks = &tasks;
    ed.shown = shown;
    ed.task = &tasks[shown];
    ed.activate.cbSize = sizeof ed.activate;
    const device::ScreenConfig& sc = device::screenConfig();
    HWND hwnd = CreateWindowExW(0, kTaskEditorClass, kTaskEditorTitle, WS_POPUP, 0, device::navBarHeight(), sc.width,
                                sc.height - device::navBarHeight(), front, nullptr, nullptr, &ed);
    if (!hwnd) return false;
    SHINITDLGINFO init{};
    init.dwMask = SHIDIM_FLAGS;
    init.hDlg = hwnd;
    init.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;
    SHInitDialog(&init);
    layout(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetActiveWindow(hwnd);
    SetFocus(hwnd);
    device::runModalLoop(hwnd, front, &ed.done, [hwnd](MSG& m) { return editorKeys(hwnd, m); });
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    shown = ed.shown;
    return true;
}

}  // namespace pim
