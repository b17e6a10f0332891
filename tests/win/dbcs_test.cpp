// Text on a double-byte ANSI code page (932, 936, 949), where a trail byte can look like
// a letter, a backslash or "|": the win_tests_cp932/936/949 runs. Elsewhere only the
// load warning's single-byte half runs.
#include <gtest/gtest.h>

#include "app/mdlCode.h"
#include "platform/code_page.h"
#include "test_support.h"
#include "ui/find/frmFind.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"

namespace {

constexpr const char* kNotTextWarning =
    "This file contains bytes that are not text in the current code page. Saving it will "
    "change them.";

class DbcsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (!AnsiIsDoubleByte()) {
            GTEST_SKIP() << "runs under a double-byte code page";
        }
    }
    // The text in the ANSI code page; every character of these tests is in 932, 936
    // and 949 alike.
    static std::string A(const std::wstring& text) {
        std::string ansi(text.size() * 2, '\0');
        BOOL usedDefault = FALSE;
        ansi.resize(static_cast<size_t>(
            WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(),
                                static_cast<int>(ansi.size()), nullptr, &usedDefault)));
        EXPECT_FALSE(usedDefault);
        return ansi;
    }
    void SelectAll() { SendMessageA(box(), EM_SETSEL, 0, -1); }
};

TEST_F(DbcsTest, CaseConversionKeepsEveryCharacter) {
    form().SetText(A(L"\xFF41\xFF42\xFF43 abc \x30A2"));  // full-width abc, abc, katakana a
    SelectAll();
    form().mnuUCase_Click();
    EXPECT_EQ(form().Text(), A(L"\xFF21\xFF22\xFF23 ABC \x30A2"));
    SelectAll();
    form().mnuLCase_Click();
    EXPECT_EQ(form().Text(), A(L"\xFF41\xFF42\xFF43 abc \x30A2"));
}

TEST_F(DbcsTest, FindSelectsWholeCharactersAndReplaceAllKeepsThem) {
    const std::string kanaA = A(L"\x30A2") + "A";  // 83 41 41 under 932
    struct Row {
        std::string text;
        bool matchCase;
        std::string find;
        std::vector<std::string> selected;  // each Find Next's selected text
    } const rows[] = {
        {kanaA, false, "a", {"A"}},
        {kanaA, true, "A", {"A"}},
        // Full-width A and a are one letter when case is ignored.
        {A(L"\xFF21\xFF41"), false, A(L"\xFF41"), {A(L"\xFF21"), A(L"\xFF41")}},
        {A(L"\xFF21\xFF41"), true, A(L"\xFF41"), {A(L"\xFF41")}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.find);
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
        if (row.matchCase && row.find == "A") {
            find.cmdMode_Click();
            SetDlgItemTextA(d, frmFind::kTxtReplace, "B");
            find.cmdReplaceAll_Click();
            EXPECT_EQ(form().Text(), A(L"\x30A2") + "B");
        }
    }
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
    if (!AnsiIsDoubleByte()) {
        EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
        return;
    }
    // A lead byte before CR LF is no character, in every double-byte code page.
    const std::string broken = dir / "broken.txt";
    WriteFileBytes(broken, "ab\x83\r\ncd");
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
