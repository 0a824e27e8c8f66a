#include "dlg_fixture.h"

namespace dlgtest {

namespace {

struct ButtonState {
    bool pressed = false;
};

void record(HWND hwnd, const std::string& what) {
    log().push_back("ctl " + std::to_string(GetDlgCtrlID(hwnd)) + " " + what);
}

LRESULT CALLBACK buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD type = (DWORD)GetWindowLongW(hwnd, GWL_STYLE) & 0x0F;
    switch (msg) {
        case WM_CREATE: record(hwnd, "WM_CREATE"); return 0;
        case WM_SETFONT: record(hwnd, "WM_SETFONT"); return 0;
        case WM_GETDLGCODE:
            if (type == kBsAutoRadioButton) return DLGC_BUTTON | DLGC_RADIOBUTTON;
            if (type == kBsAutoCheckBox) return DLGC_BUTTON;
            return DLGC_BUTTON | (type == kBsDefPushButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case 0x00F4: {  // BM_SETSTYLE
            LONG_PTR style = GetWindowLongW(hwnd, GWL_STYLE);
            SetWindowLongW(hwnd, GWL_STYLE, (style & ~0x0F) | (LONG_PTR)(wParam & 0x0F));
            return 0;
        }
        case kBmGetCheck: return GetWindowLongW(hwnd, GWL_USERDATA);
        case kBmSetCheck: SetWindowLongW(hwnd, GWL_USERDATA, (LONG_PTR)wParam); return 0;
        case 0x00F5:  // BM_CLICK
            if (type == kBsAutoRadioButton) {
                // Unchecks the rest of its group, as the device's automatic radio buttons do.
                HWND parent = GetParent(hwnd);
                for (HWND c = GetNextDlgGroupItem(parent, hwnd, FALSE); c && c != hwnd;
                     c = GetNextDlgGroupItem(parent, c, FALSE))
                    SendMessageW(c, kBmSetCheck, 0, 0);
                SendMessageW(hwnd, kBmSetCheck, 1, 0);
            } else if (type == kBsAutoCheckBox) {
                SendMessageW(hwnd, kBmSetCheck, !SendMessageW(hwnd, kBmGetCheck, 0, 0), 0);
            }
            SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0), (LPARAM)hwnd);
            return 0;
        case WM_LBUTTONDOWN: SetCapture(hwnd); return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) {
                ReleaseCapture();
                SendMessageW(hwnd, 0x00F5, 0, 0);
            }
            return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: record(hwnd, "WM_CREATE"); return 0;
        case WM_SETFONT: record(hwnd, "WM_SETFONT"); return 0;
        case WM_SETFOCUS: record(hwnd, "WM_SETFOCUS"); return 0;
        case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case kEmSetSel: record(hwnd, "EM_SETSEL"); return 0;
        case WM_CHAR: {
            std::u16string t = textOf(hwnd) + (char16_t)wParam;
            SetWindowTextW(hwnd, t.c_str());
            return 0;
        }
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK labelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: record(hwnd, "WM_CREATE"); return 0;
        case WM_SETFONT: record(hwnd, "WM_SETFONT"); return 0;
        case WM_NCHITTEST: return HTTRANSPARENT;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK ownerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void registerClass(const char16_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    ASSERT_NE(RegisterClassW(&wc), 0);
}

}  // namespace

std::vector<std::string>& log() {
    static std::vector<std::string> lines;
    return lines;
}

std::vector<std::string> takeLog() {
    std::vector<std::string> out;
    out.swap(log());
    return out;
}

void DialogTest::SetUp() {
    device::windowSystemReset();
    device::screenConfigure(false);
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    device::headlessHost().resetCounters();
    device::resourceClearAll();
    log().clear();
    registerClass(kButton, buttonProc);
    registerClass(kEdit, editProc);
    registerClass(kLabel, labelProc);
    registerClass(u"towner", ownerProc);
}

void DialogTest::TearDown() {
    EXPECT_TRUE(device::windowTreeConsistent());
    device::headlessHost().setIdleDriver({});
    device::windowSystemReset();
    device::resourceClearAll();
}

void DialogTest::addTemplate(int id, device::DialogTemplate t) {
    templates_.push_back(std::make_unique<device::DialogTemplate>(std::move(t)));
    device::resourceRegister(device::kResDialog, id, templates_.back().get(), 0);
}

HWND DialogTest::makeOwner(int x, int y, int w, int h) {
    HWND owner = CreateWindowExW(0, u"towner", u"Owner", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                                 nullptr, nullptr);
    SetActiveWindow(owner);
    return owner;
}

void tap(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    device::penDown(x, y);
    device::penUp(x, y);
}

void press(unsigned vk) {
    device::keyDown(vk);
    device::keyUp(vk);
}

RECT rectInParent(HWND ctrl) {
    RECT r;
    GetWindowRect(ctrl, &r);
    MapWindowPoints(nullptr, GetParent(ctrl), (LPPOINT)&r, 2);
    return r;
}

std::u16string textOf(HWND hwnd) {
    char16_t buf[256];
    GetWindowTextW(hwnd, buf, 256);
    return buf;
}

}  // namespace dlgtest
