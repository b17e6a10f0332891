// The register list's row for any text and ellipsis: the text itself up to 15
// characters, else its first 15 and the ellipsis; line breaks and tabs kept.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "ui/main/edit_text.h"

using namespace quillet;
using namespace quillet::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const std::string ellipsis = in.Short();
    const std::string text = in.Rest();

    const std::string caption = RegisterCaption(text, ellipsis);
    std::string expected;
    for (size_t i = 0; i < text.size() && i < 15; ++i) {
        expected.push_back(text[i]);
    }
    if (text.size() > 15) {
        expected += ellipsis;
    }
    FUZZ_CHECK(caption == expected);
    return 0;
}
