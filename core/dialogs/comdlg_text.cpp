#include "core/dialogs/comdlg_text.h"

#include <stdexcept>
#include <string_view>

namespace quillet {

std::string PlatformFilter(const std::string& filter, const CodePage& cp) {
    if (filter.size() > kMaxFilterChars) {
        throw std::overflow_error("filter list longer than " + std::to_string(kMaxFilterChars) +
                                  " characters");
    }
    std::string list = filter;
    for (size_t at = 0; at < list.size(); at = NextChar(list, at, cp)) {
        if (list[at] == '|' && NextChar(list, at, cp) == at + 1) {
            list[at] = '\0';
        }
    }
    list.append(2, '\0');
    return list;
}

int32_t MaskDialogFlags(int32_t flags) {
    return flags & kDialogFlagsMask;
}

std::string DialogBuffer(const std::string& value, const char* what) {
    if (value.size() >= kDialogBufferChars) {
        throw std::invalid_argument(std::string(what) + " must be shorter than " +
                                    std::to_string(kDialogBufferChars) + " characters");
    }
    std::string buffer = value;
    buffer.resize(kDialogBufferChars, '\0');
    return buffer;
}

std::string TrimAtNul(const std::string& s) {
    return s.substr(0, s.find('\0'));
}

std::string FolderOfPath(const std::string& path, const CodePage& cp) {
    const size_t separator = FindLastCharOf(path, "\\/", cp);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

namespace {

bool SameLetters(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
        if (c != upper[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsDeviceName(const std::string& path, const CodePage& cp) {
    const size_t separator = FindLastCharOf(path, "\\/", cp);
    std::string_view name(path);
    if (separator != std::string::npos) {
        name.remove_prefix(separator + 1);
    } else if (name.size() >= 2 && name[1] == ':') {
        name.remove_prefix(2);  // "C:NUL" is the device too
    }
    if (SameLetters(name, "CONIN$") || SameLetters(name, "CONOUT$")) {
        return true;
    }
    // The system looks at the name before any extension or stream, without trailing
    // blanks. Neither '.' nor ':' is ever the trail byte of a character.
    name = name.substr(0, name.find_first_of(".:"));
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    if (name.size() == 3) {
        return SameLetters(name, "CON") || SameLetters(name, "PRN") || SameLetters(name, "AUX") ||
               SameLetters(name, "NUL");
    }
    return name.size() == 4 &&
           (SameLetters(name.substr(0, 3), "COM") || SameLetters(name.substr(0, 3), "LPT")) &&
           name[3] >= '1' && name[3] <= '9';
}

std::string StartFolder(const std::string& folder) {
    if (folder.size() == 2 && folder[1] == ':') {
        return folder + '\\';
    }
    return folder;
}

}  // namespace quillet
