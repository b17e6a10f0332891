// Whole document files: the NUL placeholder both ways, exact bytes and lengths, and
// saves that fail without harming the file that was there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "app/mdlCode.h"
#include "app/text_file.h"
#include "platform/win32_util.h"
#include "test_support.h"

namespace {

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search.get(), &found));
    return names;
}

std::string AllByteValues() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

class TextFileTest : public ProcessTest {
protected:
    // The one message a failed save shows: "Error #<number> :: <description>", stop icon.
    void ExpectOneFileError() {
        ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
        const ShownMessage& m = ui.messages[0];
        EXPECT_EQ(m.text.rfind("Error #", 0), 0u) << m.text;
        ASSERT_GT(m.text.size(), 7u);
        EXPECT_TRUE(isdigit(static_cast<unsigned char>(m.text[7]))) << m.text;
        EXPECT_NE(m.text.find(" :: "), std::string::npos) << m.text;
        EXPECT_EQ(m.icon, MsgIcon::Stop);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
    }
    void ExpectOnly(const std::vector<std::string>& names) {
        EXPECT_EQ(FolderEntries(dir.path()), names);
    }
};

TEST_F(TextFileTest, EveryByteValueSurvivesALoadAndASave) {
    const std::string file = AllByteValues();
    WriteFileBytes(dir / "all.bin", file);
    const std::string text = mdlCode::ReadTextFile(dir / "all.bin");
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text[0], '\x14');
    EXPECT_EQ(text.substr(1), file.substr(1));

    ASSERT_TRUE(mdlCode::WriteTextFile(dir / "all.bin", text));
    // Only the byte 20 changes: after a load it can't be told from a NUL.
    std::string expected = file;
    expected[0x14] = '\0';
    EXPECT_EQ(ReadFileBytes(dir / "all.bin"), expected);
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    ExpectOnly({"all.bin"});
}

// The limit counts the bytes read through the one handle, not what the file measured
// before: one that another program appends to after it was opened is refused as soon as
// it holds more than 65,536 bytes, and a pipe is no file at all.
TEST_F(TextFileTest, ALoadReadsAtMostOneBytePastTheLimitFromItsHandle) {
    const struct {
        size_t appended;
        mdlCode::LoadedText::Outcome outcome;
    } rows[] = {
        {0, mdlCode::LoadedText::Outcome::Loaded},
        {1, mdlCode::LoadedText::Outcome::Loaded},
        {65535, mdlCode::LoadedText::Outcome::Loaded},
        {65536, mdlCode::LoadedText::Outcome::Loaded},
        {65537, mdlCode::LoadedText::Outcome::TooLong},
        {65538, mdlCode::LoadedText::Outcome::TooLong},
        {1000000, mdlCode::LoadedText::Outcome::TooLong},
    };
    for (const auto& row : rows) {
        const std::string path = dir / "growing.log";
        WriteFileBytes(path, "");
        UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
        ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
        {
            UniqueHandle writer(CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
            const std::string bytes(row.appended, 'g');
            DWORD written = 0;
            ASSERT_TRUE(WriteFile(writer.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                  &written, nullptr));
        }
        const mdlCode::LoadedText loaded = mdlCode::LoadTextFrom(file.get());
        EXPECT_EQ(loaded.outcome, row.outcome) << row.appended;
        EXPECT_EQ(loaded.text.size(),
                  row.outcome == mdlCode::LoadedText::Outcome::Loaded ? row.appended : 0u);
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();

    HANDLE reader = nullptr;
    HANDLE writer = nullptr;
    ASSERT_TRUE(CreatePipe(&reader, &writer, nullptr, 0));
    UniqueHandle readEnd(reader);
    UniqueHandle writeEnd(writer);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(writer, "text", 4, &written, nullptr));
    EXPECT_EQ(mdlCode::LoadTextFrom(reader).outcome, mdlCode::LoadedText::Outcome::Failed);
    ExpectOneFileError();
}

TEST_F(TextFileTest, ThePlaceholderIsWrittenAsNul) {
    ASSERT_TRUE(mdlCode::WriteTextFile(dir / "a.txt",
                                       "A\x14"
                                       "B\x14"));
    EXPECT_EQ(ReadFileBytes(dir / "a.txt"), std::string("A\0B\0", 4));
    EXPECT_EQ(mdlCode::ReadTextFile(dir / "a.txt"),
              "A\x14"
              "B\x14");
}

TEST_F(TextFileTest, LineEndsAreNeitherAddedNorConverted) {
    ASSERT_TRUE(mdlCode::WriteTextFile(dir / "crlf.txt", "one\r\ntwo\r\n"));
    EXPECT_EQ(ReadFileBytes(dir / "crlf.txt"), "one\r\ntwo\r\n");
    ASSERT_TRUE(mdlCode::WriteTextFile(dir / "lf.txt", "one\ntwo"));
    EXPECT_EQ(ReadFileBytes(dir / "lf.txt"), "one\ntwo");
    WriteFileBytes(dir / "bare.txt", "a\nb\rc\n");
    EXPECT_EQ(mdlCode::ReadTextFile(dir / "bare.txt"), "a\nb\rc\n");
}

TEST_F(TextFileTest, AShorterTextLeavesExactlyTheNewLength) {
    WriteFileBytes(dir / "doc.txt", std::string(100000, 'x'));
    ASSERT_TRUE(mdlCode::WriteTextFile(dir / "doc.txt", "short"));
    EXPECT_EQ(ReadFileBytes(dir / "doc.txt"), "short");
    ASSERT_TRUE(mdlCode::WriteTextFile(dir / "doc.txt", ""));
    EXPECT_EQ(ReadFileBytes(dir / "doc.txt"), "");
    EXPECT_EQ(mdlCode::ReadTextFile(dir / "doc.txt"), "");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    ExpectOnly({"doc.txt"});
}

TEST_F(TextFileTest, ANewFileIsCreatedAndTextOfAnyLengthIsWritten) {
    const std::string big(3 * 1024 * 1024 + 7, 'q');
    ASSERT_TRUE(mdlCode::WriteTextFile(dir / "new.txt", big));
    EXPECT_EQ(ReadFileBytes(dir / "new.txt"), big);
    ExpectOnly({"new.txt"});
}

// Every way of naming the same file saves to it.
TEST_F(TextFileTest, EachFormOfAPathSavesToItsFile) {
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"relative to the current folder", "doc.txt"},
        {"long form", "\\\\?\\" + (dir / "doc.txt")},
        {"device form", "\\\\.\\" + (dir / "doc.txt")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(dir / "doc.txt", "old");
        EXPECT_TRUE(mdlCode::WriteTextFile(c.path, c.name)) << ui.MessageTexts();
        EXPECT_EQ(ReadFileBytes(dir / "doc.txt"), c.name);
        ExpectOnly({"doc.txt"});
    }
}

