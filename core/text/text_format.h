#pragma once
#include <string>

namespace quillet {

// A NUL byte of a document file stands in the text as the control character DC4
// (code 20), since the text box can't hold NUL; saving turns DC4 back into NUL.
constexpr char kNulPlaceholder = '\x14';

// File bytes to document text: every NUL becomes the placeholder.
std::string TextFromFileBytes(std::string bytes);

// Document text to file bytes: every placeholder becomes NUL.
std::string FileBytesFromText(std::string text);

}  // namespace quillet
