#include "tv_fixture.h"

#include <cstring>

#include "platform/gdi/surface.h"
#include "platform/system/code_page.h"

namespace tvtest {
namespace {

std::string narrow(const WCHAR* s) { return s ? device::wideToUtf8(std::u16string(s)) : "null"; }

std::string stageName(DWORD stage) {
    switch (stage) {
        case CDDS_PREPAINT: return "PREPAINT";
        case CDDS_POSTPAINT: return "POSTPAINT";
        case CDDS_PREERASE: return "PREERASE";
        case CDDS_POSTERASE: return "POSTERASE";
        case CDDS_ITEMPREPAINT: return "ITEMPREPAINT";
        case CDDS_ITEMPOSTPAINT: return "ITEMPOSTPAINT";
        default: return "STAGE" + std::to_string(stage);
    }
}

std::string describe(NMHDR* hdr) {
    Parent& p = parent();
    auto* tv = reinterpret_cast<NMTREEVIEWW*>(hdr);
    auto* di = reinterpret_cast<NMTVDISPINFOW*>(hdr);
    auto pair = [&](const char* name) {
        return std::string(name) + "(" + std::to_string(tv->action) + "," + p.nameOf(tv->itemOld.hItem) + "," +
               p.nameOf(tv->itemNew.hItem) + ")";
    };
    switch (hdr->code) {
        case TVN_SELCHANGINGW: return pair("SELCHANGING");
        case TVN_SELCHANGEDW: return pair("SELCHANGED");
        case TVN_ITEMEXPANDINGW:
            return "EXPANDING(" + std::to_string(tv->action) + "," + p.nameOf(tv->itemNew.hItem) + ")";
        case TVN_ITEMEXPANDEDW:
            return "EXPANDED(" + std::to_string(tv->action) + "," + p.nameOf(tv->itemNew.hItem) + ")";
        case TVN_DELETEITEMW: return "DELETE(" + p.nameOf(tv->itemOld.hItem) + ")";
        case TVN_BEGINDRAGW:
            return "BEGINDRAG(" + p.nameOf(tv->itemNew.hItem) + "," + std::to_string(tv->ptDrag.x) + "," +
                   std::to_string(tv->ptDrag.y) + ")";
        case TVN_BEGINLABELEDITW: return "BEGINEDIT(" + p.nameOf(di->item.hItem) + ")";
        case TVN_ENDLABELEDITW: return "ENDEDIT(" + p.nameOf(di->item.hItem) + "," + narrow(di->item.pszText) + ")";
        case NM_CLICK: return "NM_CLICK";
        case NM_DBLCLK: return "NM_DBLCLK";
        case NM_RETURN: return "NM_RETURN";
        case NM_SETFOCUS: return "NM_SETFOCUS";
        case NM_KILLFOCUS: return "NM_KILLFOCUS";
        case GN_CONTEXTMENU: {
            auto* g = reinterpret_cast<NMRGINFO*>(hdr);
            return "CONTEXTMENU(" + std::to_string(g->ptAction.x) + "," + std::to_string(g->ptAction.y) + "," +
                   p.nameOf((HTREEITEM)(uintptr_t)g->dwItemSpec) + ")";
        }
        default: return "";
    }
}

LRESULT onNotify(NMHDR* hdr) {
    Parent& p = parent();
    if (hdr->code == NM_CUSTOMDRAW) {
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(hdr);
        p.draws.push_back(*cd);
        if (p.logCustomDraw) {
            std::string line = "CD:" + stageName(cd->nmcd.dwDrawStage);
            if (cd->nmcd.dwDrawStage & CDDS_ITEM) line += "(" + p.nameOf((HTREEITEM)cd->nmcd.dwItemSpec) + ")";
            p.log.push_back(line);
        }
    } else if (hdr->code != TVN_KEYDOWN) {
        std::string line = describe(hdr);
        if (!line.empty()) p.log.push_back(line);
    }
    if (hdr->code == TVN_ENDLABELEDITW) {
        auto* di = reinterpret_cast<NMTVDISPINFOW*>(hdr);
        p.lastEndNull = di->item.pszText == nullptr;
        p.lastEndText = di->item.pszText ? std::u16string(di->item.pszText) : u"";
    }
    if (hdr->code == GN_CONTEXTMENU) p.lastGesturePt = reinterpret_cast<NMRGINFO*>(hdr)->ptAction;
    if (p.hook) {
        LRESULT r = p.hook(hdr);
        if (r != -1) return r;
    }
    if (hdr->code == NM_CUSTOMDRAW) {
        auto found = p.drawAnswers.find(reinterpret_cast<NMCUSTOMDRAW*>(hdr)->dwDrawStage);
        return found == p.drawAnswers.end() ? CDRF_DODEFAULT : found->second;
    }
    auto found = p.answers.find(hdr->code);
    return found == p.answers.end() ? 0 : found->second;
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) return onNotify(reinterpret_cast<NMHDR*>(lParam));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Until the edit control of the platform is registered, a plain window with
// a text stands in for it: enough for the tree's side of label editing.
LRESULT CALLBACK standInEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

std::string Parent::nameOf(HTREEITEM h) const {
    if (!h) return "0";
    auto found = names.find(h);
    return found == names.end() ? "?" : found->second;
}

Lines Parent::take() {
    Lines out;
    out.swap(log);
    return out;
}

Parent& parent() {
    static Parent p;
    return p;
}

void TreeTest::SetUp() {
    device::windowSystemReset();
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    parent() = Parent{};
    ASSERT_TRUE(device::registerTreeViewControl());
    WNDCLASSW wc{};
    if (!GetClassInfoW(nullptr, u"edit", &wc)) {
        wc = WNDCLASSW{};
        wc.lpfnWndProc = standInEditProc;
        wc.lpszClassName = u"edit";
        ASSERT_NE(RegisterClassW(&wc), 0);
    }
    wc = WNDCLASSW{};
    wc.lpfnWndProc = parentProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = u"tvparent";
    ASSERT_NE(RegisterClassW(&wc), 0);
    top = CreateWindowExW(0, u"tvparent", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr, nullptr,
                          nullptr);
    ASSERT_NE(top, nullptr);
    device::runUntilIdle();
}

void TreeTest::TearDown() {
    if (tree) {
        EXPECT_TRUE(device::treeview::linksConsistent(tree));
    }
    device::windowSystemReset();
}

HWND TreeTest::makeTree(DWORD style, int x, int y, int w, int h) {
    tree = CreateWindowExW(0, WC_TREEVIEWW, u"TreeView", WS_CHILD | WS_VISIBLE | style, x, y, w, h, top,
                           (HMENU)(intptr_t)6002, nullptr, nullptr);
    EXPECT_NE(tree, nullptr);
    device::runUntilIdle();
    parent().take();
    return tree;
}

HTREEITEM TreeTest::add(HTREEITEM parentItem, const std::string& text, LPARAM param, HTREEITEM after,
                        int children) {
    std::u16string wide = device::utf8ToWide(text);
    TVINSERTSTRUCTW ins{};
    ins.hParent = parentItem;
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | (children != -100 ? TVIF_CHILDREN : 0);
    ins.item.pszText = wide.data();
    ins.item.lParam = param;
    ins.item.cChildren = children;
    HTREEITEM h = (HTREEITEM)SendMessageW(tree, TVM_INSERTITEMW, 0, (LPARAM)&ins);
    parent().names[h] = text;
    return h;
}

void TreeTest::penDownAt(int x, int y) {
    POINT p{x, y};
    ClientToScreen(tree, &p);
    device::penDown(p.x, p.y);
    device::runUntilIdle();
}

void TreeTest::penMoveTo(int x, int y) {
    POINT p{x, y};
    ClientToScreen(tree, &p);
    device::penMove(p.x, p.y);
    device::runUntilIdle();
}

void TreeTest::penUpAt(int x, int y) {
    POINT p{x, y};
    ClientToScreen(tree, &p);
    device::penUp(p.x, p.y);
    device::runUntilIdle();
}

void TreeTest::tap(int x, int y) {
    penDownAt(x, y);
    penUpAt(x, y);
}

RECT TreeTest::itemRect(HTREEITEM item, bool textOnly) {
    RECT r{};
    std::memcpy(&r, &item, sizeof(item));  // the item goes in where the rectangle comes out
    if (!SendMessageW(tree, TVM_GETITEMRECT, textOnly, (LPARAM)&r)) return RECT{-1, -1, -1, -1};
    return r;
}

UINT TreeTest::hit(int x, int y, HTREEITEM* item) {
    TVHITTESTINFO info{};
    info.pt = POINT{x, y};
    HTREEITEM h = (HTREEITEM)SendMessageW(tree, TVM_HITTEST, 0, (LPARAM)&info);
    if (item) *item = h;
    EXPECT_EQ(h, info.hItem);
    return info.flags;
}

std::u16string TreeTest::textOf(HTREEITEM item) {
    WCHAR buffer[128] = {0};
    TVITEMW tvi{};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = buffer;
    tvi.cchTextMax = 128;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&tvi)) return u"<none>";
    return buffer;
}

UINT TreeTest::stateOf(HTREEITEM item) {
    TVITEMW tvi{};
    tvi.mask = TVIF_STATE;
    tvi.hItem = item;
    tvi.stateMask = 0xFFFF;
    SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&tvi);
    return tvi.state;
}

COLORREF screenPixel(int x, int y) {
    const gdi::Surface& s = device::screenSurface();
    return gdi::colorrefFromPixel(s.row(y)[x]);
}

}  // namespace tvtest
