// Saves and loads against a hostile file system: a disk that fills up during the
// write, a folder that vanishes while the save runs, a file longer when read than when
// measured, and names the ANSI code page can't spell. The host system (under Wine)
// provides the small disk and the vanishing folder.
#include <gtest/gtest.h>

#include "app/mdlCode.h"
#include "platform/win32_util.h"
#include "test_support.h"
#include "tests/tools/test_host.h"
#include "ui/main/frmMain.h"

namespace {

class FaultTest : public ProcessTest {
protected:
    frmMain& form() { return mdlCode::MainForm(); }
    std::string caption() { return WindowText(form().hWnd()); }
    // Loads the file and replaces its text the way typing does.
    void LoadAndEdit(const std::string& path, const std::string& text) {
        mdlCode::Main(path);
        SendMessageA(form().txtDoc(), EM_SETSEL, 0, -1);
        SendMessageA(form().txtDoc(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_TRUE(mdlCode::DocumentState.DocModified);
    }
    void ExpectOneFileError() {
        ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
        EXPECT_EQ(ui.messages[0].text.rfind("Error #", 0), 0u) << ui.messages[0].text;
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
    }
    // The save's safety copy.
    bool AnyTemporaryFile(const std::string& folder) {
        WIN32_FIND_DATAA found{};
        UniqueFind search(FindFirstFileA((folder + "\\~q*").c_str(), &found));
        return search.get() != INVALID_HANDLE_VALUE;
    }
};

TEST_F(FaultTest, AFullDiskFailsPartWayAndKeepsTheOldFile) {
    if (!UnderWine()) {
        GTEST_SKIP() << "mounts a small file system on the host";
    }
    const std::string folder = dir / "small";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string host = HostPath(folder);
    StartHost("mount -t tmpfs -o size=128k quillet-small '" + host + "' >" + host +
              ".mounted 2>&1; echo $? >>" + host + ".mounted");
    if (WaitForFile(folder + ".mounted") != "0\n") {
        GTEST_SKIP() << "can't mount a small file system here: "
                     << ReadFileBytes(folder + ".mounted");
    }
    struct Unmount {
        std::string host, folder;
        ~Unmount() {
            StartHost("umount '" + host + "'; echo done >" + host + ".unmounted");
            WaitForFile(folder + ".unmounted");
        }
    } unmount{host, folder};

    const std::string path = folder + "\\doc.txt";
    WriteFileBytes(path, "old text");
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA((folder + "\\").c_str(), &free, nullptr, nullptr));
    // 8 KB stay free: the 40 KB document's write fails part-way.
    WriteFileBytes(folder + "\\filler", std::string(free.QuadPart - 8192, 'f'));
    const std::string text(40000, 'n');
    LoadAndEdit(path, text);
    form().mnuSave_Click();
    ExpectOneFileError();
    EXPECT_EQ(ReadFileBytes(path), "old text");
    EXPECT_FALSE(AnyTemporaryFile(folder));
    EXPECT_EQ(caption(), "doc.txt [*] - Quillet");

    // Room again: the editor saves as before.
    ASSERT_TRUE(DeleteFileA((folder + "\\filler").c_str()));
    form().mnuSave_Click();
    EXPECT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
    EXPECT_EQ(ReadFileBytes(path), text);
    EXPECT_EQ(caption(), "doc.txt - Quillet");
}

TEST_F(FaultTest, AFolderRemovedDuringTheSaveLeavesTheDocumentUnsaved) {
    if (!UnderWine()) {
        GTEST_SKIP() << "removes the folder from the host";
    }
    const std::string folder = dir / "doomed";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "\\doc.txt";
    WriteFileBytes(path, "old text");
    LoadAndEdit(path, "new text");
    const std::string host = HostPath(folder);
    // The folder goes when the save makes its safety copy in it.
    StartHost("python3 '" QUILLET_HOST_SOURCE "/tests/tools/remove_on_save.py' '" + host + "' '" +
              host + ".ready' >'" + host + ".log' 2>&1");
    const std::string ready = WaitForFile(folder + ".ready");
    if (ready != "ready") {
        GTEST_SKIP() << "can't watch the folder: " << ready;
    }
    form().mnuSave_Click();
    ExpectOneFileError();
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES) << "folder removed";
    EXPECT_EQ(caption(), "doc.txt [*] - Quillet");
    EXPECT_TRUE(mdlCode::DocumentState.DocModified);
    EXPECT_EQ(mdlCode::DocumentState.DocPath, path);
    // Nothing was left in the folder's place either.
    EXPECT_FALSE(AnyTemporaryFile(dir.path()));
}

// Host files that report no length but have content: longer when read than when
// measured, like a file that grew in between. A short one is loaded whole; one that
// holds more than the limit is refused at start-up and in Open alike.
TEST_F(FaultTest, AFileLongerThanItsMeasuredLengthIsLoadedOnlyWithinTheLimit) {
    if (!UnderWine()) {
        GTEST_SKIP() << "reads host system files";
    }
    mdlCode::Main("Z:\\proc\\version");
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    EXPECT_EQ(form().Text().rfind("Linux version ", 0), 0u) << form().Text();
    EXPECT_EQ(form().Text().back(), '\n');
    EXPECT_EQ(caption(), "version - Quillet");
    mdlCode::ResetProcessState();

    const std::string big = "Z:\\proc\\kallsyms";
    mdlCode::Main(big);
    ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
    EXPECT_EQ(ui.messages[0].text, "File '" + big + "' can not be opened.");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(mdlCode::DocumentState.DocPath, "");
    EXPECT_EQ(form().Text(), "");

    ui.fileAnswers.push_back({true, big, "kallsyms"});
    form().mnuOpen_Click();
    ASSERT_EQ(ui.messages.size(), 2u) << ui.MessageTexts();
    EXPECT_EQ(ui.messages[1].text, "It is impossible to open a file because of its size");
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(form().Text(), "");
}

// A name outside the ANSI code page reaches the program in UTF-16 and is refused there:
// its best-fit spelling ("?" here) would be a pattern matching other files.
TEST_F(FaultTest, ANameOutsideTheAnsiCodePage) {
    const std::wstring wide = std::wstring(dir.path().begin(), dir.path().end()) + L"\\\u4E2D.txt";
    UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    file.reset();
    if (ExactAnsiFromWide(wide)) {
        GTEST_SKIP() << "the code page holds the name";
    }
    WriteFileBytes(dir / "x.txt", "another file");

    // Start-up: the refusal, and an untitled window.
    mdlCode::MainFromCommandLine(L"quillet.exe " + wide);
    ASSERT_EQ(ui.messages.size(), 1u) << ui.MessageTexts();
    EXPECT_EQ(ui.messages[0].text,
              "The file name on the command line has characters that the current code page "
              "can't hold.");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(form().Text(), "");

    // Open: the refusal, nothing loaded.
    FileDialogAnswer answer{true, "", ""};
    answer.widePath = wide;
    ui.fileAnswers.push_back(answer);
    form().mnuOpen_Click();
    ASSERT_EQ(ui.messages.size(), 2u) << ui.MessageTexts();
    EXPECT_EQ(ui.messages[1].text,
              "This file name has characters that the current code page can't hold. Choose "
              "another name.");
    EXPECT_EQ(caption(), "Untitled - Quillet");
    EXPECT_EQ(form().Text(), "");
    EXPECT_TRUE(ui.started.empty());
    EXPECT_TRUE(DeleteFileW(wide.c_str())) << "the file was left alone";
}

}  // namespace
