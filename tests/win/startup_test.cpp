// Start-up: the argument text resolved to a document, with the messages a user sees.
#include <gtest/gtest.h>

#include "app/mdlCode.h"
#include "core/app/command_line.h"
#include "platform/win32_util.h"
#include "test_support.h"
#include "ui/main/frmMain.h"

namespace {

class StartupTest : public ProcessTest {
protected:
    frmMain& form() { return mdlCode::MainForm(); }
    std::string caption() { return WindowText(form().hWnd()); }
    const DocumentStateT& doc() { return mdlCode::DocumentState; }
};

TEST_F(StartupTest, NoArgumentOpensAnEmptyUntitledWindow) {
    mdlCode::Main("");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(form().Text(), "");
    EXPECT_EQ(doc().DocTitle, "Untitled");
    EXPECT_EQ(doc().DocPath, "");
    EXPECT_FALSE(doc().DocModified);
    EXPECT_FALSE(doc().ForceSaveAs);
    EXPECT_TRUE(IsWindowVisible(form().hWnd()));
    EXPECT_EQ(WindowText(form().lblColRow()), " Ln 1, Col 1 ");
    EXPECT_EQ(WindowText(form().lblSelection()), "Sel: 0");
}

TEST_F(StartupTest, BareNameInTheCurrentFolderBecomesAFullPath) {
    WriteFileBytes(dir / "notes.txt", "first line\r\nsecond");
    SetCurrentDirectoryA(dir.path().c_str());
    mdlCode::Main("notes.txt");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(doc().DocPath, dir / "notes.txt");
    EXPECT_EQ(doc().DocTitle, "notes.txt");
    EXPECT_EQ(caption(), "notes.txt - Quillet");
    EXPECT_EQ(form().Text(), "first line\r\nsecond");
    EXPECT_FALSE(doc().DocModified);
}

TEST_F(StartupTest, QuotedPathWithBlanksLosesItsQuotes) {
    CreateDirectoryA((dir / "My Files").c_str(), nullptr);
    const std::string path = dir / "My Files\\a.txt";
    WriteFileBytes(path, "quoted");
    mdlCode::Main("\"" + path + "\"");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(doc().DocPath, path);
    EXPECT_EQ(caption(), "a.txt - Quillet");
    EXPECT_EQ(form().Text(), "quoted");
}

TEST_F(StartupTest, UnquotedPathWithBlanksIsOnePath) {
    CreateDirectoryA((dir / "My Files").c_str(), nullptr);
    const std::string path = dir / "My Files\\a b.txt";
    WriteFileBytes(path, "blanks");
    mdlCode::Main(path);
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(doc().DocPath, path);
    EXPECT_EQ(caption(), "a b.txt - Quillet");
}

TEST_F(StartupTest, QuotedRelativeNameIsKeptAsAFullPath) {
    WriteFileBytes(dir / "notes.txt", "relative");
    SetCurrentDirectoryA(dir.path().c_str());
    mdlCode::Main("\"notes.txt\"");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    // Stored in full, so a later Save can't land in whatever folder is current then.
    EXPECT_EQ(doc().DocPath, dir / "notes.txt");
    EXPECT_EQ(caption(), "notes.txt - Quillet");
    EXPECT_EQ(form().Text(), "relative");
}

TEST_F(StartupTest, QuotesInTheMiddleAreRemovedToo) {
    WriteFileBytes(dir / "ab.txt", "ab");
    SetCurrentDirectoryA(dir.path().c_str());
    mdlCode::Main("\"a\"b.txt");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(doc().DocTitle, "ab.txt");
    EXPECT_EQ(form().Text(), "ab");
}

// The current folder goes in front of relative arguments only: "\sub\a.txt" names a
// folder at the drive's root even where the current folder holds a sub\a.txt.
TEST_F(StartupTest, ARootedArgumentIsNeverLookedForInTheCurrentFolder) {
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    WriteFileBytes(dir / "sub\\a.txt", "under the current folder");
    SetCurrentDirectoryA(dir.path().c_str());
    const std::string rootless = dir.path().substr(2);  // the same folder, from the root
    const struct {
        std::string argument;
        std::string docPath;  // empty: not found
    } rows[] = {
        {"\\sub\\a.txt", ""},
        {"/sub/a.txt", ""},
        {"\"\\sub\\a.txt\"", ""},
        {rootless + "\\sub\\a.txt", dir / "sub\\a.txt"},
        {"\"" + rootless + "\\sub\\a.txt\"", dir / "sub\\a.txt"},
        {"sub\\a.txt", dir / "sub\\a.txt"},
        {"\"sub\\a.txt\"", dir / "sub\\a.txt"},
    };
    for (const auto& row : rows) {
        mdlCode::ResetProcessState();
        ui.messages.clear();
        mdlCode::Main(row.argument);
        EXPECT_EQ(doc().DocPath, row.docPath) << row.argument;
        if (row.docPath.empty()) {
            EXPECT_EQ(ui.MessageTexts(),
                      "File '" + quillet::RemoveQuotes(row.argument) + "' not found.\n");
            EXPECT_EQ(form().Text(), "");
        } else {
            EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
            EXPECT_EQ(form().Text(), "under the current folder");
        }
    }
}

// A device answers a search as a file would; on the command line it is just not found.
TEST_F(StartupTest, DeviceNamesAreNotFound) {
    SetCurrentDirectoryA(dir.path().c_str());
    for (const std::string& device :
         {std::string("NUL"), std::string("NUL.txt"), std::string("CON"), std::string("\"con\""),
          dir / "NUL.txt", dir / "aux.log", std::string("COM1")}) {
        mdlCode::ResetProcessState();
        ui.messages.clear();
        mdlCode::Main(device);
        ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
        EXPECT_EQ(ui.messages[0].text, "File '" + quillet::RemoveQuotes(device) + "' not found.");
        EXPECT_EQ(caption(), "Untitled - Quillet");
        EXPECT_EQ(doc().DocPath, "");
    }
}

// The ANSI calls take paths of up to 259 characters: a longer one is said to be too
// long, not missing, though its file is there.
TEST_F(StartupTest, APathTooLongForTheAnsiCallsSaysSo) {
    for (const size_t length : {size_t{259}, size_t{260}, size_t{300}}) {
        // A folder of its own keeps each name within what a file system holds.
        const std::string folder = dir / std::string(120, 'd');
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string path = folder + "\\" + std::string(length - folder.size() - 1, 'n');
        ASSERT_EQ(path.size(), length);
        const std::wstring wide = L"\\\\?\\" + WideFromAnsi(path);
        UniqueHandle file(
            CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), "long", 4, &written, nullptr)) << length;
        file.reset();
        mdlCode::ResetProcessState();
        ui.messages.clear();
        mdlCode::Main(path);
        if (length < MAX_PATH) {
            EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
            EXPECT_EQ(form().Text(), "long");
        } else {
            ASSERT_EQ(ui.messages.size(), 1u) << length;
            EXPECT_EQ(ui.messages[0].text,
                      "File '" + path + "' can not be opened: its path is too long.");
            EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(caption(), "Untitled - Quillet");
        }
        EXPECT_TRUE(DeleteFileW(wide.c_str()));
    }
}

