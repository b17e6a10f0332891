// Text on a multi-byte ANSI code page: double-byte ones (932, 936, 949, 950), where a
// trail byte can look like a letter, a backslash or "|", and UTF-8 (65001), where a
// character takes up to four bytes: the win_tests_cp932/936/949/950/65001 runs. Each
// takes its characters from the code page under test. Elsewhere only the load
// warning's single-byte half runs.
#include <gtest/gtest.h>

#include "app/mdlCode.h"
#include "platform/code_page.h"
#include "test_support.h"
#include "ui/find/frmFind.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"
#include "ui/text_box.h"

namespace {

constexpr const char* kNotTextWarning =
    "This file contains bytes that are not text in the current code page. Saving it will "
    "change them.";

class DbcsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (!AnsiIsMultiByte()) {
            GTEST_SKIP() << "runs under a multi-byte code page";
        }
    }
    // The text in the ANSI code page, which must hold it.
    static std::string A(const std::wstring& text) {
        const std::string ansi = HeldText({text});
        EXPECT_FALSE(ansi.empty()) << "not in code page " << GetACP();
        return ansi;
    }
    // A character without case that takes more than one byte: katakana a, else a
    // Chinese one (950 has no kana).
    static std::wstring Caseless() { return HeldText({L"\x30A2"}).empty() ? L"\x4E2D" : L"\x30A2"; }
    void SelectAll() { SendMessageA(box(), EM_SETSEL, 0, -1); }
};

TEST_F(DbcsTest, CaseConversionKeepsEveryCharacter) {
    // Full-width abc, abc, a caseless character; under UTF-8 also letters of two bytes,
    // an emoji, and sharp s and dotless i, whose other case is shorter and which stay.
    const bool utf8 = GetACP() == CP_UTF8;
    const std::wstring more = utf8 ? L" h\xE9llo w\xF6rld \xF1 \xD83D\xDE00 \xDF \x131" : L"";
    const std::wstring moreUpper = utf8 ? L" H\xC9LLO W\xD6RLD \xD1 \xD83D\xDE00 \xDF \x131" : L"";
    const std::string lower = A(L"\xFF41\xFF42\xFF43 abc " + Caseless() + more);
    form().SetText(lower);
    SelectAll();
    form().mnuUCase_Click();
    EXPECT_EQ(form().Text(), A(L"\xFF21\xFF22\xFF23 ABC " + Caseless() + moreUpper));
    SelectAll();
    form().mnuLCase_Click();
    EXPECT_EQ(form().Text(), lower);
    // The emoji alone, selected by the box's own positions (two UTF-16 units).
    if (utf8) {
        form().SetText(A(L"x\xD83D\xDE00y"));
        Select(1, 3);
        form().mnuUCase_Click();
        EXPECT_EQ(form().Text(), A(L"x\xD83D\xDE00y"));
    }
}

TEST_F(DbcsTest, FindSelectsWholeCharactersAndReplaceAllKeepsThem) {
    const std::string kanaA = A(Caseless()) + "A";  // 83 41 41 under 932
    struct Row {
        std::string text;
        bool matchCase;
        std::string find;
        std::vector<std::string> selected;  // each Find Next's selected text
        std::string replaced = "";          // after Replace All by "B", when given
    };
    std::vector<Row> rows = {
        {kanaA, false, "a", {"A"}},
        {kanaA, true, "A", {"A"}, A(Caseless()) + "B"},
        // Full-width A and a are one letter when case is ignored.
        {A(L"\xFF21\xFF41"), false, A(L"\xFF41"), {A(L"\xFF21"), A(L"\xFF41")}},
        {A(L"\xFF21\xFF41"), true, A(L"\xFF41"), {A(L"\xFF41")}},
    };
    if (const std::string o = HeldText({L"\xF6"}); o.size() > 1) {
        // o umlaut of several bytes finds its capital; Replace All keeps every other
        // character.
        const std::string text = A(L"a\xF6 \xF6 \xD6 b");
        rows.push_back({text, false, o, {o, o, A(L"\xD6")}, "aB B B b"});
        rows.push_back({text, true, o, {o, o}, "aB B " + A(L"\xD6") + " b"});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text + " / " + row.find);
        form().SetText(row.text);
        Select(0, 0);
        frmFind find(form(), ui);
        find.ShowModeless();
        const HWND d = find.hWnd();
        SetDlgItemTextA(d, frmFind::kTxtFind, row.find.c_str());
        CheckDlgButton(d, frmFind::kChkMatchCase, row.matchCase ? BST_CHECKED : BST_UNCHECKED);
        find.chkMatchCase_Click();
        for (const std::string& selected : row.selected) {
            find.cmdFindNext_Click();
            EXPECT_EQ(SelectedText(box()), selected);
        }
        find.cmdFindNext_Click();
        EXPECT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
        ui.messages.clear();
        find.cmdFindNext_Click();  // from the start again
        EXPECT_EQ(SelectedText(box()), row.selected[0]);
        if (!row.replaced.empty()) {
            find.cmdMode_Click();
            SetDlgItemTextA(d, frmFind::kTxtReplace, "B");
            find.cmdReplaceAll_Click();
            EXPECT_EQ(form().Text(), row.replaced);
        }
    }
    // The box's own selection covers the match: typing over it replaces just that.
    const std::string sample = AnsiSampleChars();
    form().SetText("x" + sample + "y");
    frmFind find(form(), ui);
    find.ShowModeless();
    SetDlgItemTextA(find.hWnd(), frmFind::kTxtFind, "Y");
    find.cmdFindNext_Click();
    ReplaceSelection(box(), "Z");
    EXPECT_EQ(form().Text(), "x" + sample + "Z");
}

