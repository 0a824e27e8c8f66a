#include "chooser_fixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "common/message_dialog.h"
#include "platform/controls/treeview/treeview_query.h"
#include "platform/host/register_controls.h"
#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "platform/system/system_startup.h"
#include "platform/window/headless_host.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"

namespace choosertest {
namespace {

ChooserTest* current = nullptr;

int recordMessage(HWND, LPCWSTR text, LPCWSTR caption, int style) {
    current->shown.push_back(device::wideToUtf8(caption) + "|" + device::wideToUtf8(text) + "|" +
                             std::to_string(style));
    if (current->answers.empty()) return 1;
    int answer = current->answers.front();
    current->answers.erase(current->answers.begin());
    return answer;
}

struct Steps {
    std::vector<std::function<void()>> list;
    size_t next = 0;
    bool operator()() {
        if (next >= list.size()) return false;
        list[next++]();
        return true;
    }
};

std::string hostPath(const std::string& devicePath) {
    std::string host;
    device::deviceToHost(device::utf8ToWide(devicePath), host);
    return host;
}

void addLines(HWND tree, const device::treeview::ItemRecord& item, int depth, std::string& out) {
    out += std::string(size_t(depth) * 2, ' ') + device::wideToUtf8(item.text.c_str()) + (item.hasButton ? " +" : "") +
           "\n";
    for (const auto& child : item.children) addLines(tree, child, depth + 1, out);
}

}  // namespace

void ChooserTest::SetUp() {
    char pattern[] = "/tmp/qp_chooser_root_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    std::filesystem::create_directories(root + "/card");
    device::SystemConfig config;
    config.rootDir = root + "/device";
    config.cardDir = root + "/card";
    ASSERT_TRUE(device::systemStartup(config));
    device::windowSystemReset();
    device::screenConfigure(false);
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    device::registerDeviceClasses();
    registerProgramResources();
    bHiRes = 0;
    intUnit = 2;
    intScale = 1;
    intWorkWidth = 240;
    current = this;
    setMessageDialogHandler(recordMessage);
}

void ChooserTest::TearDown() {
    device::headlessHost().setIdleDriver({});
    device::windowSystemReset();
    setMessageDialogHandler(nullptr);
    current = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void ChooserTest::makeFolder(const std::string& devicePath) {
    std::filesystem::create_directories(hostPath(devicePath));
}

void ChooserTest::makeFile(const std::string& devicePath, const std::string& text) {
    std::ofstream(hostPath(devicePath), std::ios::binary) << text;
}

bool ChooserTest::existsOnHost(const std::string& devicePath) const {
    std::string host;
    return device::deviceToHost(device::utf8ToWide(devicePath), host) && std::filesystem::exists(host);
}

int ChooserTest::run(int mode, LPCWSTR extension, std::u16string& path, std::vector<std::function<void()>> steps,
                     int capacity) {
    std::vector<WCHAR> buffer(size_t(capacity), 0);
    std::char_traits<WCHAR>::copy(buffer.data(), path.data(), std::min(path.size(), size_t(capacity - 1)));
    FileChooserRequest request = {buffer.data(), u"Choose", extension, mode, capacity};
    Steps played{std::move(steps)};
    device::headlessHost().setIdleDriver(std::ref(played));
    HWND owner = CreateWindowExW(0, u"static", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                                 nullptr, nullptr);
    int result = chooseFile(owner, &request);
    device::headlessHost().setIdleDriver({});
    DestroyWindow(owner);
    path = buffer.data();
    return result;
}

HWND chooser() { return GetActiveWindow(); }
HWND chooserTree() { return GetDlgItem(chooser(), res::kIdChooserTree); }

std::string treeText() {
    std::string out;
    HWND tree = chooserTree();
    for (const auto& item : device::treeview::items(tree)) addLines(tree, item, 0, out);
    return out;
}

HTREEITEM node(const std::u16string& labels) { return device::treeview::findByPath(chooserTree(), labels); }

void selectNode(const std::u16string& labels) {
    SendMessageW(chooserTree(), TVM_SELECTITEM, TVGN_CARET, (LPARAM)node(labels));
}

void expandNode(const std::u16string& labels) {
    SendMessageW(chooserTree(), TVM_EXPAND, TVE_EXPAND, (LPARAM)node(labels));
}

void tapButton(const std::u16string& labels) {
    device::treeview::ItemRects rects;
    ASSERT_TRUE(device::treeview::itemScreenRects(chooserTree(), node(labels), true, rects));
    int x = (rects.button.left + rects.button.right) / 2;
    int y = (rects.button.top + rects.button.bottom) / 2;
    device::penDown(x, y);
    device::penUp(x, y);
}

void tapPicture(int id) {
    RECT rc;
    GetWindowRect(GetDlgItem(chooser(), id), &rc);
    device::penDown((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    device::penUp((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void finishLabelEdit(const std::u16string& text, bool cancel) {
    HWND edit = (HWND)SendMessageW(chooserTree(), TVM_GETEDITCONTROL, 0, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, text.c_str());
    SendMessageW(chooserTree(), TVM_ENDEDITLABELNOW, cancel ? TRUE : FALSE, 0);
}

std::u16string fileNameText() {
    WCHAR text[300] = {};
    GetDlgItemTextW(chooser(), res::kIdChooserFileName, text, 300);
    return text;
}

void setFileName(const std::u16string& text) { SetDlgItemTextW(chooser(), res::kIdChooserFileName, text.c_str()); }

}  // namespace choosertest
