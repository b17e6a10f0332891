// New, Open, Save, Save As and the closing question, with the dialogs answered by the
// test and the files real.
#include <gtest/gtest.h>

#include <cstring>

#include "app/mdlCode.h"
#include "dialogs/CComDlgEx.h"
#include "test_support.h"
#include "ui/main/frmMain.h"

namespace {

class FileCommandsTest : public ProcessTest {
protected:
    void Start(const std::string& argument = "") { mdlCode::Main(argument); }
    frmMain& form() { return mdlCode::MainForm(); }
    const DocumentStateT& doc() { return mdlCode::DocumentState; }
    std::string caption() { return WindowText(form().hWnd()); }
    void Type(char c) { SendMessageA(form().txtDoc(), WM_CHAR, static_cast<WPARAM>(c), 0); }
    void Choose(const std::string& path) {
        ui.fileAnswers.push_back({true, path, path.substr(path.find_last_of('\\') + 1)});
    }
    std::string Exe() { return mdlCode::OwnExecutableCommand(); }
    // Closes the window as the close box does; true when it went.
    bool Close() {
        SendMessageA(form().hWnd(), WM_CLOSE, 0, 0);
        PumpMessages();
        return !form().IsOpen();
    }
};

TEST_F(FileCommandsTest, SavingANewDocumentAsksForANameThenWritesIt) {
    Start();
    Type('h');
    Type('i');
    const std::string path = dir / "first.txt";
    Choose(path);
    form().mnuSave_Click();
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogCall& call = ui.fileDialogs[0];
    EXPECT_TRUE(call.save);
    EXPECT_EQ(call.title, "Save file as");
    // An existing file is never replaced without the system's question.
    EXPECT_EQ(call.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(call.filter, std::string("All files (*.*)\0*.*\0\0", 21));
    EXPECT_EQ(call.owner, form().hWnd());
    EXPECT_EQ(ReadFileBytes(path), "hi");
    EXPECT_EQ(doc().DocPath, path);
    EXPECT_EQ(doc().DocTitle, "first.txt");
    EXPECT_FALSE(doc().DocModified);
    EXPECT_EQ(caption(), "first.txt - Quillet");
    // The text box still reports a change: the very next keystroke marks the title.
    Type('!');
    EXPECT_EQ(caption(), "first.txt [*] - Quillet");
    form().mnuSave_Click();
    EXPECT_EQ(ui.fileDialogs.size(), 1u) << "a named document is saved without asking";
    EXPECT_EQ(ReadFileBytes(path), "hi!");
}

TEST_F(FileCommandsTest, CancelledSaveAsChangesNothingAndSaveKeepsTheOldPath) {
    const std::string path = dir / "notes.txt";
    WriteFileBytes(path, "old");
    Start(path);
    Type('x');
    form().mnuSaveAs_Click();  // no answer: the user cancels
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_FALSE(doc().ForceSaveAs);
    EXPECT_EQ(caption(), "notes.txt [*] - Quillet");
    EXPECT_EQ(ReadFileBytes(path), "old");
    form().mnuSave_Click();
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ReadFileBytes(path), "xold");
    EXPECT_EQ(caption(), "notes.txt - Quillet");
}

TEST_F(FileCommandsTest, SaveAsWritesANewFileAndRenamesTheDocument) {
    const std::string path = dir / "notes.txt";
    WriteFileBytes(path, "text");
    Start(path);
    const std::string copy = dir / "copy.txt";
    Choose(copy);
    form().mnuSaveAs_Click();
    EXPECT_EQ(ReadFileBytes(copy), "text");
    EXPECT_EQ(doc().DocPath, copy);
    EXPECT_EQ(caption(), "copy.txt - Quillet");
    EXPECT_FALSE(doc().ForceSaveAs);
    // The dialog started from the file last chosen in a dialog, not from the document.
    EXPECT_EQ(ui.fileDialogs[0].file, "");
}

TEST_F(FileCommandsTest, SaveOfAnUnchangedNamedDocumentStillWrites) {
    const std::string path = dir / "notes.txt";
    WriteFileBytes(path, "mine");
    Start(path);
    WriteFileBytes(path, "changed behind the editor's back");
    form().mnuSave_Click();
    EXPECT_EQ(ReadFileBytes(path), "mine");
    EXPECT_TRUE(ui.fileDialogs.empty());
}

TEST_F(FileCommandsTest, OpenRefusalsInABusyOrAFreshWindow) {
    const std::string named = dir / "named.txt";
    WriteFileBytes(named, "named");
    const std::string large = dir / "large.txt";
    WriteFileBytes(large, std::string(65537, 'x'));
    Start(named);
    Choose(large);
    form().mnuOpen_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "It is impossible to open a file because of its size");
    EXPECT_TRUE(ui.started.empty()) << "no second instance for a refused file";

