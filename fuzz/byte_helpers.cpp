// The dialog object's byte helpers for any array (any lower bound, with or without
// elements) and any text: an empty array takes the text's bytes whole; a sized one keeps
// its size and bound, takes the text cut or padded with NULs to as many characters, and
// the caller's text is padded to match; BytesToStr gives every byte back, NULs included.
#include <cstdint>
#include <string>

#include "core/dialogs/picker_rules.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/search_reference.h"

using namespace quillet;
using namespace quillet::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const CodePage& cp = TestCodePage(in.Byte() % 3 == 0 ? 0 : 4 + in.Byte() % 2);
    ByteArray ab;
    ab.lowerBound = in.I32();
    const std::string initial = in.Short();
    ab.bytes.assign(initial.begin(), initial.end());
    const std::string text = in.Rest();

    const ByteArray before = ab;
    std::string s = text;
    FUZZ_CHECK(IsArrayEmpty(ab) == before.bytes.empty());
    StrToBytes(ab, s, cp);
    if (before.bytes.empty()) {
        FUZZ_CHECK(ab.lowerBound == 0);
        FUZZ_CHECK(std::string(ab.bytes.begin(), ab.bytes.end()) == text);
        FUZZ_CHECK(s == text);
    } else {
        const size_t n = before.bytes.size();
        FUZZ_CHECK(ab.lowerBound == before.lowerBound);
        FUZZ_CHECK(ab.bytes.size() == n);
        size_t chars = 0;
        for (size_t i = 0; i < text.size(); i = RefNext(text, i, cp)) {
            ++chars;
        }
        const std::string expected = chars < n ? text + std::string(n - chars, '\0') : text;
        FUZZ_CHECK(s == expected);
        FUZZ_CHECK(std::string(ab.bytes.begin(), ab.bytes.end()) == expected.substr(0, n));
    }
    FUZZ_CHECK(BytesToStr(ab) == std::string(ab.bytes.begin(), ab.bytes.end()));
    return 0;
}
