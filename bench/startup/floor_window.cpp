// The floor for Quillet's own window: the same parts and start-up steps built the simplest way.
// Three menus and an About command with their items; a multi-line EDIT control holding the file
// named on the command line (full path taken, existence tested, NULs shown as 0x14) in the same
// fixed-pitch face at 10.8 points in the Cyrillic character set; a hidden list box; two status
// labels; the clipboard's text read once; the window at three quarters of the screen, centred,
// with the system's application icon. Title "floor-window - Quillet".
#include <windows.h>
#ifndef FLOOR_TITLE
#define FLOOR_TITLE "floor-window - Quillet"
#endif
#include <cstring>
#include <string>

static HWND edit, lbl1, lbl2, list;
static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_SIZE) {
        int cw = LOWORD(l), ch = HIWORD(l);
        MoveWindow(edit, 0, 0, cw, ch - 20, TRUE);
        MoveWindow(lbl1, 2, ch - 18, 150, 16, TRUE);
        MoveWindow(lbl2, 160, ch - 18, 150, 16, TRUE);
        return 0;
    }
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

static HMENU Menu(const char* const* items) {
    HMENU m = CreatePopupMenu();
    for (int i = 0; items[i]; ++i)
        AppendMenuA(m, items[i][0] ? MF_STRING : MF_SEPARATOR, 100 + i, items[i]);
    return m;
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR cmd, int show) {
    std::string text;
    char full[MAX_PATH];
    WIN32_FIND_DATAA fd;
    if (*cmd && GetFullPathNameA(cmd, MAX_PATH, full, nullptr)) {
        HANDLE h = FindFirstFileA(full, &fd);
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
    }
    HANDLE f = CreateFileA(cmd, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD size = GetFileSize(f, nullptr), got = 0;
        text.resize(size);
        ReadFile(f, text.data(), size, &got, nullptr);
        CloseHandle(f);
        for (char& c : text)
            if (c == 0)
                c = 0x14;
    }
    static const char* file[] = {"&New\tCtrl+N",
                                 "&Open...\tCtrl+O",
                                 "&Save\tCtrl+S",
                                 "Save &As...",
                                 "",
                                 "&Print...\tCtrl+P",
                                 "",
                                 "E&xit",
                                 nullptr};
    static const char* editm[] = {"&Undo\tCtrl+Z",
                                  "",
                                  "Cu&t\tCtrl+X",
                                  "&Copy\tCtrl+C",
                                  "&Paste\tCtrl+V",
                                  "De&lete\tDel",
                                  "",
                                  "Select &All\tCtrl+A",
                                  "",
                                  "To &LowerCase\tCtrl+L",
                                  "To &UpperCase\tCtrl+U",
                                  "Time/&Date\tF5",
                                  "",
                                  "&Find/Replace...\tCtrl+F",
                                  nullptr};
    static const char* view[] = {"A&SCII\tCtrl+D",          "&ANSI\tCtrl+W", "",
                                 "Always on &Top\tCtrl+T",  "Word &wrap",    "",
                                 "Characters &map\tCtrl+M", nullptr};
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)Menu(file), "&File");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)Menu(editm), "&Edit");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)Menu(view), "&View");
    AppendMenuA(bar, MF_STRING, 300, "&About");
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = "FloorWindow";
    RegisterClassA(&wc);
    int sw = GetSystemMetrics(SM_CXSCREEN), shh = GetSystemMetrics(SM_CYSCREEN);
    int ww = sw * 3 / 4, wh = shh * 3 / 4;
    HWND h = CreateWindowA("FloorWindow", FLOOR_TITLE, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           (sw - ww) / 2, (shh - wh) / 2, ww, wh, nullptr, bar, inst, nullptr);
    edit = CreateWindowA("EDIT", "",
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                             ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                         0, 0, 100, 100, h, nullptr, inst, nullptr);
    list = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 8, 8, 110,
                         120, h, nullptr, inst, nullptr);
    lbl1 = CreateWindowA("STATIC", " Ln 1, Col 1 ", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, h, nullptr,
                         inst, nullptr);
    lbl2 = CreateWindowA("STATIC", "Sel: 0", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, h, nullptr, inst,
                         nullptr);
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(108, GetDeviceCaps(dc, LOGPIXELSY), 720);
    ReleaseDC(nullptr, dc);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, "Fixedsys");
    SendMessageA(edit, WM_SETFONT, (WPARAM)font, FALSE);
    SendMessageA(lbl1, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    SendMessageA(lbl2, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    SendMessageA(list, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    if (OpenClipboard(h)) {  // the Edit menu's state reads the clipboard's text once at load
        HANDLE c = GetClipboardData(CF_TEXT);
        if (c) {
            const char* p = (const char*)GlobalLock(c);
            if (p) {
                volatile size_t n = strlen(p);
                (void)n;
                GlobalUnlock(c);
            }
        }
        CloseClipboard();
    }
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextA(edit, text.c_str());
    ShowWindow(h, show);
    UpdateWindow(h);
    SetFocus(edit);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