    // A file locked against reading, opened into a fresh window: the read failure's
    // message, and the window stays untitled.
    mdlCode::ResetProcessState();
    ui.messages.clear();
    Start();
    const std::string locked = dir / "locked.txt";
    WriteFileBytes(locked, "secret");
    UniqueHandle lock(
        CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    Choose(locked);
    form().mnuOpen_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Error #32 :: ", 0), 0u) << ui.messages[0].text;
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_TRUE(ui.started.empty());
}

TEST_F(FileCommandsTest, AFileNamedUntitledCountsAsNew) {
    const std::string path = dir / "Untitled";
    WriteFileBytes(path, "odd name");
    Start(path);
    EXPECT_EQ(caption(), "Untitled - Quillet");
    Type('x');
    form().mnuSave_Click();
    EXPECT_EQ(ui.fileDialogs.size(), 1u) << "Save asks for a name";
}

// A read-only file through Save, device names through Save As: the box, and the
// document still changed.
TEST_F(FileCommandsTest, AFailedSaveKeepsTheDocumentAsItWas) {
    const std::string path = dir / "locked.txt";
    WriteFileBytes(path, "old");
    Start(path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Type('x');
    for (const std::string& name : {std::string(), dir / "NUL.txt", dir / "CON"}) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        if (name.empty()) {
            form().mnuSave_Click();
        } else {
            Choose(name);
            form().mnuSaveAs_Click();
        }
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.rfind("Error #", 0), 0u) << ui.messages[0].text;
        EXPECT_EQ(name.empty(), ui.messages[0].text.find("not saved") == std::string::npos);
        EXPECT_TRUE(doc().DocModified);
        EXPECT_EQ(doc().DocPath, path);
        EXPECT_EQ(caption(), "locked.txt [*] - Quillet");
        EXPECT_EQ(ReadFileBytes(path), "old");
    }
}

TEST_F(FileCommandsTest, OpenLoadsIntoAFreshWindow) {
    Start();
    const std::string path = dir / "open me.txt";
    WriteFileBytes(path, "opened\r\ntext");
    Choose(path);
    form().mnuOpen_Click();
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_FALSE(ui.fileDialogs[0].save);
    EXPECT_EQ(ui.fileDialogs[0].title, "Open file");
    EXPECT_EQ(form().Text(), "opened\r\ntext");
    EXPECT_EQ(caption(), "open me.txt - Quillet");
    EXPECT_EQ(doc().DocPath, path);
    EXPECT_FALSE(doc().DocModified);
    EXPECT_TRUE(ui.started.empty());
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
}

TEST_F(FileCommandsTest, OpenCancelledOrMissingOrTooBig) {
    Start();
    form().mnuOpen_Click();  // cancelled
    EXPECT_TRUE(ui.messages.empty());

    Choose(dir / "missing.txt");
    form().mnuOpen_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "File not found");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);

    WriteFileBytes(dir / "big.txt", std::string(65537, 'b'));
    Choose(dir / "big.txt");
    form().mnuOpen_Click();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "It is impossible to open a file because of its size");
    EXPECT_EQ(ui.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_TRUE(ui.started.empty());

    WriteFileBytes(dir / "fits.txt", std::string(65536, 'f'));
    Choose(dir / "fits.txt");
    form().mnuOpen_Click();
    EXPECT_EQ(form().Text().size(), 65536u);
    EXPECT_EQ(caption(), "fits.txt - Quillet");
}

TEST_F(FileCommandsTest, OpeningAnEmptyFileLeavesTheWindowUntitled) {
    Start();
    WriteFileBytes(dir / "empty.txt", "");
    Choose(dir / "empty.txt");
    form().mnuOpen_Click();
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(doc().DocPath, "");
}

TEST_F(FileCommandsTest, OpenIntoABusyWindowStartsAnotherInstance) {
    const std::string named = dir / "named.txt";
    WriteFileBytes(named, "mine");
    const std::string other = dir / "with blanks.txt";
    WriteFileBytes(other, "theirs");
    Start(named);
    Choose(other);
    form().mnuOpen_Click();
    ASSERT_EQ(ui.started.size(), 1u);
    EXPECT_EQ(ui.started[0], Exe() + " " + other) << "the path goes unquoted";
    EXPECT_EQ(form().Text(), "mine");
    EXPECT_EQ(caption(), "named.txt - Quillet");

    // A changed untitled document is busy too; no question is asked.
    mdlCode::ResetProcessState();
    Start();
    Type('x');
    Choose(other);
    form().mnuOpen_Click();
    ASSERT_EQ(ui.started.size(), 2u);
    EXPECT_EQ(form().Text(), "x");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
}

