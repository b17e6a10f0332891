#include "core/dialogs/comdlg_text.h"

#include <stdexcept>

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

std::string StartFolder(const std::string& folder) {
    if (folder.size() == 2 && folder[1] == ':') {
        return folder + '\\';
    }
    return folder;
}

}  // namespace quillet
