#include "platform/file_search.h"

#include "core/dialogs/comdlg_text.h"
#include "platform/code_page.h"
#include "platform/win32_util.h"

std::optional<std::string> FirstOrdinaryFile(const std::string& path) {
    if (path.empty() || quillet::IsDeviceName(path, AnsiCodePage())) {
        return std::nullopt;
    }
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA(path.c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_NO_MORE_FILES) {
            return std::nullopt;
        }
        RaiseLastError();
    }
    const DWORD notOrdinary = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    do {
        if ((found.dwFileAttributes & notOrdinary) == 0) {
            return std::string(found.cFileName);
        }
    } while (FindNextFileA(search.get(), &found));
    return std::nullopt;
}
