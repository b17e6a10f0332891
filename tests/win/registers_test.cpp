// The clipboard registers driven by real key messages, and the text transforms.
#include <gtest/gtest.h>

#include <vector>

#include "app/mdlCode.h"
#include "test_support.h"
#include "ui/main/frmMain.h"

namespace {

enum class At { Box, List, Timer, Select, Undo, OtherLayout };
enum Act { Down = 1, Up = 2, Press = Down | Up };

// A key message to the text box or the list with the shift state it sees, a wait for
// the pop-up timer, a new selection (vk..shift as start..end), Undo, or a switch to
// another keyboard layout.
struct Step {
    At at;
    int act;
    WPARAM vk;
    int shift;
};

const Step kCtrlDown{At::Box, Down, VK_CONTROL, 2};
const Step kShiftDown{At::Box, Down, VK_SHIFT, 3};
const Step kShiftUp{At::Box, Up, VK_SHIFT, 2};
const Step kFire{At::Timer, 0, 0, 0};
const Step kRowDown{At::List, Press, VK_DOWN, 3};
Step InList(WPARAM vk, int shift = 3, int act = Press) {
    return {At::List, act, vk, shift};
}
Step SelectText(int start, int end) {
    return {At::Select, 0, static_cast<WPARAM>(start), end};
}

struct Case {
    const char* name;
    const char* text;
    int selStart, selEnd;
    std::vector<Step> steps;
    const char* textAfter;
    int shownRow;                        // the list's selected row; -1 when hidden
    std::vector<std::string> registers;  // from register 0; the rest stay empty
    std::vector<std::string> rows = {};  // the list's first rows, when checked
};

class RegistersTest : public ProcessTest {
protected:
    void TearDown() override {
        SetShift(0);
        ProcessTest::TearDown();
    }
    frmMain& form() { return mdlCode::MainForm(); }
    HWND box() { return form().txtDoc(); }
    HWND list() { return form().lstClipboard(); }
    static void SetShift(int shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = (shift & 1) ? 0x80 : 0;
        keys[VK_CONTROL] = (shift & 2) ? 0x80 : 0;
        keys[VK_MENU] = (shift & 4) ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void Run(const Step& step) {
        const HWND target = step.at == At::List ? list() : box();
        switch (step.at) {
            case At::Timer:
                WaitUntilFired();
                return;
            case At::Select:
                SendMessageA(box(), EM_SETSEL, step.vk, step.shift);
                return;
            case At::Undo:
                SendMessageA(box(), EM_UNDO, 0, 0);
                return;
            case At::OtherLayout:
                ui.layout = reinterpret_cast<HKL>(static_cast<UINT_PTR>(0x04190419));
                return;
            default:
                break;
        }
        SetShift(step.shift);
        if (step.act & Down) {
            SendMessageA(target, WM_KEYDOWN, step.vk, 1);
        }
        if (step.act & Up) {
            SendMessageA(target, WM_KEYUP, step.vk, 0xC0000001);
        }
    }
    void WaitUntilFired() {
        const DWORD start = GetTickCount();
        while (form().tmrClipboard().Enabled() && GetTickCount() - start < 5000) {
            PumpMessages();
            Sleep(20);
        }
        PumpMessages();
    }
    std::string Row(int index) {
        char text[64] = {};
        SendMessageA(list(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
};

TEST_F(RegistersTest, KeyMessagesDriveTheRegisterList) {
    const Step kChord[] = {kCtrlDown, kShiftDown, kFire};
    const auto chord = [&](std::vector<Step> then) {
        then.insert(then.begin(), std::begin(kChord), std::end(kChord));
        return then;
    };
    const auto again = [&](std::vector<Step> then) {  // Shift released and pressed again
        then.insert(then.begin(), {kShiftUp, kShiftDown, kFire});
        return then;
    };
    const auto concat = [](std::vector<Step> a, const std::vector<Step>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Case cases[] = {
        {"a quick Ctrl+Shift+C shows nothing and stores nothing",
         "abc",
         0,
         3,
         {kCtrlDown,
          kShiftDown,
          {At::Box, Press, 'C', 3},
          kShiftUp,
          {At::Box, Up, VK_CONTROL, 0},
          kFire},
         "abc",
         -1,
         {}},
        {"a held chord shows nine rows on register 0",
         "abc",
         0,
         3,
         chord({}),
         "abc",
         0,
         {},
         std::vector<std::string>(9, "")},
        {"C stores, and the next pop-up starts on its row",
         "abc",
         1,
         3,
         concat(chord({kRowDown, kRowDown, InList('C')}), again({})),
         "abc",
         2,
         {"", "", "bc"}},
        {"C without a selection keeps the list; Ctrl released closes it",
         "abc",
         1,
         1,
         chord({InList('C'), InList(VK_CONTROL, 1, Up)}),
         "abc",
         -1,
         {}},
        {"X stores and deletes", "abc", 0, 2, chord({InList('X')}), "c", -1, {"ab"}},
        {"X then Undo", "abc", 0, 2, chord({InList('X'), {At::Undo, 0, 0, 0}}), "abc", -1, {"ab"}},
        {"V of an empty register deletes the selection",
         "abc",
         0,
         2,
         chord({InList('V')}),
         "c",
         -1,
         {}},
        {"V pastes a stored register and keeps it",
         "abc",
         0,
         2,
         concat(chord({InList('C'), SelectText(3, 3)}), again({InList('V')})),
         "abcab",
         -1,
         {"ab"}},
        {"shift state 2 in the list does nothing",
         "abc",
         0,
         3,
         chord({InList('C', 2), InList('X', 2), InList('V', 2)}),
         "abc",
         0,
         {}},
        {"a key release in the list activates the layout of the pop-up again",
         "abc",
         0,
         3,
         chord({{At::OtherLayout, 0, 0, 0}, kRowDown}),
         "abc",
         1,
         {}},
        {"shift state 7 in the text box starts nothing",
         "abc",
         0,
         3,
         {{At::Box, Down, VK_MENU, 7}, kFire},
         "abc",
         -1,
         {}},
        {"a caption of 15 characters and one of 16",
         "abcdefghijklmnop",
         0,
         15,
         concat(chord({InList('C'), SelectText(0, 16)}),
                concat(again({kRowDown, InList('C')}), again({}))),
         "abcdefghijklmnop",
         1,
         {"abcdefghijklmno", "abcdefghijklmnop"},
         {"abcdefghijklmno", "abcdefghijklmno\x85", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mdlCode::ResetProcessState();
        mdlCode::Main("");
        const HKL layout = ui.layout;
        form().SetText(c.text);
        SendMessageA(box(), EM_SETSEL, c.selStart, c.selEnd);
        for (const Step& step : c.steps) {
            Run(step);
        }
        EXPECT_EQ(WindowText(box()), c.textAfter);
        const bool shown = c.shownRow >= 0;
        EXPECT_EQ(IsWindowVisible(list()) != FALSE, shown);
        EXPECT_EQ(IsWindowEnabled(box()) != FALSE, !shown);
        EXPECT_FALSE(form().tmrClipboard().Enabled());
        EXPECT_EQ(ui.layout, layout);
        if (shown) {
            EXPECT_EQ(SendMessageA(list(), LB_GETCOUNT, 0, 0), 9);
            EXPECT_EQ(SendMessageA(list(), LB_GETCURSEL, 0, 0), c.shownRow);
            EXPECT_EQ(GetFocus(), list());
        }
        for (int i = 0; i < 10; ++i) {
            const std::string expected =
                i < static_cast<int>(c.registers.size()) ? c.registers[i] : "";
            EXPECT_EQ(form().registers().Register(i), expected) << "register " << i;
        }
        for (size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(Row(static_cast<int>(i)), c.rows[i]) << "row " << i;
        }
    }
}

}  // namespace
