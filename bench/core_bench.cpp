// Costs of the core's whole-document passes at the load limit.
#include <benchmark/benchmark.h>

#include <string>

#include "core/app/caption.h"
#include "core/app/status_text.h"
#include "core/dialogs/comdlg_text.h"
#include "core/text/text_format.h"

namespace {

// A document of the given length (the load limit by default), NUL bytes and all.
std::string Document(size_t length = 65536) {
    std::string text;
    while (text.size() < length) {
        text += "The quick brown fox jumps over the lazy dog.\r\n";
        text.push_back('\0');
    }
    text.resize(length);
    return text;
}

void BM_TextFromFileBytes(benchmark::State& state) {
    const std::string bytes = Document(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillet::TextFromFileBytes(bytes));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_TextFromFileBytes)->Arg(16384)->Arg(32768)->Arg(65536);

void BM_FileBytesFromText(benchmark::State& state) {
    const std::string text =
        quillet::TextFromFileBytes(Document(static_cast<size_t>(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillet::FileBytesFromText(text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_FileBytesFromText)->Arg(16384)->Arg(32768)->Arg(65536);

void BM_CaptionFor(benchmark::State& state) {
    const std::string current = "notes.txt - Quillet";
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillet::CaptionFor("notes.txt", true, current));
    }
}
BENCHMARK(BM_CaptionFor);

// The status line's texts for a caret deep in a full document.
void BM_StatusCaptions(benchmark::State& state) {
    for (auto _ : state) {
        const quillet::CaretPosition pos = quillet::CaretPositionOf(65000, 1420, 64980);
        benchmark::DoNotOptimize(quillet::ColRowCaption(pos));
        benchmark::DoNotOptimize(quillet::SelectionCaption(536));
    }
}
BENCHMARK(BM_StatusCaptions);

void BM_PlatformFilter(benchmark::State& state) {
    const std::string filter = "All files (*.*)|*.*|Text files (*.txt)|*.txt|";
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillet::PlatformFilter(filter, quillet::CodePage{}));
    }
}
BENCHMARK(BM_PlatformFilter);

}  // namespace

BENCHMARK_MAIN();
