// The task editor that Display shows: found as programs find it, opened
// for editing by command 105 to its "Task" child (or a tap), closed with
// the navigation bar's "ok", and what was typed is stored.
#include "pim_fixture.h"

#include "platform/pim/task_editor.h"
#include "platform/pim/task_summary.h"
#include "platform/system/storage_limit.h"
#include "platform/window/message_box.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"

namespace pimtest {
namespace {

std::u16string textOf(HWND h) {
    WCHAR buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

HWND taskChild(HWND editor) {
    for (HWND c = GetWindow(editor, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (textOf(c) == u"Task") return c;
    return nullptr;
}

// The navigation bar's "ok", tapped.
void tapOk() {
    int s = device::screenConfig().scale;
    int x = device::screenConfig().width - 3 * s - 13 * s, y = device::navBarHeight() / 2;
    device::penDown(x, y);
    device::penUp(x, y);
}

class TaskEditor : public PimTest {
protected:
    void SetUp() override {
        PimTest::SetUp();
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"owner";
        RegisterClassW(&wc);
        owner_ = CreateWindowExW(0, u"owner", u"Quillet Pro", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr,
                                 nullptr, nullptr, nullptr);
        SetActiveWindow(owner_);
        app_ = logOn();
        ASSERT_NE(app_, nullptr);
        IDispatch* item = nullptr;
        ASSERT_EQ(app_->CreateItem(olTaskItem, &item), S_OK);
        task_ = static_cast<ITask*>(item);
        WCHAR subject[] = u"Buy milk";
        WCHAR body[] = u"Two litres";
        task_->put_Subject(subject);
        task_->put_Body(body);
    }
    void TearDown() override {
        if (task_) task_->Release();
        if (app_) {
            app_->Logoff();
            app_->Release();
        }
        CoUninitialize();
        PimTest::TearDown();
    }
    HWND owner_ = nullptr;
    IPOutlookApp* app_ = nullptr;
    ITask* task_ = nullptr;
};

TEST_F(TaskEditor, Command105OpensTheSubjectForEditingAndOkStoresWhatWasTyped) {
    ASSERT_EQ(task_->Save(), S_OK);
    HWND editor = nullptr, child = nullptr, focus = nullptr;
    int focusId = 0;
    RECT rect{};
    bool ownerDisabled = false;
    DWORD selStart = 0, selEnd = 0;
    drive({[&] {
               editor = FindWindowW(u"Dialog", u"Tasks");
               child = taskChild(editor);
               GetWindowRect(editor, &rect);
               ownerDisabled = !IsWindowEnabled(owner_);
               SendMessageW(child, WM_COMMAND, 105, 0);
           },
           [&] {
               focus = GetFocus();
               focusId = GetDlgCtrlID(focus);
               SendMessageW(focus, EM_GETSEL, (WPARAM)&selStart, (LPARAM)&selEnd);
               for (char16_t c : std::u16string(u" today")) device::typeChar(c);
           },
           [&] { device::keyDown(VK_TAB); },
           [&] { for (char16_t c : std::u16string(u"One litre")) device::typeChar(c); },
           [&] { tapOk(); }});
    EXPECT_EQ(task_->Display(), S_OK);
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(IsWindow(editor));  // gone again
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    // Full screen below the navigation bar, above its own menu bar.
    EXPECT_EQ(rect.top, device::navBarHeight());
    EXPECT_EQ(rect.right - rect.left, device::screenConfig().width);
    EXPECT_EQ(rect.bottom, device::screenConfig().height - GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(focusId, pim::kSubjectId);
    EXPECT_EQ(selStart, 8u);
    EXPECT_EQ(selEnd, 8u);
    std::vector<pim::TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].subject, u"Buy milk today");
    EXPECT_EQ(tasks[0].body, u"One litre");
}

TEST_F(TaskEditor, TheSummaryShowsTheTaskAndOkWithoutEditingChangesNothing) {
    ASSERT_EQ(task_->Save(), S_OK);
    bool summaryShown = false, subjectShown = true;
    drive({[&] {
               HWND editor = FindWindowW(u"Dialog", u"Tasks");
               summaryShown = IsWindowVisible(GetDlgItem(editor, pim::kSummaryId)) != FALSE;
               subjectShown = IsWindowVisible(GetDlgItem(editor, pim::kSubjectId)) != FALSE;
               // Commands other than 105 leave the summary alone.
               SendMessageW(taskChild(editor), WM_COMMAND, 104, 0);
           },
           [&] { tapOk(); }});
    EXPECT_EQ(task_->Display(), S_OK);
    EXPECT_TRUE(summaryShown);
    EXPECT_FALSE(subjectShown);
    std::vector<pim::TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].subject, u"Buy milk");
    EXPECT_EQ(tasks[0].body, u"Two litres");
}

TEST_F(TaskEditor, ATapOnTheSummaryEditsTooAndATaskShownUnsavedIsStoredOnClosing) {
    bool editing = false;
    drive({[&] {
               HWND editor = FindWindowW(u"Dialog", u"Tasks");
               RECT r{};
               GetWindowRect(taskChild(editor), &r);
               device::penDown(r.left + 40, r.top + 60);
               device::penUp(r.left + 40, r.top + 60);
           },
           [&] {
               HWND editor = FindWindowW(u"Dialog", u"Tasks");
               editing = IsWindowVisible(GetDlgItem(editor, pim::kNotesId)) != FALSE;
               PostMessageW(editor, WM_CLOSE, 0, 0);
           }});
    EXPECT_EQ(task_->Display(), S_OK);
    EXPECT_TRUE(editing);
    EXPECT_EQ(FindWindowW(u"Dialog", u"Tasks"), nullptr);
    std::vector<pim::TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].subject, u"Buy milk");
}

