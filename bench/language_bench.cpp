// Reading a catalogue of the largest size the game takes (4 MB) and smaller ones, shaped as a
// crafted file would be to cost the most: the time it takes, and the bytes it allocates for each
// byte of the file (the texts it keeps, their table, and any copy made on the way).
#include "lang/lang.h"
#include "support/catalogues.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> allocated{0};

void readShaped(benchmark::State& state, CatalogueShape shape) {
    const std::string bytes =
        shapedCatalogue(shape, static_cast<std::size_t>(state.range(0)) << 10);
    std::size_t before = allocated;
    bool read = false;
    for (auto _ : state) {
        Catalogue catalogue;
        before = allocated;
        read = readCatalogue(bytes, catalogue);
        state.PauseTiming(); // the catalogue's freeing is not the reading
        state.counters["allocated_per_byte"] =
            static_cast<double>(allocated - before) / static_cast<double>(bytes.size());
        state.counters["texts"] = static_cast<double>(catalogue.texts.size());
        catalogue = Catalogue();
        state.ResumeTiming();
    }
    state.counters["read"] = read ? 1 : 0;
}

void BM_CatalogueOneString(benchmark::State& state) {
    readShaped(state, CatalogueShape::OneString);
}
void BM_CatalogueSuffixes(benchmark::State& state) {
    readShaped(state, CatalogueShape::Suffixes);
}
void BM_CatalogueManyTexts(benchmark::State& state) {
    readShaped(state, CatalogueShape::ManyTexts);
}

} // namespace

// Every allocation of the benchmarks is counted. The compiler, seeing both ends of a replaced
// pair, takes them for a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    allocated += size;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
#pragma GCC diagnostic pop

BENCHMARK(BM_CatalogueOneString)
    ->Arg(256)
    ->Arg(512)
    ->Arg(4096)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogueSuffixes)
    ->Arg(256)
    ->Arg(512)
    ->Arg(4096)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogueManyTexts)
    ->Arg(256)
    ->Arg(512)
    ->Arg(4096)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
