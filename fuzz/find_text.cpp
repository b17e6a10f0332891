// The positional find and the text comparison against the plain reference, with any
// start (negative, past the end), any text and pattern, either comparison and several
// code pages, single-byte, double-byte and UTF-8.
#include <cstdint>
#include <string>

#include "core/find/search_engine.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/search_reference.h"

using namespace quillet;
using namespace quillet::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const uint8_t flags = in.Byte();
    const CompareMode mode = (flags & 1) != 0 ? CompareMode::Exact : CompareMode::IgnoreCase;
    const CodePage& fold = TestCodePage(flags >> 1);
    // Mostly small starts, so that they fall inside the text; now and then any value.
    const int32_t start = (flags & 0x80) != 0 ? in.I32() : in.I16();
    const std::string pattern = in.Short();
    const std::string text = in.Rest();

    const TextPos at = FindText(start, text, pattern, mode, fold);
    FUZZ_CHECK(at == RefFind(start, text, pattern, mode, fold));
    if (at != 0) {
        FUZZ_CHECK(at >= start &&
                   TextEquals(text.substr(static_cast<size_t>(at) - 1, pattern.size()), pattern,
                              mode, fold));
    }

    const std::string prefix = text.substr(0, pattern.size());
    FUZZ_CHECK(TextEquals(prefix, pattern, mode, fold) ==
               (prefix.size() == pattern.size() && MatchesAt(prefix, 0, pattern, mode, fold)));
    FUZZ_CHECK(TextEquals(text, text, mode, fold));
    return 0;
}
