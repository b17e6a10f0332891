// The clipboard registers driven by real key messages to the text box and the list.
#include <gtest/gtest.h>

#include <sstream>

#include "app/mdlCode.h"
#include "platform/code_page.h"
#include "test_support.h"
#include "ui/main/frmMain.h"

namespace {

// Parts of a '|'-separated list.
std::vector<std::string> Split(const std::string& joined) {
    std::vector<std::string> parts;
    std::stringstream in(joined);
    for (std::string part; std::getline(in, part, '|');) {
        parts.push_back(part);
    }
    return parts;
}

class RegistersTest : public ProcessTest {
protected:
    void TearDown() override {
        SetShiftState(0);
        ProcessTest::TearDown();
    }
    frmMain& form() { return mdlCode::MainForm(); }
    HWND box() { return form().txtDoc(); }
    HWND list() { return form().lstClipboard(); }
    void Run(char step) {
        // Key steps: where, which key, the shift state it sees, down and/or up.
        struct KeyStep {
            char token;
            bool inList;
            WPARAM vk;
            int shift;
            bool down, up;
        };
        static const KeyStep kKeys[] = {
            {'^', false, VK_CONTROL, 2, true, false},  // Ctrl, then Shift down in the box
            {'+', false, VK_SHIFT, 3, true, false},
            {'-', false, VK_SHIFT, 2, false, true},  // Shift, then Ctrl up in the box
            {'_', false, VK_CONTROL, 0, false, true},
            {'t', false, 'C', 3, true, true},       // C typed in the box with both held
            {'7', false, VK_MENU, 7, true, false},  // Alt down with both held
            {'d', true, VK_DOWN, 3, true, true},    // the list: arrow down
            {'C', true, 'C', 3, true, true},
            {'X', true, 'X', 3, true, true},
            {'V', true, 'V', 3, true, true},
            {'c', true, 'C', 2, true, true},  // Shift already released
            {'x', true, 'X', 2, true, true},
            {'v', true, 'V', 2, true, true},
            {'k', true, VK_CONTROL, 1, false, true},  // Ctrl released in the list
        };
        for (const KeyStep& k : kKeys) {
            if (k.token == step) {
                SetShiftState(k.shift);
                const HWND to = k.inList ? list() : box();
                if (k.down) {
                    SendMessageA(to, WM_KEYDOWN, k.vk, 1);
                }
                if (k.up) {
                    SendMessageA(to, WM_KEYUP, k.vk, 0xC0000001);
                }
                return;
            }
        }
        if (step == 'w') {  // the pop-up timer fires
            const DWORD start = GetTickCount();
            while (form().tmrClipboard().Enabled() && GetTickCount() - start < 5000) {
                PumpMessages();
                Sleep(20);
            }
            PumpMessages();
        } else if (step == 'D') {  // another window takes the activation, then gives it back
            const HWND other = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                               0, 50, 50, nullptr, nullptr, nullptr, nullptr);
            SetActiveWindow(other);
            PumpMessages();
            SetActiveWindow(form().hWnd());
            DestroyWindow(other);
            PumpMessages();
        } else if (step == 'F') {  // the main window itself is given the focus
            SetFocus(form().hWnd());
        } else if (step == 'L') {  // the user switches to another keyboard layout
            ui.layout = reinterpret_cast<HKL>(static_cast<UINT_PTR>(0x04190419));
        } else if (step == 'e' || step == 'a') {  // caret to the end; select all
            SendMessageA(box(), EM_SETSEL, step == 'e' ? 100 : 0, step == 'e' ? 100 : -1);
        } else if (step == 'u') {
            SendMessageA(box(), EM_UNDO, 0, 0);
        } else {
            ADD_FAILURE() << "no step " << step;
        }
    }
    std::string Row(int index) {
        char text[64] = {};
        SendMessageA(list(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
};

TEST_F(RegistersTest, KeyMessagesDriveTheRegisterList) {
    struct Case {
        const char* name;
        const char* text;
        int selStart, selEnd;
        const char* keys;
        const char* textAfter;
        int shownRow;           // the list's selected row; -1 when hidden
        const char* registers;  // '|'-separated from register 0; the rest stay empty
        const char* rows = "";  // the list's first rows, '|'-separated
    } const cases[] = {
        {"a quick Ctrl+Shift+C", "abc", 0, 3, "^+t-_w", "abc", -1, ""},
        {"a held chord", "abc", 0, 3, "^+w", "abc", 0, "", "||||||||"},
        {"C, then the next pop-up", "abc", 1, 3, "^+wddC-+w", "abc", 2, "||bc"},
        {"C without a selection, then Ctrl up", "abc", 1, 1, "^+wCk", "abc", -1, ""},
        {"X", "abc", 0, 2, "^+wX", "c", -1, "ab"},
        {"X, then Undo", "abc", 0, 2, "^+wXu", "abc", -1, "ab"},
        {"V of an empty register", "abc", 0, 2, "^+wV", "c", -1, ""},
        {"C, then V at the end", "abc", 0, 2, "^+wCe-+wV", "abcab", -1, "ab"},
        {"shift state 2 in the list", "abc", 0, 3, "^+wcxv", "abc", 0, ""},
        {"deactivated with the list up, then with the timer running", "abc", 0, 3, "^+wD^+Dw",
         "abc", -1, ""},
        {"the window focused with the list up", "abc", 0, 3, "^+wF", "abc", 0, ""},
        {"shift state 7 in the text box", "abc", 0, 3, "^7w", "abc", -1, ""},
        {"another layout, then a key up", "abc", 0, 3, "^+wLd", "abc", 1, ""},
        {"captions of 15 and 16 characters", "abcdefghijklmnop", 0, 15, "^+wCa-+wdC-+w",
         "abcdefghijklmnop", 1, "abcdefghijklmno|abcdefghijklmnop",
         "abcdefghijklmno|abcdefghijklmno\x85|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mdlCode::ResetProcessState();
        mdlCode::Main("");
        const HKL layout = ui.layout;
        form().SetText(c.text);
        SendMessageA(box(), EM_SETSEL, c.selStart, c.selEnd);
        for (const char* step = c.keys; *step != '\0'; ++step) {
            Run(*step);
        }
        EXPECT_EQ(WindowText(box()), c.textAfter);
        const bool shown = c.shownRow >= 0;
        EXPECT_EQ(IsWindowVisible(list()) != FALSE, shown);
        EXPECT_EQ(IsWindowEnabled(box()) != FALSE, !shown);
        EXPECT_EQ(GetFocus(), shown ? list() : box());
        EXPECT_FALSE(form().tmrClipboard().Enabled());
        EXPECT_EQ(ui.layout, layout);
        if (shown) {
            EXPECT_EQ(SendMessageA(list(), LB_GETCOUNT, 0, 0), 9);
            EXPECT_EQ(SendMessageA(list(), LB_GETCURSEL, 0, 0), c.shownRow);
        }
        std::vector<std::string> registers = Split(c.registers);
        registers.resize(10);
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(form().registers().Register(i), registers[i]) << "register " << i;
        }
        const std::vector<std::string> rows = Split(c.rows);
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(Row(static_cast<int>(i)), rows[i]) << "row " << i;
        }
    }
}

// On a multi-byte code page C and X store whole characters and V pastes them back byte
// for byte; the caption counts characters and ends in the code page's ellipsis.
TEST_F(RegistersTest, DbcsRegistersHoldWholeCharacters) {
    if (!AnsiIsMultiByte()) {
        GTEST_SKIP() << "runs under a multi-byte code page";
    }
    // Thirteen characters, then three more: "日本語のテキストです。長い" and "文字列", or
    // without kana (950) sixteen Chinese ones.
    const std::wstring japanese =
        L"\x65E5\x672C\x8A9E\x306E\x30C6\x30AD\x30B9\x30C8\x3067\x3059"
        L"\x3002\x9577\x3044\x6587\x5B57\x5217";
    const std::wstring chinese =
        L"\x65E5\x672C\x8A9E\x6587\x5B57\x5217\x9577\x8868\x4E2D\x570B"
        L"\x4EBA\x5927\x5C0F\x5C71\x5DDD\x6728";
    const std::wstring wide = HeldText({japanese}).empty() ? chinese : japanese;
    const std::string text = AnsiFromWide(wide.data(), wide.size());
    ASSERT_EQ(WideFromAnsi(text), wide);
    const std::string thirteen = AnsiFromWide(wide.data(), 13);
    const std::string fifteen = AnsiFromWide(wide.data(), 15);
    mdlCode::Main("");
    form().SetText(text);
    SendMessageA(box(), EM_SETSEL, 0, 13);  // the box's own positions: characters or bytes
    if (SelectedText(box()).size() != thirteen.size()) {
        SendMessageA(box(), EM_SETSEL, 0, static_cast<WPARAM>(thirteen.size()));
    }
    for (const char step : std::string("^+wX")) {
        Run(step);
    }
    EXPECT_EQ(form().registers().Register(0), thirteen);
    // `thirteen` is whole characters, so its byte length ends on a character boundary.
    EXPECT_EQ(form().Text(), text.substr(thirteen.size()));
    for (const char step : std::string("-+wV")) {
        Run(step);
    }
    EXPECT_EQ(form().Text(), text);
    Run('a');
    for (const char step : std::string("-+wdC-+w")) {
        Run(step);
    }
    EXPECT_EQ(Row(0), thirteen);
    EXPECT_EQ(Row(1), fifteen + AnsiEllipsis());
    if (GetACP() == CP_UTF8) {
        EXPECT_EQ(AnsiEllipsis(), "\xE2\x80\xA6");
    }
}

}  // namespace
