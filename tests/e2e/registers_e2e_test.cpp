// The register list of the real editor, held up with real X key events.
#include <gtest/gtest.h>

#include "probe.h"
#include "tests/tools/test_host.h"
#include "ui/main/frmMain.h"

namespace {

// Ctrl+Shift held on the X server for as long as this lives.
struct HeldChord {
    HeldChord() { RunHostCommand("xdotool keydown ctrl shift"); }
    ~HeldChord() { RunHostCommand("xdotool keyup shift ctrl"); }
};

TEST(RegistersE2E, HeldCtrlShiftShowsTheListAndCAndVStoreAndPaste) {
    if (!UnderWine()) {
        GTEST_SKIP() << "types through the X server Wine runs on";
    }
    const std::string path = ScratchFile("registers.txt", "alpha beta\r\ngamma");
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND list = GetDlgItem(main, frmMain::kLstClipboardId);
    FocusWindow(main);
    TypeKey('A', true);
    {
        HeldChord chord;
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(list) != FALSE; }));
        Sleep(300);  // painted
        // Beside this program: host commands start in the current folder.
        RunHostCommand("import -window root registers-list.png", 20000);
        EXPECT_EQ(RunHostCommand("test -s registers-list.png && echo saved"), "saved\n");
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
