#pragma once
// What every Windows test program asks of the machine it runs on.
#include <windows.h>

#include <string>

// True under Wine: the X server, the host's files and its commands are then at hand.
inline bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// The folder the running program came from, without the final backslash. Walked by
// characters: a trail byte of the code page may be a backslash.
inline std::string ExeFolder() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* last = path + n;
    for (const char* p = path; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\') {
            last = p;
        }
    }
    return std::string(static_cast<const char*>(path), last);
}
