#include "core/text/text_format.h"

#include <algorithm>

namespace quillet {

namespace {
std::string ReplaceAll(std::string s, char from, char to) {
    std::replace(s.begin(), s.end(), from, to);
    return s;
}
}  // namespace

std::string TextFromFileBytes(std::string bytes) {
    return ReplaceAll(std::move(bytes), '\0', kNulPlaceholder);
}

std::string FileBytesFromText(std::string text) {
    return ReplaceAll(std::move(text), kNulPlaceholder, '\0');
}

std::uint32_t SavedFileAttributes(std::uint32_t old) {
    constexpr std::uint32_t kHidden = 0x2, kSystem = 0x4, kArchive = 0x20;
    const std::uint32_t kept = old & (kHidden | kSystem);
    return kept != 0 ? kept | kArchive : 0;
}

}  // namespace quillet