TEST_F(FileCommandsTest, NewStartsTheProgramAgainWithoutArguments) {
    Start();
    Type('x');
    form().mnuNew_Click();
    ASSERT_EQ(ui.started.size(), 1u);
    EXPECT_EQ(ui.started[0], Exe());
    EXPECT_EQ(form().Text(), "x");
    ui.startError = ERROR_FILE_NOT_FOUND;
    form().mnuNew_Click();
    ASSERT_EQ(ui.messages.size(), 1u) << "a New that can't start says so";
    EXPECT_EQ(ui.messages[0].text.rfind("2 :: ", 0), 0u) << ui.messages[0].text;
}

TEST_F(FileCommandsTest, ClosingAnUnchangedDocumentAsksNothing) {
    Start();
    EXPECT_TRUE(Close());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileCommandsTest, ClosingAChangedDocumentAsks) {
    const std::string path = dir / "notes.txt";
    WriteFileBytes(path, "old");
    Start(path);
    Type('x');
    ui.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(Close());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Save changes to 'notes.txt'?");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(form().Text(), "xold");

    ui.answers = {MsgAnswer::No};
    EXPECT_TRUE(Close());
    EXPECT_EQ(ReadFileBytes(path), "old");
}

TEST_F(FileCommandsTest, YesSavesANamedDocumentAndCloses) {
    const std::string path = dir / "notes.txt";
    WriteFileBytes(path, "old");
    Start(path);
    Type('x');
    ui.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(Close());
    EXPECT_EQ(ReadFileBytes(path), "xold");
}

TEST_F(FileCommandsTest, YesWhoseSaveDoesNotHappenKeepsTheWindowAndItsText) {
    Start();
    Type('x');
    ui.answers = {MsgAnswer::Yes};  // then the name dialog is cancelled
    EXPECT_FALSE(Close());
    EXPECT_EQ(form().Text(), "x");
    EXPECT_EQ(caption(), "Untitled [*] - Quillet");

    const std::string path = dir / "ro.txt";
    WriteFileBytes(path, "old");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ui.answers = {MsgAnswer::Yes};
    Choose(path);
    EXPECT_FALSE(Close()) << "a failed write must not lose the text";
    EXPECT_EQ(form().Text(), "x");
    EXPECT_EQ(ReadFileBytes(path), "old");

    ui.answers = {MsgAnswer::Yes};
    Choose(dir / "saved.txt");
    EXPECT_TRUE(Close());
    EXPECT_EQ(ReadFileBytes(dir / "saved.txt"), "x");
}

// Under Wine the ANSI box keeps Unicode inside, so a paste from another program can hold
// characters the code page lacks. No save puts others in their place without asking:
// Cancel writes nothing and leaves the document changed (and the window open at
// closing); OK writes the text as the code page has it.
TEST_F(FileCommandsTest, AnsiPasteTheCodePageCantHoldAsksBeforeEverySave) {
    const std::wstring pasted = L"\x03A9mega \x4E2D\x6587";
    if (!HeldText({pasted}).empty()) {
        GTEST_SKIP() << "the code page holds the pasted text";
    }
    const std::string path = dir / "notes.txt";
    WriteFileBytes(path, "old");
    Start(path);
    // Pasted from another program, as Unicode.
    ASSERT_TRUE(OpenClipboard(form().hWnd()));
    EmptyClipboard();
    const size_t bytes = (pasted.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), pasted.c_str(), bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
    }
    CloseClipboard();
    SendMessageA(form().txtDoc(), WM_PASTE, 0, 0);
    const auto cancelled = [&](const char* what) {
        SCOPED_TRACE(what);
        ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
        EXPECT_EQ(ui.messages[0].text,
                  "This document contains characters that the current code page can't hold. "
                  "Saving it will change them.");
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(ui.messages[0].buttons, MsgButtons::OkCancel);
        EXPECT_EQ(ReadFileBytes(path), "old");
        EXPECT_TRUE(doc().DocModified);
        ui.messages.clear();
    };
    ui.answers = {MsgAnswer::Cancel};
    form().mnuSave_Click();
    cancelled("Save");
    ui.answers = {MsgAnswer::Cancel};
    Choose(dir / "other.txt");
    form().mnuSaveAs_Click();
    cancelled("Save As");
    EXPECT_FALSE(FileExists(dir / "other.txt"));
    ui.answers = {MsgAnswer::Yes, MsgAnswer::Cancel};
    ASSERT_FALSE(Close());
    ui.messages.erase(ui.messages.begin());  // the closing question
    cancelled("closing");

    ui.answers = {MsgAnswer::Ok};
    form().mnuSave_Click();
    EXPECT_EQ(ReadFileBytes(path), form().Text());
    EXPECT_EQ(form().Text(), AnsiFromWide(pasted.data(), pasted.size()) + "old");
    EXPECT_FALSE(doc().DocModified);
    EXPECT_EQ(ui.messages.size(), 1u);
}

