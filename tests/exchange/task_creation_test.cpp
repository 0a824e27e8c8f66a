// Create Task on a real outline: the selected item's text and note become a
// stored task, the editor shows it and timer 2 opens it for editing; every
// way the task store can fail gives its messages and makes no task.
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/quillet_identity.h"
#include "common/message_dialog.h"
#include "crypto/cipher.h"
#include "exchange/task_creation.h"
#include "outline/current_items.h"
#include "outline/tree/outline_fixture.h"
#include "pimstore.h"
#include "platform/pim/pim_library.h"
#include "platform/pim/pim_objects.h"
#include "platform/pim/task_editor.h"
#include "platform/pim/task_store.h"
#include "platform/shell/input_panel.h"
#include "platform/system/device_clock.h"
#include "platform/window/message_box.h"
#include "shell/main_window.h"

namespace {

struct Shown {
    std::u16string text;
    std::u16string caption;
    bool platform;  // the platform's message box, else the message dialog
    int style;
};

std::vector<Shown>& shown() {
    static std::vector<Shown> list;
    return list;
}

int recordDialog(HWND, LPCWSTR text, LPCWSTR caption, int style) {
    shown().push_back({text ? text : u"", caption ? caption : u"", false, style});
    return 1;
}

std::u16string windowText(HWND h) {
    WCHAR buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

// The test's main window handles its timers as the program's does.
WNDPROC testProc = nullptr;
LRESULT CALLBACK timerForwardingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) return mainWndProc(hwnd, msg, wParam, lParam);
    return CallWindowProcW(testProc, hwnd, msg, wParam, lParam);
}

const char16_t kLoggedOut[] = u"Could not log on to POOM";
const char16_t kSeeGuide[] = u"Failed to Register pimstore.dll. See the 'Troubleshooting' section of the user guide.";

class TaskCreation : public outline_test::OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        ASSERT_TRUE(device::installTaskStore());
        shown().clear();
        previousDialog_ = setMessageDialogHandler(recordDialog);
        testProc = (WNDPROC)SetWindowLongW(hwndMain, GWL_WNDPROC, (LONG_PTR)timerForwardingProc);
        // Boxes are answered and noted; the editor is handed to `onEditor`.
        device::headlessHost().setIdleDriver([this] {
            HWND front = GetForegroundWindow();
            if (front && device::isMessageBox(front)) {
                shown().push_back({device::messageBoxText(front), windowText(front), true, 0});
                device::keyDown(VK_RETURN);
                return true;
            }
            HWND editor = FindWindowW(u"Dialog", u"Tasks");
            if (editor && !editorSteps_.empty()) {
                auto step = editorSteps_.front();
                editorSteps_.erase(editorSteps_.begin());
                step(editor);
                return true;
            }
            return false;
        });
    }
    void TearDown() override {
        setMessageDialogHandler(previousDialog_);
        EXPECT_EQ(pim::liveObjects(), 0);
        // The command left COM uninitialised.
        EXPECT_EQ(CoInitializeEx(nullptr, 0), S_OK);
        CoUninitialize();
        OutlineTest::TearDown();
    }

    std::string hostPath(const std::string& relative) const { return root + "/" + relative; }
    void select(LONG id) { SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(id)); }
    void createTask() {
        onCreateTask(hwndMain, 40074, nullptr, 0);
        device::runUntilIdle();
    }
    // Closes the editor with its ok as soon as it is up.
    void closeEditorAtOnce() {
        editorSteps_ = {[](HWND editor) { PostMessageW(editor, WM_COMMAND, IDOK, 0); }};
    }
    std::vector<std::u16string> texts() const {
        std::vector<std::u16string> out;
        for (const Shown& s : shown()) out.push_back(s.text);
        return out;
    }

    MessageDialogHandler previousDialog_ = nullptr;
    std::vector<std::function<void(HWND)>> editorSteps_;
};

