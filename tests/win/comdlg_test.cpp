// The common dialog object: its creation values, the record it hands the file dialogs,
// how it reads results back, the carry-over between uses and the path helpers.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "dialog_closer.h"
#include "dialogs/CComDlgEx.h"
#include "platform/win32_platform.h"
#include "platform/win32_util.h"
#include "test_support.h"
#include "tests/tools/test_host.h"

namespace {

void SetAttributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
}

class ComDlgTest : public ProcessTest {
protected:
    CComDlgEx dlg{ui};

    const FileDialogCall& lastCall() {
        EXPECT_FALSE(ui.fileDialogs.empty());
        return ui.fileDialogs.back();
    }

    void Confirm(const std::string& path, const std::string& title, DWORD flags = 0) {
        ui.fileAnswers.push_back({true, path, title, flags});
    }
};

TEST_F(ComDlgTest, ANewObjectHoldsItsCreationValues) {
    EXPECT_FALSE(dlg.IsDlgLoaded);
    EXPECT_EQ(dlg.FileTitle, "");
    EXPECT_EQ(dlg.FilterIndex, 0);
    EXPECT_EQ(dlg.InitDir, ExeFolder());
    EXPECT_EQ(dlg.Flags, 4100);
    EXPECT_EQ(dlg.hwndOwner, 0);
    EXPECT_EQ(dlg.FileName, "");
    EXPECT_EQ(dlg.DefExt, "");
    EXPECT_EQ(dlg.TopFolder, "");
    EXPECT_EQ(dlg.SelFolder, "");
    EXPECT_EQ(dlg.FolderDialogPrompt, "");
    EXPECT_EQ(dlg.SelFontColor, 0);
    EXPECT_EQ(dlg.SelColor, 0);
    // Whatever the code page makes of the Russian descriptions, the pairs stand.
    const std::string& f = dlg.Filter;
    EXPECT_NE(f.find(" (*.*)|*.*|"), std::string::npos) << f;
    EXPECT_LT(f.find("|*.*|"), f.find("|*.txt|")) << f;
    EXPECT_EQ(f.substr(f.size() - 15), " (*.txt)|*.txt|") << f;
    EXPECT_EQ(dlg.DialogCaption.size(), 12u);
}

// Runs again with LC_ALL=ru_RU.UTF-8, where Wine's ANSI code page is 1251.
TEST(ComDlgCp1251, CreationTextsAreCp1251Bytes) {
    if (GetACP() != 1251) {
        GTEST_SKIP() << "ANSI code page is " << GetACP();
    }
    FakePlatform ui;
    CComDlgEx dlg(ui);
    EXPECT_EQ(dlg.DialogCaption, "\xCE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB");
    EXPECT_EQ(dlg.Filter,
              "\xC2\xF1\xE5 \xF4\xE0\xE9\xEB\xFB (*.*)|*.*|"
              "\xD2\xE5\xEA\xF1\xF2\xEE\xE2\xFB\xE5 \xF4\xE0\xE9\xEB\xFB (*.txt)|*.txt|");
}

TEST_F(ComDlgTest, FirstOpenShowsTheCreationValues) {
    EXPECT_FALSE(dlg.ShowOpFileDlg());
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogCall& call = lastCall();
    EXPECT_FALSE(call.save);
    // Sized for this build's pointers, without the members newer systems append.
    EXPECT_EQ(call.structSize, OPENFILENAME_SIZE_VERSION_400A);
    EXPECT_LT(call.structSize, sizeof(OPENFILENAMEA));
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_TRUE(call.hasTitle);
    EXPECT_EQ(call.title, dlg.DialogCaption);
    // The list as the dialog reads it, through its closing double NUL.
    std::string expectedFilter = dlg.Filter;
    for (char& c : expectedFilter) {
        c = c == '|' ? '\0' : c;
    }
    EXPECT_EQ(call.filter, expectedFilter + '\0');
    EXPECT_EQ(call.filterIndex, 0u);
    EXPECT_TRUE(call.hasInitialDir);
    EXPECT_EQ(call.initialDir, ExeFolder());
    EXPECT_EQ(call.file, "");
    EXPECT_EQ(call.maxFile, 260u);
    EXPECT_EQ(call.fileTitle, "");
    EXPECT_EQ(call.maxFileTitle, 260u);
    EXPECT_FALSE(call.hasDefExt);
    EXPECT_EQ(call.flags, 4100u);
    EXPECT_FALSE(dlg.IsDlgLoaded);
}

