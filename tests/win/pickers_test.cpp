// The folder, colour and font pickers of the dialog object: the records they hand the
// platform, how results and Cancel come back, and the real dialogs under Wine.
#include <gtest/gtest.h>

#include <cderr.h>
#include <olectl.h>

#include <algorithm>
#include <string>
#include <thread>

#include "dialog_closer.h"
#include "fake_font.h"
#include "dialogs/CComDlgEx.h"
#include "dialogs/font_object.h"
#include "platform/win32_platform.h"
#include "platform/win32_util.h"
#include "test_support.h"

namespace {

ComPtr<IFontDisp> NewFont(const wchar_t* name, LONGLONG sizeTenThousandths) {
    FONTDESC desc{
        sizeof desc, const_cast<LPOLESTR>(name), {}, FW_NORMAL, ANSI_CHARSET, FALSE, FALSE, FALSE};
    desc.cySize.int64 = sizeTenThousandths;
    ComPtr<IFontDisp> font;
    EXPECT_EQ(
        OleCreateFontIndirect(&desc, __uuidof(IFontDisp), reinterpret_cast<void**>(font.put())),
        S_OK);
    return font;
}

class PickerTest : public ProcessTest {
protected:
    CComDlgEx dlg{ui};
};

TEST_F(PickerTest, ColourDialogStartsWhiteAndKeepsCustomColours) {
    dlg.hwndOwner = 0x1234;
    dlg.SelColor = 0x00FF00;
    ui.colorAnswers.push_back({true, 0x123456, 0x3, 3, 0x0000FF});
    EXPECT_TRUE(dlg.ShowChooseColor());
    ASSERT_EQ(ui.colorDialogs.size(), 1u);
    const ColorDialogCall& first = ui.colorDialogs[0];
    EXPECT_EQ(first.structSize, sizeof(CHOOSECOLORA));
    EXPECT_EQ(first.owner, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(first.rgbResult, 0x00FF00u);
    EXPECT_EQ(first.flags, 4u);  // 4100 as the colour dialog reads it
    EXPECT_EQ(first.custColors, std::vector<COLORREF>(16, 0xFFFFFF));
    EXPECT_EQ(dlg.SelColor, 0x123456);
    EXPECT_EQ(dlg.Flags, 3);

    dlg.Flags = 0x1FF;  // reaches the dialog as 0xF
    EXPECT_FALSE(dlg.ShowChooseColor());
    ASSERT_EQ(ui.colorDialogs.size(), 2u);
    EXPECT_EQ(ui.colorDialogs[1].flags, 0xFu);
    EXPECT_EQ(ui.colorDialogs[1].custColors[3], 0x0000FFu);
    EXPECT_EQ(dlg.SelColor, -1);
    EXPECT_EQ(dlg.Flags, 0);
    EXPECT_FALSE(dlg.IsDlgLoaded);
}

TEST_F(PickerTest, ExplicitColourRoutineLeavesOutWhatItIsNotGiven) {
    int32_t color = 0x10;
    EXPECT_FALSE(dlg.VBChooseColor(color));
    EXPECT_EQ(ui.colorDialogs.back().flags, 0u);
    EXPECT_EQ(ui.colorDialogs.back().owner, nullptr);
    EXPECT_EQ(color, -1);
    int32_t flags = 0x1FF;
    ui.colorAnswers.push_back({true, 0x20, 0x1});
    EXPECT_TRUE(dlg.VBChooseColor(color, &flags));
    EXPECT_EQ(ui.colorDialogs.back().flags, 0xFu);
    EXPECT_EQ(color, 0x20);
    EXPECT_EQ(flags, 1);
}

TEST_F(PickerTest, FolderPickerAnswersOnlyFileSystemFolders) {
    dlg.TopFolder = "C:\\top";
    dlg.FolderDialogPrompt = "Pick one";
    dlg.SelFolder = "stale";
    ui.folderAnswers.push_back({true, "C:\\top\\sub"});
    ui.folderAnswers.push_back({true, ""});  // an item without a file-system path
    EXPECT_TRUE(dlg.ShowFolder());
    EXPECT_EQ(dlg.SelFolder, "C:\\top\\sub");
    EXPECT_FALSE(dlg.ShowFolder());
    EXPECT_EQ(dlg.SelFolder, "");
    EXPECT_FALSE(dlg.ShowFolder());  // cancelled
    dlg.TopFolder = "";              // no root: the desktop
    EXPECT_FALSE(dlg.ShowFolder());

    EXPECT_EQ(ui.listPaths, std::vector<std::string>(3, "C:\\top"));
    ASSERT_EQ(ui.folderDialogs.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const FolderDialogCall& call = ui.folderDialogs[i];
        EXPECT_EQ(call.hasRoot, i < 3) << i;
        EXPECT_EQ(call.title, "Pick one");
        EXPECT_EQ(call.flags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
        EXPECT_TRUE(call.zeroRest);
    }
    EXPECT_EQ(dlg.TopFolder, "");
    EXPECT_EQ(dlg.FolderDialogPrompt, "Pick one");
    EXPECT_FALSE(dlg.IsDlgLoaded);
    // Every list handed out went back: the root each time, the two items chosen.
    const auto freed = [&](LPITEMIDLIST list) {
        return std::count(ui.freedLists.begin(), ui.freedLists.end(), list);
    };
    EXPECT_EQ(freed(ui.rootList()), 3);
    EXPECT_EQ(freed(ui.chosenList()), 2);
}

std::string ApartmentOfThisThread() {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    if (FAILED(CoGetApartmentType(&type, &qualifier)) ||
        qualifier == APTTYPEQUALIFIER_IMPLICIT_MTA) {
        return "none";
    }
    return type == APTTYPE_MTA ? "MTA" : "STA";
}

TEST_F(PickerTest, FolderPickerHasAnApartmentAndLeavesTheThreadAsItWas) {
    constexpr DWORD kNone = ~0u;
    const struct {
        DWORD apartment;
        const char* during;
        const char* after;
    } rows[] = {
        {kNone, "STA", "none"},
        {COINIT_APARTMENTTHREADED, "STA", "STA"},
        {COINIT_MULTITHREADED, "MTA", "MTA"},
    };
    for (const auto& row : rows) {
        std::string during;
        std::string after;
        ui.duringDialog = [&] { during = ApartmentOfThisThread(); };
        std::thread([&] {
            if (row.apartment != kNone) {
                CoInitializeEx(nullptr, row.apartment);
            }
            dlg.ShowFolder();
            after = ApartmentOfThisThread();
            if (row.apartment != kNone) {
                CoUninitialize();
            }
        }).join();
        EXPECT_EQ(during, row.during) << row.after;
        EXPECT_EQ(after, row.after);
    }
}

TEST_F(PickerTest, FontDialogGetsTheFontAndReturnsTheChoice) {
    FakeFont* font = nullptr;
    dlg.SelFont = FakeFont::Make(font);
    dlg.SelFontColor = 0x0000FF;
    FontDialogAnswer answer{true};
    lstrcpyA(answer.logFont.lfFaceName, "Courier New");
    answer.logFont.lfItalic = 1;
    answer.logFont.lfWeight = FW_BOLD;
    answer.pointSize = 125;
    answer.flags = 0x1141;
    answer.color = 0x00FF00;
    answer.fontType = 0x100;  // bold
    ui.fontAnswers.push_back(answer);
    EXPECT_TRUE(dlg.ShowChooseFont());

    ASSERT_EQ(ui.fontDialogs.size(), 1u);
    const FontDialogCall& call = ui.fontDialogs[0];
    EXPECT_EQ(call.structSize, sizeof(CHOOSEFONTA));
    EXPECT_EQ(call.logFont.lfHeight, -13);  // 10 pt at 15 twips per pixel
    EXPECT_EQ(call.pointSize, 100);
    EXPECT_EQ(call.logFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(std::string(call.logFont.lfFaceName, LF_FACESIZE),
              "Tahoma" + std::string(LF_FACESIZE - 6, '\0'));
    EXPECT_EQ(call.flags, 0x1145u);  // 4100 with screen fonts, effects, LOGFONT start
    EXPECT_EQ(call.color, 0x0000FFu);

    // Bold before Weight, so the dialog's weight is the one that stays.
    EXPECT_EQ(font->puts, (std::vector<DISPID>{3, 4, 6, 5, 7, 2, 0}));
    EXPECT_FALSE(font->otherTouched);
    EXPECT_EQ(font->name.substr(0, font->name.find(L'\0')), L"Courier New");
    EXPECT_EQ(font->size, 125000);
    EXPECT_TRUE(font->bold && font->italic);
    EXPECT_FALSE(font->underline || font->strikethrough);
    EXPECT_EQ(font->weight, FW_BOLD);
    EXPECT_EQ(dlg.Flags, 0x1141);
    EXPECT_EQ(dlg.SelFontColor, 0x00FF00);
}

TEST_F(PickerTest, CancelledFontDialogLeavesTheFontAndKeepsNormalisedFlags) {
    FakeFont* font = nullptr;
    dlg.SelFont = FakeFont::Make(font);
    font->size = 82500;  // 8.25 pt
    dlg.Flags = 0x238;
    dlg.SelFontColor = 7;
    EXPECT_FALSE(dlg.ShowChooseFont());
    EXPECT_EQ(ui.fontDialogs.back().pointSize, 82);
    EXPECT_EQ(dlg.Flags, 0x141);
    EXPECT_EQ(dlg.SelFontColor, 7);
    EXPECT_TRUE(font->puts.empty());
}

TEST_F(PickerTest, FontDialogFlagsFollowTheArgumentsGiven) {
    FakeFont* fake = nullptr;
    const ComPtr<IFontDisp> font = FakeFont::Make(fake);
    fake->size = 120000;
    int32_t color = 0;
    int32_t dc = 0x5678;
    FontDialogArgs withColor;
    withColor.vColor = &color;
    FontDialogArgs withPrinter;
    withPrinter.vPrinterDC = &dc;
    EXPECT_FALSE(dlg.VBChooseFont(font.get()));
    EXPECT_FALSE(dlg.VBChooseFont(font.get(), withColor));
    EXPECT_FALSE(dlg.VBChooseFont(font.get(), withPrinter));
    ASSERT_EQ(ui.fontDialogs.size(), 3u);
    EXPECT_EQ(ui.fontDialogs[0].flags, 0x41u);
    EXPECT_EQ(ui.fontDialogs[0].logFont.lfHeight, -16);
    EXPECT_EQ(ui.fontDialogs[0].pointSize, 120);
    EXPECT_EQ(ui.fontDialogs[1].flags, 0x141u);
    EXPECT_EQ(ui.fontDialogs[2].flags, 0x42u);
    EXPECT_EQ(ui.fontDialogs[2].dc, reinterpret_cast<HDC>(0x5678));
    EXPECT_EQ(ui.printerOpens, 0);
}

TEST_F(PickerTest, RefusalsComeBeforeAnyDialog) {
    dlg.Flags = 0;
    try {
        dlg.ShowChooseFont();
        ADD_FAILURE() << "no font object was accepted";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), 91u);
    }
    EXPECT_EQ(dlg.Flags, 0x141);
    EXPECT_TRUE(dlg.IsDlgLoaded);

    // Printer fonts with no printer installed.
    ui.printerError = PDERR_NODEFAULTPRN;
    FakeFont* fake = nullptr;
    const ComPtr<IFontDisp> font = FakeFont::Make(fake);
    int32_t flags = CF_PRINTERFONTS;
    FontDialogArgs args;
    args.vFlags = &flags;
    EXPECT_THROW(dlg.VBChooseFont(font.get(), args), RunTimeError);
    EXPECT_EQ(flags, CF_PRINTERFONTS);
    EXPECT_TRUE(ui.fontDialogs.empty());

    ui.printerError = 0;
    ui.screenAsPrinter = true;
    EXPECT_FALSE(dlg.VBChooseFont(font.get(), args));
    ASSERT_EQ(ui.fontDialogs.size(), 1u);
    EXPECT_NE(ui.fontDialogs[0].dc, nullptr);
    EXPECT_EQ(ui.fontDialogs[0].flags, 0x42u);
}

TEST_F(PickerTest, OverLongFaceNamesKeepTheirClosingNul) {
    FakeFont* font = nullptr;
    dlg.SelFont = FakeFont::Make(font);
    font->name = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    dlg.ShowChooseFont();
    ASSERT_EQ(ui.fontDialogs.size(), 1u);
    EXPECT_STREQ(ui.fontDialogs[0].logFont.lfFaceName, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
}

// The real dialogs, closed from another thread.
class RealPickerTest : public ProcessTest {
protected:
    Win32Platform platform;
    CComDlgEx real{platform};
};

TEST_F(RealPickerTest, ColourDialogShowsAndCancels) {
    DialogCloser closer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(real.ShowChooseColor());
    closer.Wait();
    ASSERT_TRUE(closer.found()) << "the dialog never opened";
    EXPECT_EQ(real.SelColor, -1);
    EXPECT_EQ(real.Flags, 0);
}

TEST_F(RealPickerTest, FontDialogConfirmsTheFontItWasGiven) {
    real.SelFont = NewFont(L"Tahoma", 120000);
    const FontProperties before = ReadFontProperties(real.SelFont.get());
    real.Flags = 0;
    DialogCloser closer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    EXPECT_TRUE(real.ShowChooseFont());
    closer.Wait();
    ASSERT_TRUE(closer.found()) << "the dialog never opened";
    // The platform's font object reports the font it realises, so compare with that.
    const FontProperties chosen = ReadFontProperties(real.SelFont.get());
    EXPECT_EQ(chosen.Name, before.Name);
    EXPECT_NEAR(chosen.Size, before.Size, 0.5);
    EXPECT_NE(real.Flags & CF_SCREENFONTS, 0);
}

TEST_F(RealPickerTest, FolderDialogShowsAndCancels) {
    real.TopFolder = dir.path();
    real.FolderDialogPrompt = "Quillet folder test";
    DialogCloser closer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(real.ShowFolder());
    closer.Wait();
    ASSERT_TRUE(closer.found()) << "the dialog never opened";
    EXPECT_EQ(real.SelFolder, "");
    EXPECT_EQ(real.TopFolder, dir.path());
}

TEST_F(RealPickerTest, RootListNamesTheFolderItWasMadeFrom) {
    LPITEMIDLIST list = platform.IDListFromPath(dir.path().c_str());
    ASSERT_NE(list, nullptr);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(platform.PathFromIDList(list, path));
    EXPECT_STRCASEEQ(path, dir.path().c_str());
    platform.FreeIDList(list);
}

}  // namespace