TEST_F(TaskCreation, TheItemBecomesATaskAndHalfASecondLaterTheEditorOpensItsSubject) {
    addRow(1, 0, 1, "Joe's \"cr\xE8me br\xFBl\xE9" "e\" \x96 5\x80", 0, 0, 0, 1, 1, "Eggs, cream\r\nand 100% sugar");
    addRow(2, 0, 2, "Bread");
    load();
    select(1);
    bool editingBefore = true, editingAfter = false;
    int focusId = 0;
    editorSteps_ = {[&](HWND editor) {
                        editingBefore = IsWindowVisible(GetDlgItem(editor, pim::kSubjectId)) != FALSE;
                        device::clockAdvance(500);  // timer 2 falls due
                    },
                    [&](HWND editor) {
                        editingAfter = IsWindowVisible(GetDlgItem(editor, pim::kSubjectId)) != FALSE;
                        focusId = GetDlgCtrlID(GetFocus());
                        SipShowIM(SIPF_ON);  // the program lowers it when the editor is done
                        PostMessageW(editor, WM_COMMAND, IDOK, 0);
                    }};
    createTask();
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(editingBefore);
    EXPECT_TRUE(editingAfter);
    EXPECT_EQ(focusId, pim::kSubjectId);
    std::vector<pim::TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].subject, u"Joe's \"cr\u00E8me br\u00FBl\u00E9e\" \u2013 5\u20AC");
    EXPECT_EQ(tasks[0].body, u"Eggs, cream\r\nand 100% sugar");
    // The class was registered on the way, and the panel is down again.
    EXPECT_FALSE(shell::sipIsOn());
    EXPECT_EQ(FindWindowW(u"Dialog", u"Tasks"), nullptr);
}

TEST_F(TaskCreation, AProtectedListGivesThePlainTextsAndANoteLessItemNoBody) {
    ASSERT_EQ(setCipherKey("secret"), 0);
    attrCurrentList.bPassword = 1;
    const char16_t* texts[] = {u"Safe code", u"Bank"};
    const char16_t* notes[] = {u"1234 \u00E9", u""};
    for (int i = 0; i < 2; ++i) {
        ItemRecord record{};
        record.longOrder = i + 1;
        record.bDisplay = 1;
        record.bNote = notes[i][0] != 0;
        std::char_traits<char16_t>::copy(record.strText, texts[i], std::char_traits<char16_t>::length(texts[i]) + 1);
        std::char_traits<char16_t>::copy(record.strNoteText, notes[i], std::char_traits<char16_t>::length(notes[i]) + 1);
        record.fieldMask = ITEM_ALL;
        ASSERT_GT(writeItem(itemTableOf(dbCurrent, strCurrentList), record), 0);
    }
    ASSERT_NE(field(1, "strText"), "Safe code");
    load();
    select(1);
    closeEditorAtOnce();
    createTask();
    select(2);
    closeEditorAtOnce();
    createTask();
    EXPECT_TRUE(shown().empty());
    std::vector<pim::TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].subject, u"Safe code");
    EXPECT_EQ(tasks[0].body, u"1234 \u00E9");
    EXPECT_EQ(tasks[1].subject, u"Bank");
    EXPECT_EQ(tasks[1].body, u"");
}

TEST_F(TaskCreation, WithoutASelectedItemOrItsRowNothingHappens) {
    addRow(1, 0, 1, "Milk");
    load();
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    createTask();
    // A node whose item data is 0, and one whose row has gone.
    select(1);
    setItemId(hwndMainTV, byId(1), 0);
    createTask();
    HTREEITEM node = treeRoot(hwndMainTV);
    setItemId(hwndMainTV, node, 9);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
    createTask();
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(device::storedTasks().empty());
    EXPECT_FALSE(std::filesystem::exists(hostPath("Windows/tasks.dat")));
}

