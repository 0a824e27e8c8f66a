// The list cipher's costs: the key setup run once per password entry, and
// enciphering and deciphering a note of 999 bytes (the longest a note field
// holds), as bfencrypt and bfdecrypt do for every stored and loaded note.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "crypto/cipher.h"

namespace {

std::string noteText() {
    std::string note;
    while (note.size() < 999) note += "Buy milk, eggs and bread; call the plumber about the kitchen tap. ";
    note.resize(999);
    return note;
}

char* heapCopy(const std::string& text) {
    char* p = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(p, text.c_str(), text.size() + 1);
    return p;
}

void BM_setCipherKey(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(setCipherKey("correct horse battery"));
}
BENCHMARK(BM_setCipherKey);

void BM_encipherNote(benchmark::State& state) {
    setCipherKey("correct horse battery");
    const std::string note = noteText();
    for (auto _ : state) {
        char* p = heapCopy(note);
        benchmark::DoNotOptimize(encipherText(&p));
        std::free(p);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(note.size()));
}
BENCHMARK(BM_encipherNote);

void BM_decipherNote(benchmark::State& state) {
    setCipherKey("correct horse battery");
    char* hex = heapCopy(noteText());
    encipherText(&hex);
    const std::string stored(hex);
    std::free(hex);
    for (auto _ : state) {
        char* p = heapCopy(stored);
        decipherBytes(&p, hexToBytes(&p));
        benchmark::DoNotOptimize(p[0]);
        std::free(p);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 999);
}
BENCHMARK(BM_decipherNote);

}  // namespace