TEST_F(ComDlgTest, CancelEmptiesNameAndTitleAndZeroesFlags) {
    dlg.FileName = dir / "never.txt";
    dlg.FileTitle = "never.txt";
    dlg.Flags = 4;
    for (bool save : {false, true}) {
        ui.fileAnswers.push_back({false, "ignored", "ignored", 0x1234});
        EXPECT_FALSE(save ? dlg.ShowFileSaveAsDlg() : dlg.ShowOpFileDlg());
        EXPECT_EQ(dlg.FileName, "");
        EXPECT_EQ(dlg.FileTitle, "");
        EXPECT_EQ(dlg.Flags, 0);
        EXPECT_FALSE(dlg.IsDlgLoaded);
        dlg.FileName = "x";
        dlg.FileTitle = "y";
        dlg.Flags = 4;
    }
    // A dialog that fails outright reads the same as a Cancel.
    EXPECT_FALSE(dlg.ShowFileSaveAsDlg());
    EXPECT_EQ(dlg.FileName, "");
    EXPECT_EQ(dlg.Flags, 0);
    EXPECT_FALSE(dlg.NameNotInCodePage());
}

// A confirmed name the code page can't hold comes back as from Cancel, never spelled
// with look-alikes; the folder it was in is where the next dialog starts.
TEST_F(ComDlgTest, ANameOutsideTheCodePageReadsAsCancel) {
    const std::wstring chosen = WideFromAnsi(dir.path()) + L"\\\u0100B\u010C.txt";
    if (ExactAnsiFromWide(chosen)) {
        GTEST_SKIP() << "the code page holds the name";
    }
    FileDialogAnswer answer{true, "", "", 0x6};
    answer.widePath = chosen;
    for (int dialog = 0; dialog < 3; ++dialog) {
        dlg.FileName = "old.txt";
        dlg.FileTitle = "old.txt";
        dlg.Flags = 4;
        dlg.InitDir = "C:\\";
        ui.fileAnswers.push_back(answer);
        std::string name = "old.txt";
        int32_t flags = 4;
        FileDialogArgs args;
        args.vFlags = &flags;
        const bool chosenOne = dialog == 0   ? dlg.ShowOpFileDlg()
                               : dialog == 1 ? dlg.ShowFileSaveAsDlg()
                                             : dlg.VBGetSaveFileName(name, args);
        EXPECT_FALSE(chosenOne) << dialog;
        EXPECT_TRUE(dlg.NameNotInCodePage());
        EXPECT_EQ(dlg.InitDir, dir.path());
        if (dialog < 2) {
            EXPECT_EQ(dlg.FileName, "");
            EXPECT_EQ(dlg.FileTitle, "");
            EXPECT_EQ(dlg.Flags, 0);
        } else {
            EXPECT_EQ(name, "");
            EXPECT_EQ(flags, 0);
        }
    }
    // The next name the code page holds is taken as before.
    Confirm(dir / "ABC.txt", "ABC.txt");
    EXPECT_TRUE(dlg.ShowFileSaveAsDlg());
    EXPECT_FALSE(dlg.NameNotInCodePage());
    EXPECT_EQ(dlg.FileName, dir / "ABC.txt");
}

TEST_F(ComDlgTest, OpenOpenSaveAsCarriesTheChosenFileAlong) {
    WriteFileBytes(dir / "a.txt", "a");
    WriteFileBytes(dir / "b.txt", "b");

    dlg.Flags = 4;
    Confirm(dir / "a.txt", "a.txt", 0x1004);
    EXPECT_TRUE(dlg.ShowOpFileDlg());
    EXPECT_EQ(dlg.FileName, dir / "a.txt");
    EXPECT_EQ(dlg.FileTitle, "a.txt");
    EXPECT_EQ(dlg.Flags, 0x1004);  // as the dialog left them

    dlg.Flags = 4;
    Confirm(dir / "b.txt", "b.txt");
    EXPECT_TRUE(dlg.ShowOpFileDlg());
    EXPECT_EQ(ui.fileDialogs[1].initialDir, dir.path());
    EXPECT_EQ(ui.fileDialogs[1].file, "a.txt");
    EXPECT_EQ(ui.fileDialogs[1].fileTitle, "a.txt");
    EXPECT_EQ(ui.fileDialogs[1].flags, 4u);
    EXPECT_EQ(dlg.FileName, dir / "b.txt");
    EXPECT_EQ(dlg.InitDir, dir.path());

    // Save As starts from the full path of the file opened last.
    dlg.Flags = 4;
    Confirm(dir / "c.txt", "c.txt");
    EXPECT_TRUE(dlg.ShowFileSaveAsDlg());
    ASSERT_EQ(ui.fileDialogs.size(), 3u);
    EXPECT_TRUE(ui.fileDialogs[2].save);
    EXPECT_EQ(ui.fileDialogs[2].file, dir / "b.txt");
    EXPECT_EQ(ui.fileDialogs[2].initialDir, dir.path());
    EXPECT_EQ(dlg.FileName, dir / "c.txt");
    EXPECT_EQ(dlg.FileTitle, "c.txt");
}

