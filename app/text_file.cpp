// Reading and writing whole document files.
#include <vector>

#include "app/mdlCode.h"
#include "app/text_format.h"
#include "platform/win32_util.h"

namespace mdlCode {

std::optional<std::string> TryReadTextFile(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        ShowFileError(GetLastError());
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        ShowFileError(GetLastError());
        return std::nullopt;
    }
    if (size.QuadPart > 0x7FFFFFFF) {
        ShowFileError(ERROR_NOT_ENOUGH_MEMORY);
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        ShowFileError(GetLastError());
        return std::nullopt;
    }
    bytes.resize(read);
    return quillet::TextFromFileBytes(std::move(bytes));
}

std::string ReadTextFile(const std::string& path) {
    return TryReadTextFile(path).value_or("");
}

}  // namespace mdlCode
