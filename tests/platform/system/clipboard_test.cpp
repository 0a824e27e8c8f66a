// The clipboard as the edit controls use it: CF_UNICODETEXT in moveable
// blocks, and the host's connection to the desktop.
#include <gtest/gtest.h>

#include <string>

#include "platform/system/clipboard_host.h"
#include "windows.h"

namespace {

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { device::clipboardReset(); }
    void TearDown() override {
        device::clipboardSetHost({});
        device::clipboardReset();
    }
    static HWND window(int n) { return (HWND)(uintptr_t)(0x1000 + 4 * n); }

    static bool copyText(HWND owner, const std::u16string& text) {
        if (!OpenClipboard(owner)) return false;
        EmptyClipboard();
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(WCHAR));
        wcscpy((WCHAR*)GlobalLock(h), text.c_str());
        GlobalUnlock(h);
        bool ok = SetClipboardData(CF_UNICODETEXT, h) == h;
        CloseClipboard();
        return ok;
    }
    static std::u16string pasteText(HWND who) {
        if (!OpenClipboard(who)) return u"<busy>";
        std::u16string text = u"<none>";
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            text = (const WCHAR*)GlobalLock(h);
            GlobalUnlock(h);
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(ClipboardTest, CopyAndPasteText) {
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    ASSERT_TRUE(copyText(window(1), u"Milk \u20AC"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(window(1), GetClipboardOwner());
    EXPECT_EQ(u"Milk \u20AC", pasteText(window(2)));
    ASSERT_TRUE(copyText(window(2), u"Bread"));  // the old block is freed by the clipboard
    EXPECT_EQ(u"Bread", pasteText(window(1)));
}

TEST_F(ClipboardTest, OpenRulesAndErrors) {
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ((DWORD)ERROR_CLIPBOARD_NOT_OPEN, GetLastError());
    EXPECT_FALSE(EmptyClipboard());
    HGLOBAL h = GlobalAlloc(GHND, 8);
    EXPECT_EQ(nullptr, SetClipboardData(CF_UNICODETEXT, h));  // not open: still ours
    EXPECT_EQ(nullptr, GlobalFree(h));
    ASSERT_TRUE(OpenClipboard(window(1)));
    EXPECT_FALSE(OpenClipboard(window(2)));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_EQ(nullptr, SetClipboardData(CF_UNICODETEXT, (HANDLE)(uintptr_t)0x12345));
    EXPECT_EQ(nullptr, GetClipboardData(CF_UNICODETEXT));
    EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, MemoryBlocks) {
    HGLOBAL moveable = GlobalAlloc(GHND, 16);
    ASSERT_NE(nullptr, moveable);
    EXPECT_EQ(16u, GlobalSize(moveable));
    BYTE* p = (BYTE*)GlobalLock(moveable);
    ASSERT_NE(nullptr, p);
    EXPECT_NE((void*)p, (void*)moveable);
    EXPECT_EQ(0, p[15]);  // zero-initialised
    EXPECT_EQ(p, GlobalLock(moveable));
    EXPECT_TRUE(GlobalUnlock(moveable));  // still locked once
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ((DWORD)ERROR_SUCCESS, GetLastError());
    EXPECT_EQ(nullptr, GlobalFree(moveable));
    EXPECT_EQ(moveable, GlobalFree(moveable));  // a second free is refused
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_EQ(nullptr, GlobalLock(moveable));

    HLOCAL fixed = LocalAlloc(LPTR, 4);
    EXPECT_EQ((void*)fixed, LocalLock(fixed));
    EXPECT_EQ(nullptr, LocalFree(fixed));
    EXPECT_EQ(nullptr, LocalFree(nullptr));
}

TEST_F(ClipboardTest, TextTravelsToAndFromTheDesktop) {
    std::u16string desktop = u"from the desktop";
    int published = 0;
    device::ClipboardHost host;
    host.publish = [&](const std::u16string& t) {
        desktop = t;
        ++published;
    };
    host.fetch = [&](std::u16string& t) {
        t = desktop;
        return true;
    };
    device::clipboardSetHost(host);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(u"from the desktop", pasteText(window(1)));
    EXPECT_EQ(0, published);  // reading gives nothing back
    ASSERT_TRUE(copyText(window(1), u"from the device"));
    EXPECT_EQ(1, published);
    EXPECT_EQ(u"from the device", desktop);
    EXPECT_EQ(u"from the device", pasteText(window(2)));
    desktop = u"changed outside";
    EXPECT_EQ(u"changed outside", pasteText(window(2)));
}

}  // namespace