TEST_F(ComDlgTest, AfterCancelTheNextOpenStartsInTheLastFolderWithAnEmptyName) {
    WriteFileBytes(dir / "a.txt", "a");
    Confirm(dir / "a.txt", "a.txt");
    ASSERT_TRUE(dlg.ShowOpFileDlg());
    EXPECT_FALSE(dlg.ShowOpFileDlg());  // cancelled
    EXPECT_EQ(dlg.InitDir, dir.path());
    EXPECT_FALSE(dlg.ShowOpFileDlg());
    EXPECT_EQ(lastCall().initialDir, dir.path());
    EXPECT_EQ(lastCall().file, "");
    EXPECT_EQ(lastCall().flags, 0u);
}

TEST_F(ComDlgTest, OpenOfANameThatNoFileHasReturnsIt) {
    dlg.Flags = 4;
    Confirm(dir / "typed.txt", "typed.txt");
    EXPECT_TRUE(dlg.ShowOpFileDlg());
    EXPECT_EQ(dlg.FileName, dir / "typed.txt");
    EXPECT_FALSE(dlg.fnExistFile(dlg.FileName));
    // The next Open finds nothing to start from: the name box is empty.
    EXPECT_FALSE(dlg.ShowOpFileDlg());
    EXPECT_EQ(lastCall().file, "");
    EXPECT_EQ(lastCall().initialDir, ExeFolder());
}

// The open dialog starts in the folder of FileName when it names a file, with the name
// the platform gives it in the name box; InitDir is kept where no folder can be had.
TEST_F(ComDlgTest, OpenStartsInTheFolderOfTheFileNamed) {
    const std::string root = "C:\\quillet-root-" + std::to_string(GetCurrentProcessId()) + ".txt";
    SetCurrentDirectoryA(dir.path().c_str());
    const struct {
        std::string file;  // created first, unless empty
        std::string fileName;
        std::string initialDir;
        std::string nameBox;
    } rows[] = {
        {dir / "a.txt", dir / "a.txt", dir.path(), "a.txt"},
        {root, root, "C:\\", root.substr(3)},
        {dir / "[draft].txt", dir / "[draft].txt", dir.path(), ""},  // the platform gives no title
        {dir / "bare.txt", "bare.txt", "C:\\kept", "bare.txt"},
        {"", dir / "missing.txt", "C:\\kept", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fileName);
        if (!row.file.empty()) {
            WriteFileBytes(row.file, "x");
        }
        dlg.InitDir = "C:\\kept";
        dlg.FileName = row.fileName;
        dlg.ShowOpFileDlg();
        EXPECT_EQ(lastCall().initialDir, row.initialDir);
        EXPECT_EQ(lastCall().file, row.nameBox);
        EXPECT_EQ(dlg.InitDir, row.initialDir);
    }
    DeleteFileA(root.c_str());
}

