// The tree view with 10,000 items: inserting, deleting, expanding, painting,
// hit testing, walking and scrolling. None of these may grow faster than the
// number of items, and painting grows with the rows on screen only.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/controls/treeview/treeview_control.h"
#include "platform/window/headless_host.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

HWND makeTree() {
    device::windowSystemReset();
    device::useHeadlessHost();
    device::registerTreeViewControl();
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"benchparent";
    RegisterClassW(&wc);
    HWND top = CreateWindowExW(0, u"benchparent", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr,
                               nullptr, nullptr);
    return CreateWindowExW(0, WC_TREEVIEWW, u"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                           0, 0, 240, 294, top, (HMENU)6002, nullptr, nullptr);
}

HTREEITEM insert(HWND tree, HTREEITEM parent, int n) {
    std::u16string text = u"Item number ";
    for (char c : std::to_string(n)) text += (char16_t)c;
    TVINSERTSTRUCTW ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    ins.item.pszText = text.data();
    ins.item.lParam = n;
    ins.item.state = INDEXTOSTATEIMAGEMASK(1);
    ins.item.stateMask = TVIS_STATEIMAGEMASK;
    return (HTREEITEM)SendMessageW(tree, TVM_INSERTITEMW, 0, (LPARAM)&ins);
}

// 100 parents with 99 children each: 10,000 items.
std::vector<HTREEITEM> fill(HWND tree) {
    std::vector<HTREEITEM> parents;
    int n = 0;
    for (int p = 0; p < 100; ++p) {
        HTREEITEM parent = insert(tree, TVI_ROOT, n++);
        parents.push_back(parent);
        for (int c = 0; c < 99; ++c) insert(tree, parent, n++);
    }
    return parents;
}

void expandAll(HWND tree, const std::vector<HTREEITEM>& parents) {
    for (HTREEITEM p : parents) SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)p);
    SendMessageW(tree, TVM_GETNEXTITEM, TVGN_LASTVISIBLE, 0);  // lays the rows out
}

void pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

void BM_InsertAtEnd10k(benchmark::State& state) {
    HWND tree = makeTree();
    for (auto _ : state) {
        fill(tree);
        state.PauseTiming();
        SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    device::windowSystemReset();
}
BENCHMARK(BM_InsertAtEnd10k)->Unit(benchmark::kMillisecond);

void BM_DeleteAll10k(benchmark::State& state) {
    HWND tree = makeTree();
    for (auto _ : state) {
        state.PauseTiming();
        fill(tree);
        state.ResumeTiming();
        SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    device::windowSystemReset();
}
BENCHMARK(BM_DeleteAll10k)->Unit(benchmark::kMillisecond);

void BM_ExpandAll10k(benchmark::State& state) {
    HWND tree = makeTree();
    for (auto _ : state) {
        state.PauseTiming();
        SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
        std::vector<HTREEITEM> parents = fill(tree);
        state.ResumeTiming();
        expandAll(tree, parents);
    }
    device::windowSystemReset();
}
BENCHMARK(BM_ExpandAll10k)->Unit(benchmark::kMillisecond);

// Painting the whole window, with 100 or 10,000 rows open: the cost should
// not change, as only the rows on screen are drawn.
void BM_FullRepaint(benchmark::State& state) {
    HWND tree = makeTree();
    std::vector<HTREEITEM> parents;
    for (int p = 0, n = 0; p < state.range(0) / 100; ++p) {
        parents.push_back(insert(tree, TVI_ROOT, n++));
        for (int c = 0; c < 99; ++c) insert(tree, parents.back(), n++);
    }
    expandAll(tree, parents);
    SendMessageW(tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, (int)state.range(0) / 2), 0);
    pump();
    for (auto _ : state) {
        InvalidateRect(tree, nullptr, TRUE);
        UpdateWindow(tree);
    }
    device::windowSystemReset();
}
BENCHMARK(BM_FullRepaint)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_HitTest10k(benchmark::State& state) {
    HWND tree = makeTree();
    expandAll(tree, fill(tree));
    SendMessageW(tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5000), 0);
    TVHITTESTINFO info{};
    info.pt = POINT{60, 150};
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageW(tree, TVM_HITTEST, 0, (LPARAM)&info));
    device::windowSystemReset();
}
BENCHMARK(BM_HitTest10k);

void BM_WalkAll10k(benchmark::State& state) {
    HWND tree = makeTree();
    expandAll(tree, fill(tree));
    for (auto _ : state) {
        int count = 0;
        // The outline's pre-order walk, and the walk over visible rows.
        for (HTREEITEM p = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0); p;
             p = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)p)) {
            ++count;
            for (HTREEITEM c = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)p); c;
                 c = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)c))
                ++count;
        }
        for (HTREEITEM v = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0); v;
             v = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, (LPARAM)v))
            ++count;
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * 20000);
    device::windowSystemReset();
}
BENCHMARK(BM_WalkAll10k)->Unit(benchmark::kMillisecond);

void BM_ScrollToEnd10k(benchmark::State& state) {
    HWND tree = makeTree();
    expandAll(tree, fill(tree));
    HTREEITEM last = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_LASTVISIBLE, 0);
    HTREEITEM first = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (auto _ : state) {
        SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)last);
        UpdateWindow(tree);
        SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)first);
        UpdateWindow(tree);
    }
    device::windowSystemReset();
}
BENCHMARK(BM_ScrollToEnd10k)->Unit(benchmark::kMicrosecond);

}  // namespace
