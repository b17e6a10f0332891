// Whole document files: the NUL placeholder both ways, exact bytes and lengths, saves
// that leave the file the user's own (links, modes, owners, attributes), and saves that
// fail without losing the old content.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "app/mdlCode.h"
#include "app/text_file.h"
#include "platform/win32_util.h"
#include "test_support.h"
#include "tests/tools/test_host.h"

namespace {

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

// The file is written in place: it stays the same file, with its attributes (hidden,
// system, not indexed) and, on Windows, its creation time.
TEST_F(TextFileTest, ASavedFileKeepsItsIdentityAttributesAndCreationTime) {
    const auto info = [](const std::string& path) {
        BY_HANDLE_FILE_INFORMATION result{};
        UniqueHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        EXPECT_TRUE(GetFileInformationByHandle(file.get(), &result)) << path;
        return result;
    };
    for (DWORD attributes :
         {DWORD{FILE_ATTRIBUTE_NORMAL}, DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
          DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED}}) {
        SCOPED_TRACE(attributes);
        const std::string path = dir / "special.txt";
        WriteFileBytes(path, "old content, longer");
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes));
        const BY_HANDLE_FILE_INFORMATION before = info(path);
        EXPECT_TRUE(mdlCode::WriteTextFile(path, "new")) << ui.MessageTexts();
        const BY_HANDLE_FILE_INFORMATION after = info(path);
        EXPECT_EQ(ReadFileBytes(path), "new");
        EXPECT_EQ(after.dwFileAttributes & ~DWORD{FILE_ATTRIBUTE_ARCHIVE},
                  before.dwFileAttributes & ~DWORD{FILE_ATTRIBUTE_ARCHIVE});
        EXPECT_EQ(after.nFileIndexLow, before.nFileIndexLow);
        EXPECT_EQ(after.nFileIndexHigh, before.nFileIndexHigh);
        // Wine gives the host's status-change time as the creation time: any write moves it.
        if (!UnderWine()) {
            EXPECT_EQ(CompareFileTime(&after.ftCreationTime, &before.ftCreationTime), 0);
        }
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

