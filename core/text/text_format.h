#pragma once
#include <cstdint>
#include <string>

namespace quillet {

// A NUL byte of a document file stands in the text as the control character DC4
// (code 20), since the text box can't hold NUL; saving turns DC4 back into NUL.
constexpr char kNulPlaceholder = '\x14';

// File bytes to document text: every NUL becomes the placeholder.
std::string TextFromFileBytes(std::string bytes);

// Document text to file bytes: every placeholder becomes NUL.
std::string FileBytesFromText(std::string text);

// The attributes of a saved document that replaces a file with `old` attributes (the
// system's bit values): a hidden or system file stays so and, like any file just
// written, is marked for backup. 0 when the new file's own attributes are right as
// they are.
std::uint32_t SavedFileAttributes(std::uint32_t old);

}  // namespace quillet
