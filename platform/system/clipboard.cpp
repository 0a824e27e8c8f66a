// The device clipboard: one set of formats, owned by the window that emptied
// it last, open to one window at a time.
#include <cstring>
#include <map>
#include <string>

#include "platform/system/clipboard_host.h"
#include "wcrt.h"
#include "winbase.h"
#include "winclip.h"
#include "winerror.h"

namespace {

struct Clipboard {
    bool open = false;
    HWND opener = nullptr;
    HWND owner = nullptr;
    std::map<UINT, HANDLE> data;
    bool textChanged = false;     // text set since it was opened
    std::u16string lastExchanged;  // the text last given to or taken from the desktop
    device::ClipboardHost host;
};

Clipboard& clip() {
    static Clipboard c;
    return c;
}

void freeAll(Clipboard& c) {
    for (auto& [format, h] : c.data) GlobalFree(h);
    c.data.clear();
}

BOOL fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// The text of a CF_UNICODETEXT block, up to its NUL or its end.
std::u16string textOf(HANDLE h) {
    const WCHAR* p = (const WCHAR*)GlobalLock(h);
    if (!p) return u"";
    size_t max = GlobalSize(h) / sizeof(WCHAR), n = 0;
    while (n < max && p[n]) ++n;
    std::u16string s(p, n);
    GlobalUnlock(h);
    return s;
}

// Takes the desktop's text when it changed there since we last exchanged.
void fetchFromHost(Clipboard& c) {
    std::u16string text;
    if (!c.host.fetch || !c.host.fetch(text) || text == c.lastExchanged) return;
    c.lastExchanged = text;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(WCHAR));
    if (!h) return;
    WCHAR* p = (WCHAR*)GlobalLock(h);
    memcpy(p, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    GlobalUnlock(h);
    freeAll(c);
    c.data[CF_UNICODETEXT] = h;
    c.owner = nullptr;
}

}  // namespace

namespace device {

void clipboardSetHost(ClipboardHost host) { clip().host = std::move(host); }

void clipboardReset() {
    Clipboard& c = clip();
    freeAll(c);
    c.open = false;
    c.opener = c.owner = nullptr;
    c.textChanged = false;
    c.lastExchanged.clear();
}

}  // namespace device

BOOL OpenClipboard(HWND hWndNewOwner) {
    Clipboard& c = clip();
    if (c.open && c.opener != hWndNewOwner) return fail(ERROR_ACCESS_DENIED);
    if (!c.open) fetchFromHost(c);
    c.open = true;
    c.opener = hWndNewOwner;
    c.textChanged = false;
    return TRUE;
}

BOOL CloseClipboard(void) {
    Clipboard& c = clip();
    if (!c.open) return fail(ERROR_CLIPBOARD_NOT_OPEN);
    c.open = false;
    c.opener = nullptr;
    if (c.textChanged && c.host.publish) {
        auto it = c.data.find(CF_UNICODETEXT);
        c.lastExchanged = it == c.data.end() ? u"" : textOf(it->second);
        c.host.publish(c.lastExchanged);
    }
    c.textChanged = false;
    return TRUE;
}

BOOL EmptyClipboard(void) {
    Clipboard& c = clip();
    if (!c.open) return fail(ERROR_CLIPBOARD_NOT_OPEN);
    freeAll(c);
    c.owner = c.opener;
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
    Clipboard& c = clip();
    if (!c.open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    // Only blocks of the memory calls can be kept (and freed) by the clipboard.
    SetLastError(ERROR_SUCCESS);
    if (!hMem || (GlobalSize(hMem) == 0 && GetLastError() == ERROR_INVALID_HANDLE)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto it = c.data.find(uFormat);
    if (it != c.data.end() && it->second != hMem) GlobalFree(it->second);
    c.data[uFormat] = hMem;
    if (uFormat == CF_UNICODETEXT) c.textChanged = true;
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
    Clipboard& c = clip();
    if (!c.open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    auto it = c.data.find(uFormat);
    if (it == c.data.end()) {
        SetLastError(ERROR_SUCCESS);
        return nullptr;
    }
    return it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    Clipboard& c = clip();
    if (!c.open) fetchFromHost(c);
    return c.data.count(format) ? TRUE : FALSE;
}

HWND GetClipboardOwner(void) { return clip().owner; }
