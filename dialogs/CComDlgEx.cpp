#include "dialogs/CComDlgEx.h"

#include "platform/win32_util.h"

namespace {

std::string ExecutableFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace

CComDlgEx::CComDlgEx(IPlatform& platform) : platform_(platform) {
    DialogCaption = "Open file";
    Filter = "All files (*.*)|*.*|Text files (*.txt)|*.txt|";
    Flags = 4100;
    InitDir = ExecutableFolder();
}

bool CComDlgEx::fnExistFile(const std::string& sFullPath) const {
    if (sFullPath.empty()) {
        return false;
    }
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA(sFullPath.c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD notOrdinary = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    do {
        if ((found.dwFileAttributes & notOrdinary) == 0) {
            return true;
        }
    } while (FindNextFileA(search.get(), &found));
    return false;
}