// Each way the store can fail: the platform's messages in order, then the
// program's own, and no task.
TEST_F(TaskCreation, EveryFailureOnTheWayToTheStoreIsReportedAndMakesNoTask) {
    addRow(1, 0, 1, "Milk");
    load();
    select(1);
    const std::string library = hostPath("Windows/pimstore.dll");
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::vector<std::u16string> messages;
    } cases[] = {
        {"no library",
         [&] { std::filesystem::remove(library); },
         {u"RegisterFile: (A) Failed to register pimstore.dll. Please make sure its in the \\Windows folder", kSeeGuide,
          kLoggedOut}},
        {"no DllRegisterServer",
         [&] {
             std::ofstream(library, std::ios::trunc) << "quillet-library 1\nimage pimstore\nexport DllGetClassObject\n";
         },
         {u"RegisterFile: DllRegisterServer is NULL", kSeeGuide, kLoggedOut}},
        {"registration not written",
         [&] { std::filesystem::create_directories(hostPath("Windows/registry.dat.tmp")); },
         {u"DllRegisterServer call failed", kSeeGuide, kLoggedOut}},
        {"registered but not served",
         [&] {
             std::ofstream(library, std::ios::trunc) << "quillet-library 1\nimage pimstore\nexport DllRegisterServer\n";
         },
         {u"CoCreateInstance failed. See the 'Troubleshooting' section of the user guide.", kLoggedOut}},
        {"store unreadable",
         [&] { std::ofstream(hostPath("Windows/Tasks")) << "a file where the task folder belongs"; },
         {u"Failure to logon to app object.", kLoggedOut}},
        {"COM in another model",
         [&] { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); },
         {u"Error in call to CoInitializeEx", kLoggedOut}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        device::setProgramIdentity(quilletIdentity());
        ASSERT_TRUE(device::systemStartup(device::SystemConfig{root, root + "/card"}));
        ASSERT_TRUE(device::installTaskStore());
        shown().clear();
        c.arrange();
        createTask();
        EXPECT_EQ(texts(), c.messages);
        ASSERT_EQ(shown().size(), c.messages.size());
        // The platform's boxes carry the captions given ("Error", or the
        // device's own when none is), the last is the program's dialog.
        for (size_t i = 0; i + 1 < shown().size(); ++i) {
            EXPECT_TRUE(shown()[i].platform);
            EXPECT_EQ(shown()[i].caption, u"Error");
        }
        EXPECT_FALSE(shown().back().platform);
        EXPECT_EQ(shown().back().caption, u"Error");
        EXPECT_EQ(shown().back().style, 48);
        EXPECT_TRUE(device::storedTasks().empty());
        if (std::string(c.name) == "COM in another model") CoUninitialize();
        std::filesystem::remove_all(hostPath("Windows/registry.dat.tmp"));
        std::filesystem::remove_all(hostPath("Windows/Tasks"));
    }
}

TEST_F(TaskCreation, ATaskThatCannotBeSavedIsReportedAndNotShown) {
    addRow(1, 0, 1, "Milk");
    load();
    select(1);
    // The store can be read at the logon (there is no folder yet, so no
    // task), but its folder cannot be made: a file lies on its way.
    std::ofstream(hostPath("in the way")) << "a file";
    pim::setTaskFolder(hostPath("in the way/Tasks"));
    bool editorSeen = false;
    editorSteps_ = {[&](HWND editor) {
        editorSeen = true;
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
    }};
    createTask();
    EXPECT_FALSE(editorSeen);
    EXPECT_EQ(texts(), std::vector<std::u16string>{u"Could not create the task in POOM"});
    EXPECT_EQ(shown()[0].style, 48);
    EXPECT_TRUE(device::storedTasks().empty());
    pim::setTaskFolder("");
}

struct Poke {
    HWND to;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Poke>& poked() {
    static std::vector<Poke> list;
    return list;
}

LRESULT CALLBACK pokedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) poked().push_back({hwnd, wParam, lParam});
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(TaskCreation, ThePokeGoesToTheFirstChildNamedExactlyTaskOfTheTasksDialog) {
    pokeTaskEditor();  // nothing to find
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Dialog";
    ASSERT_NE(RegisterClassW(&wc), 0);
    wc.lpfnWndProc = pokedProc;
    wc.lpszClassName = u"poked";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND notes = CreateWindowExW(0, u"Dialog", u"Notes", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExW(0, u"poked", u"Task", WS_CHILD, 0, 0, 5, 5, notes, nullptr, nullptr, nullptr);
    pokeTaskEditor();
    EXPECT_TRUE(poked().empty());
    HWND tasks = CreateWindowExW(0, u"Dialog", u"Tasks", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::vector<HWND> children;
    for (const char16_t* text : {u"Tasks", u"task", u"Task ", u"Task", u"Task"})
        children.push_back(CreateWindowExW(0, u"poked", text, WS_CHILD, 0, 0, 5, 5, tasks, nullptr, nullptr, nullptr));
    pokeTaskEditor();
    ASSERT_EQ(poked().size(), 1u);
    EXPECT_EQ(poked()[0].to, children[3]);
    EXPECT_EQ(poked()[0].wParam, 105u);
    EXPECT_EQ(poked()[0].lParam, 0);
    EXPECT_TRUE(shown().empty());
}

}  // namespace
