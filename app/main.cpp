// The program's entry point: start-up, then the message loop until the main window closes.
#include <windows.h>

#include "app/mdlCode.h"
#include "app/startup_marks.h"
#include "platform/lazy_dll.h"
#include "platform/win32_platform.h"
#include "ui/main/frmMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    KeepDllSearchOutOfTheCurrentFolder();
    QUILLET_MARK("winmain");
    Win32Platform platform;
    mdlCode::SetPlatform(platform);
    mdlCode::MainFromCommandLine(GetCommandLineW());
    QUILLET_MARKS_WRITE();
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