TEST_F(StartupTest, CaptionSpellsTheNameAsStored) {
    WriteFileBytes(dir / "readme.txt", "x");
    SetCurrentDirectoryA(dir.path().c_str());
    mdlCode::Main("README.TXT");
    EXPECT_EQ(caption(), "readme.txt - Quillet");
}

TEST_F(StartupTest, MissingFileIsReportedAndTheWindowStaysUntitled) {
    const std::string path = dir / "x.txt";
    mdlCode::Main(path);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "File '" + path + "' not found.");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(doc().DocPath, "");
    EXPECT_EQ(form().Text(), "");
}

TEST_F(StartupTest, FoldersAndHiddenFilesAreNotFound) {
    mdlCode::Main(dir.path());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "File '" + dir.path() + "' not found.");
    mdlCode::ResetProcessState();

    const std::string hidden = dir / "hidden.txt";
    WriteFileBytes(hidden, "secret");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    mdlCode::Main(hidden);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "File '" + hidden + "' not found.");
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(form().Text(), "");
}

TEST_F(StartupTest, SizeLimitIs65536Bytes) {
    const std::string fits = dir / "fits.txt";
    WriteFileBytes(fits, std::string(65536, 'a'));
    mdlCode::Main(fits);
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(form().Text().size(), 65536u);
    EXPECT_EQ(caption(), "fits.txt - Quillet");
    mdlCode::ResetProcessState();

    const std::string big = dir / "big.txt";
    WriteFileBytes(big, std::string(65537, 'a'));
    mdlCode::Main(big);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "File '" + big + "' can not be opened.");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(doc().DocPath, "");
    EXPECT_EQ(form().Text(), "");
}

TEST_F(StartupTest, ADocumentLoadedAtTheLimitCanStillGrow) {
    const std::string fits = dir / "fits.txt";
    WriteFileBytes(fits, std::string(65536, 'a'));
    mdlCode::Main(fits);
    SendMessageA(form().txtDoc(), EM_SETSEL, 65536, 65536);
    SendMessageA(form().txtDoc(), WM_CHAR, 'b', 0);
    EXPECT_EQ(form().Text().size(), 65537u);
    EXPECT_EQ(caption(), "fits.txt [*] - Quillet");
}

