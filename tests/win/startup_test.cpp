// Start-up: the argument text resolved to a document, with the messages a user sees.
#include <gtest/gtest.h>

#include "app/mdlCode.h"
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

}  // namespace
