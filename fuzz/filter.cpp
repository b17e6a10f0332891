// The filter list as the file dialogs take it: each "|" character (not a trail byte of
// the double-byte code page) a NUL and two NULs after, a
// list over the limit refused; and the name buffers' padding undone by the trim.
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/dialogs/comdlg_text.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/search_reference.h"

using namespace quillet;
using namespace quillet::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const uint8_t flags = in.Byte();
    const CodePage& cp = TestCodePage((flags & 1) != 0 ? 4 + (flags >> 1 & 1) : 0);
    const size_t valueLength = in.Byte() + (flags & 2) * 32u;  // up to past a buffer
    std::string filter = in.Rest();
    // Inputs are short: pad one in 64 to just under or just over the limit, with its own
    // last byte.
    if ((flags >> 2) == 0x3F && filter.size() <= kMaxFilterChars) {
        const char fill = filter.empty() ? '|' : filter.back();
        filter.resize(kMaxFilterChars + (flags & 1), fill);
    }

    std::string list;
    bool refused = false;
    try {
        list = PlatformFilter(filter, cp);
    } catch (const std::overflow_error&) {
        refused = true;
    }
    FUZZ_CHECK(refused == (filter.size() > kMaxFilterChars));
    if (!refused) {
        std::string expected = filter;
        for (size_t i = 0; i < expected.size(); i = RefNext(expected, i, cp)) {
            if (expected[i] == '|' && RefNext(expected, i, cp) == i + 1) {
                expected[i] = '\0';
            }
        }
        FUZZ_CHECK(list == expected + std::string(2, '\0'));
    }

    const std::string value = filter.substr(0, valueLength);
    const size_t nul = value.find('\0');
    try {
        const std::string buffer = DialogBuffer(value, "value");
        FUZZ_CHECK(value.size() < kDialogBufferChars && buffer.size() == kDialogBufferChars);
        FUZZ_CHECK(buffer.compare(0, value.size(), value) == 0);
        FUZZ_CHECK(TrimAtNul(buffer) == value.substr(0, nul));
    } catch (const std::invalid_argument&) {
        FUZZ_CHECK(value.size() >= kDialogBufferChars);
    }
    return 0;
}