TEST_F(StartupTest, EmptyFileLoadsAndShowsItsName) {
    WriteFileBytes(dir / "empty.txt", "");
    mdlCode::Main(dir / "empty.txt");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(caption(), "empty.txt - Quillet");
    EXPECT_EQ(doc().DocPath, dir / "empty.txt");
}

TEST_F(StartupTest, NulBytesShowAsThePlaceholder) {
    WriteFileBytes(dir / "zeros.bin", std::string(1000, '\0'));
    mdlCode::Main(dir / "zeros.bin");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(form().Text(), std::string(1000, '\x14'));
}

TEST_F(StartupTest, AFileThatCantBeReadLeavesTheDocumentUntitledAndEmpty) {
    const std::string path = dir / "locked.txt";
    WriteFileBytes(path, "you can't see me");
    // Another program holds the file open without sharing it.
    UniqueHandle lock(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
    mdlCode::Main(path);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Error #32 :: ", 0), 0u) << ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
    // A later Save must not write an empty text over a file the user never saw.
    EXPECT_EQ(doc().DocPath, "");
    EXPECT_EQ(doc().DocTitle, "Untitled");
    EXPECT_EQ(caption(), "Untitled - Quillet");
}

TEST_F(StartupTest, ASizeThatCantBeHadIsReportedThenRefused) {
    WriteFileBytes(dir / "a.txt", "a");
    SetCurrentDirectoryA(dir.path().c_str());
    // A pattern names an existing file, but has no length of its own.
    mdlCode::Main("*.txt");
    ASSERT_EQ(ui.messages.size(), 2u) << ui.MessageTexts();
    EXPECT_NE(ui.messages[0].text.find(" :: "), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.rfind("Error #", 0), 0u) << "start-up's own format";
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
    EXPECT_EQ(ui.messages[1].text, "File '" + (dir / "*.txt") + "' can not be opened.");
    EXPECT_EQ(ui.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(caption(), "Untitled - Quillet");
}

TEST_F(StartupTest, TheFirstKeystrokeMarksTheCaption) {
    WriteFileBytes(dir / "notes.txt", "abc");
    mdlCode::Main(dir / "notes.txt");
    EXPECT_EQ(caption(), "notes.txt - Quillet");
    SendMessageA(form().txtDoc(), WM_CHAR, 'x', 0);
    EXPECT_EQ(caption(), "notes.txt [*] - Quillet");
    EXPECT_TRUE(doc().DocModified);
    // Taking the change back by hand still leaves the mark: the flag reports changes.
    SendMessageA(form().txtDoc(), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(form().Text(), "abc");
    EXPECT_EQ(caption(), "notes.txt [*] - Quillet");
}

TEST_F(StartupTest, AnsiFileNamesRoundTrip) {
    // High bytes that are letters in both code page 1252 and 1251.
    const std::string name = "\xE9t\xE9 \xC0\xE0.txt";
    WriteFileBytes(dir / name, "\xE9\xC0");
    SetCurrentDirectoryA(dir.path().c_str());
    mdlCode::Main(name);
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(doc().DocTitle, name);
    EXPECT_EQ(caption(), name + " - Quillet");
    EXPECT_EQ(form().Text(), "\xE9\xC0");
}

TEST_F(StartupTest, AnsiCyrillicNameUnderCodePage1251) {
    if (GetACP() != 1251) {
        GTEST_SKIP() << "runs under code page 1251";
    }
    // "Привет.txt" in code page 1251, holding "Мир".
    const std::string name = "\xCF\xF0\xE8\xE2\xE5\xF2.txt";
    WriteFileBytes(dir / name, "\xCC\xE8\xF0");
    SetCurrentDirectoryA(dir.path().c_str());
    mdlCode::Main("\"" + name + "\"");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(caption(), name + " - Quillet");
    EXPECT_EQ(form().Text(), "\xCC\xE8\xF0");
    EXPECT_EQ(doc().DocPath, dir / name);
}

TEST_F(StartupTest, AnArgumentThatIsNoFileNameIsJustNotFound) {
    mdlCode::Main("\"\"");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "File '' not found.");
    mdlCode::ResetProcessState();
    mdlCode::Main("Q:\\no drive\\x.txt");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "File 'Q:\\no drive\\x.txt' not found.");
    mdlCode::ResetProcessState();
    mdlCode::Main("bad<>|name?.txt");
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(caption(), "Untitled - Quillet");
}

}  // namespace
