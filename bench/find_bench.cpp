// Costs of the Find/Replace engine on documents up to the load limit with a match every
// 6.5 characters (10,000 in 65,536), beside the straightforward in-place replace.
#include <benchmark/benchmark.h>

#include <string>

#include "core/find/search_engine.h"

namespace {

using quillet::SearchEngine;
using quillet::SearchStep;

const quillet::CodePage& AsciiFold() {
    static const quillet::CodePage codePage = [] {
        quillet::CodePage cp;
        cp.lower = quillet::CaseMap::Identity();
        for (int c = 'A'; c <= 'Z'; ++c) {
            cp.lower.single[static_cast<size_t>(c)] = static_cast<unsigned char>(c + 32);
        }
        return cp;
    }();
    return codePage;
}

std::string Document(size_t length) {
    std::string text;
    const size_t matches = length * 10000 / 65536;
    for (size_t i = 0; i < matches; ++i) {
        text += "a fox ";
    }
    text.resize(length, '.');
    return text;
}

void BM_FindNextThroughTheDocument(benchmark::State& state) {
    const std::string doc = Document(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        SearchEngine engine(AsciiFold());
        engine.Load(0, 0);
        int found = 0;
        while (engine.SearchNext(doc, "fox", false).kind == SearchStep::Select) {
            ++found;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindNextThroughTheDocument)
    ->Unit(benchmark::kMicrosecond)
    ->Arg(16384)
    ->Arg(32768)
    ->Arg(65536);

// The engine's one splice, applied to a copy of the document.
void BM_ReplaceAll(benchmark::State& state) {
    const std::string doc = Document(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        SearchEngine engine(AsciiFold());
        engine.Load(0, 0);
        std::string result = doc;
        if (auto edit = engine.ReplaceAll(doc, "fox", "wolf", false)) {
            result.replace(edit->offset, edit->removed, edit->inserted);
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReplaceAll)
    ->Arg(16384)
    ->Arg(32768)
    ->Arg(65536)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// Find, replace in place, go on behind the inserted text: each replacement moves the
// rest of the document.
void BM_ReplaceAllReference(benchmark::State& state) {
    const std::string doc = Document(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::string result = doc;
        for (size_t at = result.find("fox"); at != std::string::npos;
             at = result.find("fox", at + 4)) {
            result.replace(at, 3, "wolf");
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReplaceAllReference)
    ->Arg(16384)
    ->Arg(32768)
    ->Arg(65536)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oNSquared);

}  // namespace