TEST_F(DbcsTest, ADocumentNamedWithATrailBackslashOpensSavesAndSetsTheFolder) {
    const std::string folder = dir / A(L"\x8868");  // 95 5C under 932
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string name = A(L"\x8868.txt");
    const std::string path = folder + "\\" + name;
    WriteFileBytes(path, A(L"\x8868"));
    ui.fileAnswers.push_back({true, path, name});
    form().mnuOpen_Click();
    EXPECT_EQ(WindowText(form().hWnd()), name + " - Quillet");
    Select(0, 0);
    SendMessageA(box(), WM_CHAR, 'x', 0);
    form().mnuSave_Click();
    EXPECT_EQ(ReadFileBytes(path), "x" + A(L"\x8868"));
    form().mnuOpen_Click();  // cancelled: no answer left
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    EXPECT_EQ(ui.fileDialogs[1].initialDir, folder);
    EXPECT_EQ(ui.fileDialogs[1].file, name);
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
}

TEST_F(DbcsTest, MenuEllipsisIsTheCodePagesOwn) {
    char text[64] = {};
    GetMenuStringA(form().menu(), quillet::mnuOpen, text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ(std::string(text), "&Open" + A(L"\x2026") + "\tCtrl+O");
    if (GetACP() == 932) {
        EXPECT_EQ(A(L"\x2026"), "\x81\x63");
    } else if (GetACP() == CP_UTF8) {
        EXPECT_EQ(A(L"\x2026"), "\xE2\x80\xA6");
    }
}

// Bytes the box can't hold as text are reported once, at start-up without an owner and
// in Open over the window; the document stays unchanged. A single-byte code page holds
// every byte, so there the box never shows.
class DbcsLoadTest : public ProcessTest {};

TEST_F(DbcsLoadTest, BytesTheBoxCantHoldAreReportedOnce) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    WriteFileBytes(dir / "all.bin", all);
    mdlCode::Main(dir / "all.bin");
    if (!AnsiIsMultiByte()) {
        EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
        return;
    }
    // A lead byte before CR LF is no character in any double-byte code page, nor FF in
    // UTF-8.
    const std::string broken = dir / "broken.txt";
    WriteFileBytes(broken, GetACP() == CP_UTF8 ? "ab\xFF\r\ncd" : "ab\x83\r\ncd");
    mdlCode::ResetProcessState();
    ui.messages.clear();
    mdlCode::Main(broken);
    ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
    EXPECT_EQ(ui.messages[0].text, kNotTextWarning);
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.messages[0].owner, nullptr);
    EXPECT_FALSE(mdlCode::DocumentState.DocModified);
    EXPECT_EQ(mdlCode::DocumentState.DocTitle, "broken.txt");

    mdlCode::ResetProcessState();
    mdlCode::Main("");
    ui.messages.clear();
    ui.fileAnswers.push_back({true, broken, "broken.txt"});
    mdlCode::MainForm().mnuOpen_Click();
    ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
    EXPECT_EQ(ui.messages[0].text, kNotTextWarning);
    EXPECT_EQ(ui.messages[0].owner, mdlCode::MainForm().hWnd());
    EXPECT_FALSE(mdlCode::DocumentState.DocModified);
}

}  // namespace
