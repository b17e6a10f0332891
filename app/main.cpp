// The program's entry point: start-up, then the message loop until the main window closes.
#include <windows.h>

#include "app/command_line.h"
#include "app/mdlCode.h"
#include "platform/win32_platform.h"
#include "ui/main/frmMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Win32Platform platform;
    mdlCode::SetPlatform(platform);
    mdlCode::Main(quillet::ArgumentText(GetCommandLineA()));
    frmMain& form = mdlCode::MainForm();
    MSG msg{};
    while (form.IsOpen() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!form.TranslateShortcut(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}