TEST_F(ComDlgTest, FieldsReachTheRecordAsWritten) {
    dlg.hwndOwner = static_cast<int32_t>(reinterpret_cast<intptr_t>(GetDesktopWindow()));
    dlg.DialogCaption = "Save file as";
    dlg.Filter = "All files (*.*)|*.*|";
    dlg.FilterIndex = 2;
    dlg.InitDir = dir.path();
    dlg.DefExt = "txt";
    dlg.Flags = -1;
    dlg.FileName = "draft";
    dlg.ShowFileSaveAsDlg();
    const FileDialogCall& call = lastCall();
    EXPECT_EQ(call.owner, GetDesktopWindow());
    EXPECT_EQ(call.title, "Save file as");
    EXPECT_EQ(call.filter, std::string("All files (*.*)\0*.*\0\0", 21));
    EXPECT_EQ(call.filterIndex, 2u);
    EXPECT_EQ(call.initialDir, dir.path());
    EXPECT_TRUE(call.hasDefExt);
    EXPECT_EQ(call.defExt, "txt");
    EXPECT_EQ(call.flags, 0x1FF1Fu);  // no hook or template bits, nothing above 0x10000
    EXPECT_EQ(call.file, "draft");
}

TEST_F(ComDlgTest, SaveWithExplicitArgumentsUsesItsDefaults) {
    std::string name = "report.txt";
    EXPECT_FALSE(dlg.VBGetSaveFileName(name));
    const FileDialogCall& call = lastCall();
    EXPECT_TRUE(call.save);
    EXPECT_EQ(call.filter, std::string("All (*.*)\0 *.*\0\0", 16));
    EXPECT_EQ(call.filterIndex, 1u);
    EXPECT_EQ(call.flags, 0u);
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_FALSE(call.hasInitialDir);
    EXPECT_FALSE(call.hasTitle);
    EXPECT_FALSE(call.hasDefExt);
    EXPECT_EQ(call.file, "report.txt");
    EXPECT_EQ(call.fileTitle, "");
    EXPECT_EQ(name, "");
    // The object's own fields are not involved.
    EXPECT_EQ(dlg.Flags, 4100);
}

TEST_F(ComDlgTest, BoundArgumentsReceiveTheResults) {
    std::string name = "old.txt";
    std::string title = "old.txt";
    int32_t flags = 0x20 | 0x4;
    FileDialogArgs args;
    args.vFileTitle = &title;
    args.vFlags = &flags;
    args.vFilter = "Text|*.txt";
    args.vFilterIndex = 3;
    args.vInitDir = dir.path();
    args.vTitle = "Export";
    Confirm(dir / "new.txt", "new.txt", 0x4 | 0x2);
    EXPECT_TRUE(dlg.VBGetSaveFileName(name, args));
    const FileDialogCall& call = lastCall();
    EXPECT_EQ(call.flags, 0x4u);
    EXPECT_EQ(call.fileTitle, "old.txt");
    EXPECT_EQ(call.filter, std::string("Text\0*.txt\0\0", 12));
    EXPECT_EQ(call.filterIndex, 3u);
    EXPECT_EQ(call.initialDir, dir.path());
    EXPECT_EQ(call.title, "Export");
    EXPECT_EQ(name, dir / "new.txt");
    EXPECT_EQ(title, "new.txt");
    EXPECT_EQ(flags, 0x6);

    EXPECT_FALSE(dlg.VBGetSaveFileName(name, args));
    EXPECT_EQ(name, "");
    EXPECT_EQ(title, "");
    EXPECT_EQ(flags, 0);
}

TEST_F(ComDlgTest, OverLongNamesAndFiltersAreRefusedBeforeAnyDialog) {
    dlg.FileName = std::string(260, 'n');
    EXPECT_THROW(dlg.ShowFileSaveAsDlg(), std::invalid_argument);
    EXPECT_TRUE(dlg.IsDlgLoaded);
    EXPECT_EQ(dlg.FileName, std::string(260, 'n'));

    dlg.FileName = std::string(259, 'n');
    dlg.FileTitle = std::string(1000, 't');
    EXPECT_THROW(dlg.ShowFileSaveAsDlg(), std::invalid_argument);
    // The open dialog drops a name that names no file, but the title still must fit.
    EXPECT_THROW(dlg.ShowOpFileDlg(), std::invalid_argument);
    EXPECT_EQ(dlg.FileTitle, std::string(1000, 't'));

    dlg.FileTitle = "";
    dlg.Filter = std::string(32768, '|');
    EXPECT_THROW(dlg.ShowOpFileDlg(), std::overflow_error);
    std::string name;
    FileDialogArgs args;
    args.vFilter = std::string(40000, 'x');
    EXPECT_THROW(dlg.VBGetSaveFileName(name, args), std::overflow_error);
    EXPECT_TRUE(ui.fileDialogs.empty());

    // The largest values that fit still open the dialog.
    dlg.Filter = std::string(32767, 'x');
    dlg.FileName = std::string(259, 'n');
    dlg.FileTitle = std::string(259, 't');
    EXPECT_FALSE(dlg.ShowFileSaveAsDlg());
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(lastCall().file, std::string(259, 'n'));
    EXPECT_EQ(lastCall().fileTitle, std::string(259, 't'));
    EXPECT_FALSE(dlg.IsDlgLoaded);
}

