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

}  // namespace quillet