// A task another program wrote is listed beside ours; picked and edited, it
// keeps what we do not use.
TEST_F(TaskEditor, TheListShowsOtherProgramsTasksAndEditingOneKeepsItsOwnProperties) {
    writeHost("Windows/Tasks/theirs.ics",
              "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\nUID:theirs-1\r\n"
              "DTSTAMP:20250101T120000Z\r\nSUMMARY:Call Ann\r\nDUE;VALUE=DATE:20260301\r\nX-OTHER:kept\r\n"
              "END:VTODO\r\nEND:VCALENDAR\r\n");
    ASSERT_EQ(task_->Save(), S_OK);
    std::vector<std::u16string> listed;
    LRESULT selected = -1;
    drive({[&] {
               HWND list = GetDlgItem(FindWindowW(u"Dialog", u"Tasks"), pim::kTaskListId);
               int n = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
               for (int i = 0; i < n; ++i) {
                   WCHAR buf[64] = {};
                   SendMessageW(list, LB_GETTEXT, (WPARAM)i, (LPARAM)buf);
                   listed.push_back(buf);
               }
               selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
               // Picked with the pen, as a person would.
               RECT r{};
               SendMessageW(list, LB_GETITEMRECT, 1, (LPARAM)&r);
               POINT p{r.left + 10, r.top + 3};
               ClientToScreen(list, &p);
               device::penDown(p.x, p.y);
               device::penUp(p.x, p.y);
           },
           [&] { SendMessageW(taskChild(FindWindowW(u"Dialog", u"Tasks")), WM_COMMAND, 105, 0); },
           [&] { for (char16_t c : std::u16string(u" back")) device::typeChar(c); },
           [&] { tapOk(); }});
    EXPECT_EQ(task_->Display(), S_OK);
    // In the order the store first saw them, the shown one selected.
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"Buy milk", u"Call Ann"}));
    EXPECT_EQ(selected, 0);
    std::vector<pim::TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].subject, u"Buy milk");
    EXPECT_EQ(tasks[1].subject, u"Call Ann back");
    std::string theirs = readHost("Windows/Tasks/theirs.ics");
    for (const char* kept : {"PRODID:-//Other//EN", "DUE;VALUE=DATE:20260301", "X-OTHER:kept", "UID:theirs-1"})
        EXPECT_NE(theirs.find(kept), std::string::npos) << kept;
}

TEST_F(TaskEditor, ATaskTheFullStoreRefusesIsSaidInAMessageBoxAndNotClaimedSaved) {
    device::fsSetStorageLimit(device::fsStorageUsed() + 10);
    std::u16string said;
    drive({[&] { tapOk(); },
           [&] {
               HWND box = GetForegroundWindow();
               if (device::isMessageBox(box)) said = device::messageBoxText(box);
               device::keyDown(VK_RETURN);
           }});
    EXPECT_EQ(task_->Display(), E_FAIL);
    EXPECT_EQ(said, u"The task could not be saved because the storage is full.");
    EXPECT_TRUE(device::storedTasks().empty());
}

}  // namespace
}  // namespace pimtest