// The name the user chose, in UTF-16, is the file read or written. Where the code page
// holds it the file itself is used; where it can't, the user is told and no file is
// touched: its best-fit spelling is the look-alike's name.
TEST_F(FileCommandsTest, AnsiDbcsNamesOutsideTheCodePageNeverReachALookAlike) {
    const struct {
        const wchar_t* name;
        const char* lookAlike;
    } rows[] = {
        {L"\u0100B\u010C.txt", "ABC.txt"},
        {L"r\u00E9sum\u00E9.txt", "resume.txt"},
    };
    const std::string refusal =
        "This file name has characters that the current code page can't hold. Choose "
        "another name.";
    const auto wideBytes = [](const std::wstring& path) {
        UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        char bytes[64] = {};
        DWORD read = 0;
        return file.get() != INVALID_HANDLE_VALUE && ReadFile(file.get(), bytes, 64, &read, nullptr)
                   ? std::string(bytes, read)
                   : std::string("<missing>");
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lookAlike);
        const std::wstring chosen = WideFromAnsi(dir.path()) + L"\\" + row.name;
        const std::optional<std::string> held = ExactAnsiFromWide(row.name);
        const std::string lookAlike = dir / row.lookAlike;
        WriteFileBytes(lookAlike, "look-alike");
        FileDialogAnswer answer{true, "", ""};
        answer.widePath = chosen;
        const auto reset = [&] {
            mdlCode::ResetProcessState();
            ui.messages.clear();
            ui.fileDialogs.clear();
        };

        // Save As, then the closing question's save.
        reset();
        Start();
        Type('s');
        ui.fileAnswers.push_back(answer);
        form().mnuSaveAs_Click();
        if (held) {
            EXPECT_EQ(wideBytes(chosen), "s");
            EXPECT_EQ(caption(), *held + " - Quillet");
        } else {
            EXPECT_EQ(ui.MessageTexts(), refusal + "\n");
            ASSERT_EQ(ui.fileDialogs.size(), 2u) << "the dialog comes up again";
            EXPECT_EQ(ui.fileDialogs[1].initialDir, dir.path());
            EXPECT_EQ(wideBytes(chosen), "<missing>");
            EXPECT_EQ(caption(), "Untitled [*] - Quillet");
        }
        reset();
        Start();
        Type('q');
        ui.answers = {MsgAnswer::Yes};
        ui.fileAnswers.push_back(answer);
        EXPECT_EQ(Close(), held.has_value());
        EXPECT_EQ(wideBytes(chosen), held ? "q" : "<missing>");
        EXPECT_EQ(ReadFileBytes(lookAlike), "look-alike");

        // Open into a fresh window, and the command line, with the file there.
        UniqueHandle file(
            CreateFileW(chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), "chosen", 6, &written, nullptr));
        file.reset();
        reset();
        Start();
        ui.fileAnswers.push_back(answer);
        form().mnuOpen_Click();
        EXPECT_EQ(form().Text(), held ? "chosen" : "");
        EXPECT_EQ(ui.MessageTexts(), held ? "" : refusal + "\n");
        reset();
        mdlCode::MainFromCommandLine(L"\"C:\\q\\quillet.exe\" \"" + chosen + L"\"");
        EXPECT_EQ(form().Text(), held ? "chosen" : "");
        EXPECT_EQ(caption(), (held ? *held : "Untitled") + " - Quillet");
        EXPECT_EQ(ui.messages.size(), held ? 0u : 1u) << ui.MessageTexts();
        EXPECT_EQ(ReadFileBytes(lookAlike), "look-alike");
        EXPECT_TRUE(DeleteFileW(chosen.c_str()));
    }
}

TEST_F(FileCommandsTest, ExitRunsTheClosingQuestion) {
    Start();
    Type('x');
    ui.answers = {MsgAnswer::Cancel};
    form().mnuExit_Click();
    PumpMessages();
    EXPECT_TRUE(form().IsOpen());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Save changes to 'Untitled'?");
}

TEST_F(FileCommandsTest, ShutdownAsksTooAndCancelRefusesIt) {
    Start();
    Type('x');
    ui.answers = {MsgAnswer::Cancel};
    EXPECT_EQ(SendMessageA(form().hWnd(), WM_QUERYENDSESSION, 0, 0), FALSE);
    ui.answers = {MsgAnswer::No};
    EXPECT_EQ(SendMessageA(form().hWnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

}  // namespace
