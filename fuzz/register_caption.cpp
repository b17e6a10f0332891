// The register list's row for any text and ellipsis, on a single-byte, a double-byte and
// the UTF-8 code page: the text itself up to 15 characters, else its first 15 and the ellipsis;
// line breaks and tabs kept.
#include <cstdint>
#include <string>

#include "core/text/edit_text.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/search_reference.h"

using namespace quillet;
using namespace quillet::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const CodePage& cp = TestCodePage(in.Byte() % 3 == 0 ? 0 : 4 + in.Byte() % 2);
    const std::string ellipsis = in.Short();
    const std::string text = in.Rest();

    const std::string caption = RegisterCaption(text, ellipsis, cp);
    size_t end = 0;
    for (int chars = 0; end < text.size() && chars < 15; ++chars) {
        end = RefNext(text, end, cp);
    }
    std::string expected = text.substr(0, end);
    if (end < text.size()) {
        expected += ellipsis;
    }
    FUZZ_CHECK(caption == expected);
    return 0;
}
