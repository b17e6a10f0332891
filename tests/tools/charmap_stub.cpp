// Stands in for the system's character map in the tests: appends one line to the file
// named by QUILLET_CHARMAP_LOG, so a test sees each start, and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    if (GetEnvironmentVariableA("QUILLET_CHARMAP_LOG", path, MAX_PATH) == 0) {
        return 1;
    }
    const HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    WriteFile(log, "started\r\n", 9, &written, nullptr);
    CloseHandle(log);
    return 0;
}
