// The floor that start-up is measured against: the least a Win32 program can do to
// show a file, a top-level window whose only child is a multi-line EDIT control
// holding it. With no argument it shows an empty window without the control.
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE) {
        if (HWND edit = GetWindow(hwnd, GW_CHILD)) {
            MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        }
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string ReadWhole(const char* path) {
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes;
    if (file != INVALID_HANDLE_VALUE) {
        bytes.resize(GetFileSize(file, nullptr));
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
        CloseHandle(file);
    }
    return bytes;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "QuilletFloor";
    RegisterClassA(&wc);
    const bool withFile = args != nullptr && *args != '\0';
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, withFile ? "Floor edit" : "Floor empty",
                                WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 768, 576,
                                nullptr, nullptr, instance, nullptr);
    if (withFile) {
        RECT r{};
        GetClientRect(hwnd, &r);
        HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                    WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                                        ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                    0, 0, r.right, r.bottom, hwnd, nullptr, instance, nullptr);
        SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextA(edit, ReadWhole(args).c_str());
    }
    ShowWindow(hwnd, SW_SHOW);
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
