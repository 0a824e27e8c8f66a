#include "chooser_fixture.h"


#include <filesystem>

#include "platform/controls/treeview/treeview_query.h"
#include "platform/system/code_page.h"
#include "platform/window/input.h"
#include "platform/window/window_system.h"
#include "resources/resource_ids.h"
#include "shell/app_reset.h"
#include "state/app_state.h"

namespace choosertest {
namespace {

void addLines(const device::treeview::ItemRecord& item, int depth, std::string& out) {
    out += std::string(size_t(depth) * 2, ' ') + device::wideToUtf8(item.text.c_str()) + (item.hasButton ? " +" : "") +
           "\n";
    for (const auto& child : item.children) addLines(child, depth + 1, out);
}

}  // namespace

void ChooserTest::SetUp() {
    files.create();
    testsupport::startHeadlessScreen();
    resetAppState();
    intWorkWidth = 240;
    messages.install();
}

void ChooserTest::TearDown() {
    testsupport::stopSteps();
    device::windowSystemReset();
    messages.uninstall();
}

void ChooserTest::makeFolder(const std::string& devicePath) {
    std::filesystem::create_directories(files.host(devicePath));
}

void ChooserTest::makeFile(const std::string& devicePath, const std::string& text) {
    files.writeBytes(devicePath, text);
}

bool ChooserTest::existsOnHost(const std::string& devicePath) const {
    return std::filesystem::exists(files.host(devicePath));
}

int ChooserTest::run(int mode, LPCWSTR extension, std::u16string& path, std::vector<std::function<void()>> steps,
                     int capacity) {
    std::vector<WCHAR> buffer(size_t(capacity), 0);
    std::char_traits<WCHAR>::copy(buffer.data(), path.data(), std::min(path.size(), size_t(capacity - 1)));
    FileChooserRequest request = {buffer.data(), u"Choose", extension, mode, capacity};
    testsupport::StepList played{std::move(steps)};
    testsupport::playSteps(played);
    HWND owner = CreateWindowExW(0, u"static", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                                 nullptr, nullptr);
    int result = chooseFile(owner, &request);
    testsupport::stopSteps();
    DestroyWindow(owner);
    path = buffer.data();
    return result;
}

HWND chooser() { return GetActiveWindow(); }
HWND chooserTree() { return GetDlgItem(chooser(), res::kIdChooserTree); }

std::string treeText() {
    std::string out;
    HWND tree = chooserTree();
    for (const auto& item : device::treeview::items(tree)) addLines(item, 0, out);
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
