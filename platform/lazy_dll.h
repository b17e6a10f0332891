#pragma once
// System DLLs that only some commands need (comdlg32, winspool, shell32, ole32...) are
// loaded the first time such a command runs, so start-up maps none of them.
#include <windows.h>

// Takes the current folder out of the search for every DLL the process loads from now
// on, the system's own loads included (a shell extension in a file dialog, a DLL that
// a system DLL brings in): a document's folder may hold a DLL of any name. Called first
// thing in WinMain. The system folder suffices: the shell extensions of the file
// dialogs are registered, and loaded, by their full paths.
inline void KeepDllSearchOutOfTheCurrentFolder() {
    using SetDefaultDirs = BOOL WINAPI(DWORD);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto* setDefault = reinterpret_cast<SetDefaultDirs*>(reinterpret_cast<void*>(
        kernel != nullptr ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr));
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryA("");  // systems without it: at least not the current folder
    }
}

// A function of a system DLL, looked up on first call. Get() is null when the DLL or
// the function can't be had; the caller then behaves as for a failure of that call.
template <typename F>
class LazyProc {
public:
    LazyProc(const char* dll, const char* name) : dll_(dll), name_(name) {}
    LazyProc(const LazyProc&) = delete;
    LazyProc& operator=(const LazyProc&) = delete;

    F* Get() {
        if (!looked_) {
            looked_ = true;
            // Only the system folder: a DLL of the same name beside the program or in
            // the current folder must never be picked up.
            HMODULE module = LoadLibraryExA(dll_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
            if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
                module = LoadLibraryA(dll_);  // systems without the search flags
            }
            if (module != nullptr) {
                proc_ =
                    reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module, name_)));
            }
        }
        return proc_;
    }

    // Calls the function, or answers `fallback` when it can't be had.
    template <typename R, typename... Args>
    R CallOr(R fallback, Args... args) {
        F* proc = Get();
        return proc != nullptr ? proc(args...) : fallback;
    }

private:
    const char* dll_;
    const char* name_;  // a name, or MAKEINTRESOURCEA(ordinal)
    bool looked_ = false;
    F* proc_ = nullptr;
};