// Viewers, indexers and sync clients hold files open sharing reading and writing: the
// save writes past them. A holder that shares only reading keeps the file as it was.
TEST_F(TextFileTest, AFileHeldOpenIsSavedWhenTheHolderSharesWriting) {
    const std::string path = dir / "open.txt";
    const struct {
        DWORD share;
        bool saved;
    } cases[] = {
        {FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true},
        {FILE_SHARE_READ, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.share);
        ui.messages.clear();
        WriteFileBytes(path, "old content");
        UniqueHandle holder(
            CreateFileA(path.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        EXPECT_EQ(mdlCode::WriteTextFile(path, "new"), c.saved);
        holder.reset();
        if (c.saved) {
            EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
        } else {
            ExpectOneFileError();
        }
        EXPECT_EQ(ReadFileBytes(path), c.saved ? "new" : "old content");
        ExpectOnly({"open.txt"});
    }
}

// A failure of the write into the file after the copy was made: the old content goes
// back and the copy goes; if putting it back fails too, the copy stays, named in the box.
TEST_F(TextFileTest, AFailedWriteIsUndoneOrItsCopyIsNamed) {
    const std::string path = dir / "doc.txt";
    const std::string description = ErrorDescription(ERROR_WRITE_FAULT);
    const struct {
        const char* name;
        const char* old;  // null: no file before the save
        mdlCode::SaveFaults faults;
        bool kept;
    } cases[] = {
        {"write fails", "old content", {ERROR_WRITE_FAULT, 0}, false},
        {"write fails over one byte", "o", {ERROR_WRITE_FAULT, 0}, false},
        {"write fails over an empty file", "", {ERROR_WRITE_FAULT, 0}, false},
        {"write fails in a new file", nullptr, {ERROR_WRITE_FAULT, 0}, false},
        {"nothing to put back", "", {ERROR_WRITE_FAULT, ERROR_NOT_READY}, false},
        {"both fail", "old content", {ERROR_WRITE_FAULT, ERROR_NOT_READY}, true},
        {"both fail over one byte", "o", {ERROR_WRITE_FAULT, ERROR_NOT_READY}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        if (c.old != nullptr) {
            WriteFileBytes(path, c.old);
        }
        EXPECT_FALSE(mdlCode::WriteTextFile(path, "the new text", c.faults));
        ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
        std::string expected = "Error #29 :: " + description;
        if (c.kept) {
            const std::vector<std::string> names = FolderEntries(dir.path());
            ASSERT_EQ(names.size(), 2u);
            const std::string copy = dir / names[names[0] == "doc.txt" ? 1 : 0];
            EXPECT_EQ(ReadFileBytes(copy), c.old);
            expected += "\r\nThe previous content is in " + copy;
            ASSERT_TRUE(DeleteFileA(copy.c_str()));
        } else if (c.old != nullptr) {
            EXPECT_EQ(ReadFileBytes(path), c.old);
        }
        EXPECT_EQ(ui.messages[0].text, expected);
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
        ExpectOnly(c.old != nullptr ? std::vector<std::string>{"doc.txt"}
                                    : std::vector<std::string>{});
        DeleteFileA(path.c_str());
    }
}

// A name that opens a device rather than a file is refused, and nothing is written.
TEST_F(TextFileTest, ADeviceNameIsNoFile) {
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    for (const std::string& name : {std::string("NUL.txt"), std::string("CON"), dir / "nul",
                                    dir / "aux.log", std::string("\\\\.\\NUL")}) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        EXPECT_FALSE(mdlCode::WriteTextFile(name, "text"));
        ExpectOneFileError();
        EXPECT_NE(ui.messages[0].text.find("\r\nThe text was not saved: '" + name +
                                           "' is a device, not a file."),
                  std::string::npos)
            << ui.messages[0].text;
        ExpectOnly({});
    }
}

// Links, modes and owners made from the host side, each in a folder of its own where
// real.txt held "old": what the host sees after a save through the given name.
TEST_F(TextFileTest, ASaveKeepsLinksModesAndOwners) {
    if (!UnderWine()) {
        GTEST_SKIP() << "makes links, modes and owners from the host side";
    }
    const struct {
        const char* setup;
        const char* saved;  // the name the save goes through
        const char* probe;
        const char* seen;
    } cases[] = {
        {"chmod 600 real.txt", "real.txt", "stat -c %a real.txt", "600\n"},
        {"chmod 750 real.txt", "real.txt", "stat -c %a real.txt", "750\n"},
        {"chmod 644 real.txt", "real.txt", "stat -c %a real.txt", "644\n"},
        {"chown 65534:65534 real.txt && chmod 640 real.txt", "real.txt",
         "stat -c '%u:%g %a' real.txt", "65534:65534 640\n"},
        {"ln -s real.txt link.txt && chmod 600 real.txt", "link.txt",
         "readlink link.txt; stat -c %a real.txt; cat real.txt", "real.txt\n600\nnew"},
        {"mkdir sub && mv real.txt sub/ && ln -s sub/real.txt link.txt", "link.txt",
         "readlink link.txt; ls -A sub; cat sub/real.txt", "sub/real.txt\nreal.txt\nnew"},
        {"ln real.txt other.txt", "real.txt", "stat -c %h other.txt; cat other.txt", "2\nnew"},
        {"ln real.txt other.txt", "other.txt", "stat -c %h real.txt; cat real.txt", "2\nnew"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setup);
        SCOPED_TRACE(c.saved);
        const std::string folder = dir / std::to_string(++n);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        WriteFileBytes(folder + "\\real.txt", "old");
        const std::string cd = "cd '" + HostPath(folder) + "' && ";
        std::string output;
        ASSERT_TRUE(RunOnHost(cd + c.setup, &output)) << output;
        const std::vector<std::string> names = FolderEntries(folder);
        EXPECT_TRUE(mdlCode::WriteTextFile(folder + "\\" + c.saved, "new")) << ui.MessageTexts();
        EXPECT_TRUE(RunOnHost(cd + c.probe, &output));
        EXPECT_EQ(output, c.seen);
        EXPECT_EQ(FolderEntries(folder), names) << "nothing left beside the file";
        RunOnHost(cd + "rm -rf sub *");
    }
}

// A folder that takes no new file: the copy goes to the temporary folder, and goes
// again, or stays there named when the old content can't be put back.
TEST_F(TextFileTest, ASealedFolderIsSavedWithTheCopyInTheTemporaryFolder) {
    if (!UnderWine()) {
        GTEST_SKIP() << "seals the folder from the host side";
    }
    const std::string folder = dir / "sealed";
    const std::string path = folder + "\\doc.txt";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteFileBytes(path, "old");
    const std::string host = HostPath(folder);
    std::string why;
    if (!RunOnHost("chattr +i '" + host + "'", &why)) {
        GTEST_SKIP() << "this file system can't seal a folder: " << why;
    }
    struct Unseal {
        std::string host;
        ~Unseal() { RunOnHost("chattr -i '" + host + "'"); }
    } unseal{host};
    ASSERT_EQ(CreateDirectoryA((folder + "\\probe").c_str(), nullptr), FALSE) << "not sealed";

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const auto copies = [&] {
        std::vector<std::string> found;
        for (const std::string& name : FolderEntries(temp)) {
            if (name.rfind("~q", 0) == 0) {
                found.push_back(name);
            }
        }
        return found;
    };
    const std::vector<std::string> before = copies();
    EXPECT_TRUE(mdlCode::WriteTextFile(path, "new")) << ui.MessageTexts();
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(copies(), before);

    EXPECT_FALSE(mdlCode::WriteTextFile(path, "newer", {ERROR_WRITE_FAULT, ERROR_NOT_READY}));
    std::vector<std::string> after = copies();
    ASSERT_EQ(after.size(), before.size() + 1);
    for (const std::string& name : before) {
        after.erase(std::find(after.begin(), after.end(), name));
    }
    const std::string copy = temp + after[0];
    EXPECT_EQ(ReadFileBytes(copy), "new");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("\r\nThe previous content is in " + copy), std::string::npos)
        << ui.messages[0].text;
    DeleteFileA(copy.c_str());
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"doc.txt"});
}

TEST_F(TextFileTest, ANameTheFileSystemRefusesLeavesNoFile) {
    WriteFileBytes(dir / "other.txt", "untouched");
    EXPECT_FALSE(mdlCode::WriteTextFile(dir / "bad|name.txt", "text"));
    ExpectOneFileError();
    EXPECT_EQ(ReadFileBytes(dir / "other.txt"), "untouched");
    ExpectOnly({"other.txt"});
}

// Folders too long for the system's short names still take a document whose own path
// fits, and its safety copy.
TEST_F(TextFileTest, ASaveWorksInAFolderTooLongForShortNames) {
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
    EXPECT_EQ(files, 1) << "no copy left";
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
