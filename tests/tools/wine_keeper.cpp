// Holds one hidden window open for the whole test run, so Wine keeps its desktop
// between tests. Ends when the Wine server is stopped, or after a day.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CreateWindowExA(0, "STATIC", "quillet test keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                    instance, nullptr);
    SetTimer(nullptr, 0, 24 * 60 * 60 * 1000, nullptr);
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) {
            break;
        }
        DispatchMessageA(&msg);
    }
    return 0;
}
