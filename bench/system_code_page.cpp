// Code-page conversions of a 999-character text (the longest a note holds):
// every stored note goes to 8-bit text on writing and back on loading.
#include <benchmark/benchmark.h>

#include <string>

#include "windows.h"

namespace {

std::u16string noteText() {
    std::u16string note;
    while (note.size() < 999) note += u"Caf\u00E9 cr\u00E8me br\u00FBl\u00E9e \u2013 \u20AC5, call the plumber. ";
    note.resize(999);
    return note;
}

void BM_wideToAnsi999(benchmark::State& state) {
    const std::u16string note = noteText();
    char out[1000];
    for (auto _ : state) {
        int n = WideCharToMultiByte(CP_ACP, 0, note.c_str(), -1, out, sizeof out, nullptr, nullptr);
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 999);
}
BENCHMARK(BM_wideToAnsi999);

void BM_ansiToWide999(benchmark::State& state) {
    const std::u16string note = noteText();
    char ansi[1000];
    WideCharToMultiByte(CP_ACP, 0, note.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    WCHAR out[1000];
    for (auto _ : state) {
        int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, out, 1000);
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 999);
}
BENCHMARK(BM_ansiToWide999);

void BM_wideToUtf8_999(benchmark::State& state) {
    const std::u16string note = noteText();
    char out[4000];
    for (auto _ : state) {
        int n = WideCharToMultiByte(CP_UTF8, 0, note.c_str(), -1, out, sizeof out, nullptr, nullptr);
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 999);
}
BENCHMARK(BM_wideToUtf8_999);

}  // namespace