TEST_F(ComDlgTest, ExistFileSeesOnlyOrdinaryFiles) {
    WriteFileBytes(dir / "plain.txt", "p");
    WriteFileBytes(dir / "hidden.txt", "h");
    SetAttributes(dir / "hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    WriteFileBytes(dir / "system.dat", "s");
    SetAttributes(dir / "system.dat", FILE_ATTRIBUTE_SYSTEM);
    WriteFileBytes(dir / "locked.txt", "r");
    SetAttributes(dir / "locked.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    CreateDirectoryA((dir / "folder").c_str(), nullptr);

    EXPECT_TRUE(dlg.fnExistFile(dir / "plain.txt"));
    EXPECT_TRUE(dlg.fnExistFile(dir / "locked.txt"));
    EXPECT_FALSE(dlg.fnExistFile(""));
    EXPECT_FALSE(dlg.fnExistFile(dir / "hidden.txt"));
    EXPECT_FALSE(dlg.fnExistFile(dir / "system.dat"));
    EXPECT_FALSE(dlg.fnExistFile(dir / "folder"));
    EXPECT_FALSE(dlg.fnExistFile(dir.path()));
    EXPECT_FALSE(dlg.fnExistFile(dir / "missing.txt"));
    EXPECT_FALSE(dlg.fnExistFile(dir / "missing\\plain.txt"));
    EXPECT_FALSE(dlg.fnExistFile(dir / "bad|name.txt"));
    EXPECT_FALSE(dlg.fnExistFile(std::string(1000, 'x')));
    // Patterns match when any ordinary file does.
    EXPECT_TRUE(dlg.fnExistFile(dir / "*.txt"));
    EXPECT_TRUE(dlg.fnExistFile(dir / "p?ain.*"));
    EXPECT_FALSE(dlg.fnExistFile(dir / "h*.txt"));
    EXPECT_FALSE(dlg.fnExistFile(dir / "*.md"));
    // Devices answer a search as if they were files, in any folder; names that merely
    // look like them are files.
    for (const char* device :
         {"NUL", "nul.txt", "CON", "con .log", "AUX", "PRN.txt", "COM1", "LPT9.doc", "CONOUT$"}) {
        EXPECT_FALSE(dlg.fnExistFile(dir / device)) << device;
        EXPECT_FALSE(dlg.fnExistFile(device)) << device;
    }
    for (const char* file : {"NULL.txt", "CON1.txt", "COM10.txt", "xNUL"}) {
        WriteFileBytes(dir / file, "f");
        EXPECT_TRUE(dlg.fnExistFile(dir / file)) << file;
    }
}

TEST_F(ComDlgTest, ExistFileOnAMissingDriveIsFalse) {
    const DWORD drives = GetLogicalDrives();
    char letter = 0;
    for (char c = 'Z'; c >= 'D'; --c) {
        if ((drives & (1u << (c - 'A'))) == 0) {
            letter = c;
            break;
        }
    }
    ASSERT_NE(letter, 0) << "every drive letter is in use";
    EXPECT_FALSE(dlg.fnExistFile(std::string(1, letter) + ":\\file.txt"));
    EXPECT_FALSE(dlg.fnExistFile(std::string(1, letter) + ":\\*.*"));
}

TEST_F(ComDlgTest, PathHelpersTakeTheLastComponentApart) {
    EXPECT_EQ(dlg.fnGetFileTitle("C:\\dir\\file.txt"), "file.txt");
    EXPECT_EQ(dlg.fnGetFileTitle("C:\\file.txt"), "file.txt");
    EXPECT_EQ(dlg.fnGetFileTitle("file.txt"), "file.txt");
    EXPECT_EQ(dlg.fnGetFileTitle(""), "");
    EXPECT_EQ(dlg.fnGetFileName("C:\\dir\\file.txt"), "C:\\dir");
    EXPECT_EQ(dlg.fnGetFileName("C:\\file.txt"), "C:");
    EXPECT_EQ(dlg.fnGetFileName("file.txt"), "");
    EXPECT_EQ(dlg.fnGetFileName(""), "");
    EXPECT_EQ(dlg.fnGetFileName("C:\\My Files\\a b.c.txt"), "C:\\My Files");
    // What the platform refuses as a file name gives empty text, never an error.
    EXPECT_EQ(dlg.fnGetFileTitle("C:\\dir\\a*.txt"), "");
    EXPECT_EQ(dlg.fnGetFileName("C:\\dir\\a*.txt"), "");
    // A path that ends in a separator names a folder, not a file.
    EXPECT_EQ(dlg.fnGetFileTitle("C:\\dir\\"), "");
    EXPECT_EQ(dlg.fnGetFileName("C:\\dir\\"), "");
    EXPECT_EQ(dlg.fnGetFileTitle("C:\\dir\\" + std::string(300, 'x')), "");
}

TEST(RealGetFileTitle, NamesTheLastComponent) {
    Win32Platform platform;
    char buffer[260] = {};
    ASSERT_EQ(platform.FileTitle("C:\\dir\\file.txt", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "file.txt");
    // Too small a buffer: the size it needs, NUL included.
    char small[4] = {};
    EXPECT_EQ(platform.FileTitle("C:\\dir\\file.txt", small, sizeof small), 9);

    CComDlgEx dlg(platform);
    EXPECT_EQ(dlg.fnGetFileTitle("C:\\docs\\a.txt"), "a.txt");
    EXPECT_EQ(dlg.fnGetFileName("C:\\docs\\a.txt"), "C:\\docs");
}

class RealFileDialogTest : public ProcessTest {
protected:
    Win32Platform platform;
    CComDlgEx real{platform};
};

TEST_F(RealFileDialogTest, OpenDialogShowsAndCancels) {
    real.DialogCaption = "Quillet open test";
    real.FileName = "stale";
    DialogCloser closer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(real.ShowOpFileDlg());
    closer.Wait();
    ASSERT_TRUE(closer.found()) << "the dialog never opened";
    EXPECT_EQ(closer.caption(), "Quillet open test");
    EXPECT_EQ(real.FileName, "");
    EXPECT_EQ(real.FileTitle, "");
    EXPECT_EQ(real.Flags, 0);
    EXPECT_FALSE(real.IsDlgLoaded);
}

TEST_F(RealFileDialogTest, SaveDialogReturnsATypedName) {
    const std::string path = dir / "typed name.txt";
    real.DialogCaption = "Quillet save test";
    real.Filter = "All files (*.*)|*.*|";
    real.Flags = 4;
    real.FileName = path;
    DialogCloser closer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    EXPECT_TRUE(real.ShowFileSaveAsDlg());
    closer.Wait();
    ASSERT_TRUE(closer.found()) << "the dialog never opened";
    EXPECT_EQ(closer.caption(), "Quillet save test");
    EXPECT_EQ(real.FileName, path);
    EXPECT_EQ(real.FileTitle, "typed name.txt");
    EXPECT_EQ(real.Flags & OFN_HIDEREADONLY, OFN_HIDEREADONLY);
}

// The real dialog hands back the name typed in UTF-16: one the code page can't hold
// comes back as nothing chosen, never as its best-fit spelling.
TEST_F(RealFileDialogTest, ANameOutsideTheCodePageIsNoName) {
    const std::wstring typed = WideFromAnsi(dir.path()) + L"\\\u0100B\u010C \u4E2D.txt";
    if (ExactAnsiFromWide(typed)) {
        GTEST_SKIP() << "the code page holds the name";
    }
    real.Flags = 4;
    DialogCloser closer([&](HWND dialog) {
        // The name box: a combo box in the explorer-style dialog, an edit in the old one.
        HWND name = GetDlgItem(dialog, 0x47C);
        SendMessageW(name != nullptr ? name : GetDlgItem(dialog, 0x480), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(typed.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_FALSE(real.ShowFileSaveAsDlg());
    closer.Wait();
    ASSERT_TRUE(closer.found()) << "the dialog never opened";
    EXPECT_TRUE(real.NameNotInCodePage());
    EXPECT_EQ(real.FileName, "");
    EXPECT_EQ(real.FileTitle, "");
    EXPECT_EQ(real.Flags, 0);
    EXPECT_EQ(real.InitDir, dir.path());
}

}  // namespace
