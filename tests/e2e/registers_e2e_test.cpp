// The register list of the real editor, held up with real X key events.
#include <gtest/gtest.h>

#include "probe.h"

namespace {

constexpr int kLstClipboardId = 2;

// Ctrl+Shift held on the X server for as long as this lives.
struct HeldChord {
    HeldChord() { RunHostCommand("xdotool keydown ctrl shift"); }
    ~HeldChord() { RunHostCommand("xdotool keyup shift ctrl"); }
};

// Where the screenshot goes: beside this program, as the host names it.
std::string ScreenshotPath() {
    char path[MAX_PATH] = {};
    std::string host(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    host = host.substr(0, host.find_last_of('\\') + 1) + "registers-list.png";
    if (host.rfind("Z:", 0) == 0) {
        host.erase(0, 2);
    }
    for (char& c : host) {
        c = c == '\\' ? '/' : c;
    }
    return host;
}

TEST(RegistersE2E, HeldCtrlShiftShowsTheListAndCAndVStoreAndPaste) {
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr) {
        GTEST_SKIP() << "types through the X server Wine runs on";
    }
    const std::string path = ScratchFile("registers.txt", "alpha beta\r\ngamma");
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND list = GetDlgItem(main, kLstClipboardId);
    FocusWindow(main);
    TypeKey('A', true);
    {
        HeldChord chord;
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(list) != FALSE; }));
        Sleep(300);  // painted
        const std::string shot = ScreenshotPath();
        RunHostCommand("import -window root '" + shot + "'", 20000);
        EXPECT_EQ(RunHostCommand("test -s '" + shot + "' && echo saved"), "saved\n") << shot;
        RunHostCommand("xdotool key c");
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(list) == FALSE; }));
    }
    TypeKey(VK_END, true);
    {
        HeldChord chord;
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(list) != FALSE; }));
        RunHostCommand("xdotool key v");
    }
    EXPECT_TRUE(WaitUntil([&] {
        return editor.DocText() == "alpha beta\r\ngammaalpha beta\r\ngamma";
    })) << editor.DocText();
}

}  // namespace
