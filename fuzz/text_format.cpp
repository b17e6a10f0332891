// File bytes to document text and back: the two round trips the file format promises,
// and the one place where it doesn't (a DC4 byte comes back as NUL).
#include <cstdint>
#include <string>

#include "core/text/text_format.h"
#include "fuzz/fuzz_input.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::string text = TextFromFileBytes(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    std::string expectedBack = bytes;
    for (size_t i = 0; i < bytes.size(); ++i) {
        FUZZ_CHECK(text[i] == (bytes[i] == '\0' ? kNulPlaceholder : bytes[i]));
        if (bytes[i] == kNulPlaceholder) {
            expectedBack[i] = '\0';
        }
    }
    // Bytes without DC4 come back exactly; a DC4 byte comes back as NUL.
    FUZZ_CHECK(FileBytesFromText(text) == expectedBack);

    // The same input read as document text: text without NUL survives a save and a load.
    const std::string saved = FileBytesFromText(bytes);
    FUZZ_CHECK(saved.size() == bytes.size());
    FUZZ_CHECK(saved.find(kNulPlaceholder) == std::string::npos);
    if (bytes.find('\0') == std::string::npos) {
        FUZZ_CHECK(TextFromFileBytes(saved) == bytes);
    }
    return 0;
}