TEST_F(TextFileTest, AReadOnlyFileIsRefusedAndLeftAsItWas) {
    const std::string path = dir / "locked.txt";
    WriteFileBytes(path, "keep me");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(mdlCode::WriteTextFile(path, "new"));
    ExpectOneFileError();
    EXPECT_EQ(ReadFileBytes(path), "keep me");
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    ExpectOnly({"locked.txt"});
}

TEST_F(TextFileTest, HiddenAndSystemFilesAreReplacedAndKeepTheirAttributes) {
    for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        const std::string path = dir / "special.txt";
        WriteFileBytes(path, "old content, longer");
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attribute));
        EXPECT_TRUE(mdlCode::WriteTextFile(path, "new")) << ui.MessageTexts();
        EXPECT_EQ(ReadFileBytes(path), "new");
        EXPECT_NE(GetFileAttributesA(path.c_str()) & attribute, 0u);
        ExpectOnly({"special.txt"});
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
        ASSERT_TRUE(DeleteFileA(path.c_str()));
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
}

TEST_F(TextFileTest, AMissingFolderIsReportedAndNothingIsCreated) {
    EXPECT_FALSE(mdlCode::WriteTextFile(dir / "gone\\a.txt", "text"));
    ExpectOneFileError();
    EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

TEST_F(TextFileTest, AFolderInTheWayIsRefused) {
    ASSERT_TRUE(CreateDirectoryA((dir / "sub").c_str(), nullptr));
    EXPECT_FALSE(mdlCode::WriteTextFile(dir / "sub", "text"));
    ExpectOneFileError();
    ExpectOnly({"sub"});
    EXPECT_TRUE(FolderEntries(dir / "sub").empty());
}

// The new bytes are already stored beside the target when putting them in its place
// fails: the old file must come through whole and the stored copy must go.
TEST_F(TextFileTest, AFailingReplaceKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const std::string path = dir / "open.txt";
    WriteFileBytes(path, "old content");
    {
        // Another program holds the file open without letting it be deleted or renamed.
        UniqueHandle holder(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        EXPECT_FALSE(mdlCode::WriteTextFile(path, "new content"));
    }
    ExpectOneFileError();
    EXPECT_EQ(ReadFileBytes(path), "old content");
    ExpectOnly({"open.txt"});
}

TEST_F(TextFileTest, ANameTheFileSystemRefusesLeavesNoTemporaryFile) {
    WriteFileBytes(dir / "other.txt", "untouched");
    EXPECT_FALSE(mdlCode::WriteTextFile(dir / "bad|name.txt", "text"));
    ExpectOneFileError();
    EXPECT_EQ(ReadFileBytes(dir / "other.txt"), "untouched");
    ExpectOnly({"other.txt"});
}

// Folders too long for the system's temporary names still take a document whose own
// path fits.
TEST_F(TextFileTest, ASaveWorksInAFolderTooLongForTemporaryNames) {
    std::string folder = dir.path();
    while (folder.size() < 250) {
        folder += "\\" + std::string(std::min<size_t>(60, 250 - folder.size()), 'd');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    const std::string path = folder + "\\a.txt";
    ASSERT_LT(path.size(), static_cast<size_t>(MAX_PATH));
    WriteFileBytes(path, "old");
    EXPECT_TRUE(mdlCode::WriteTextFile(path, "new")) << ui.MessageTexts();
    EXPECT_EQ(ReadFileBytes(path), "new");
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    int files = 0;
    do {
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } while (FindNextFileA(search.get(), &found));
    EXPECT_EQ(files, 1) << "no temporary file left";
}

TEST(ModuleFileName, GrowsUntilThePathFits) {
    const std::string path = ModuleFileName();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(ModuleFileName(nullptr, 4), path);
}

// The window's icon offers the 32 x 32, 256-colour image beside the larger ones.
TEST(ProgramIcon, Has32By32With256Colours) {
    const std::string exe = ModuleFileName();
    const std::string quillet = exe.substr(0, exe.find_last_of('\\')) + "\\quillet.exe";
    HMODULE module = LoadLibraryExA(quillet.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC group =
        FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    bool found = false;
    for (int i = 0, n = dir[4] | dir[5] << 8; i < n; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;  // width, height, colours, -, planes, bits...
        found = found || (entry[0] == 32 && entry[1] == 32 && (entry[6] | entry[7] << 8) == 8);
    }
    FreeLibrary(module);
    EXPECT_TRUE(found);
}

}  // namespace
