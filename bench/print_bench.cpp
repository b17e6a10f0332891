// Laying out a printed page run for one long line without a blank: every piece is cut
// hard at the page's width, so each blank search must stay within its own piece.
#include <benchmark/benchmark.h>

#include <string>

#include "core/print/print_layout.h"

namespace {

void BM_PrintedPagesOfABlanklessLine(benchmark::State& state) {
    const std::string line(static_cast<size_t>(state.range(0)), 'x');
    const quillet::PageMetrics page{80, 60};
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillet::PrintedPages(line, page, quillet::CodePage{}));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_PrintedPagesOfABlanklessLine)
    ->Arg(1 << 18)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
