// The View menu, the character map, About and printing, on the real main window.
#include <gtest/gtest.h>

#include <cderr.h>

#include <vector>

#include "app/mdlCode.h"
#include "app/text_file.h"
#include "core/app/about_text.h"
#include "test_support.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"
#include "ui/main/print_job.h"
#include "ui/main/screen_fonts.h"

using namespace quillet;

namespace {

class ViewPrintTest : public WindowTest {
protected:
    bool Checked(int id) {
        return (GetMenuState(form().menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    std::string FontFace() {
        const auto font = reinterpret_cast<HFONT>(SendMessageA(form().txtDoc(), WM_GETFONT, 0, 0));
        LOGFONTA lf{};
        GetObjectA(font, sizeof lf, &lf);
        return lf.lfFaceName;
    }
    // The pixels of one character drawn with the text box's current font.
    std::vector<DWORD> Glyph(wchar_t c) {
        constexpr int kSize = 48;
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HDC dc = CreateCompatibleDC(nullptr);
        const HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        const HGDIOBJ oldFont = SelectObject(
            dc, reinterpret_cast<HFONT>(SendMessageA(form().txtDoc(), WM_GETFONT, 0, 0)));
        PatBlt(dc, 0, 0, kSize, kSize, WHITENESS);
        TextOutW(dc, 4, 4, &c, 1);
        GdiFlush();
        std::vector<DWORD> pixels(static_cast<DWORD*>(bits),
                                  static_cast<DWORD*>(bits) + kSize * kSize);
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return pixels;
    }
    static wchar_t Decode(UINT codePage, unsigned char byte) {
        wchar_t c = 0;
        MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(&byte), 1, &c, 1);
        return c;
    }
};

// Box drawing and blocks: OEM characters under 437 and 866 alike that no ANSI code page
// has, so the ASCII view's font draws them as they are; their bytes mean other
// characters in ANSI.
const unsigned char kOemBytes[] = {0xB0, 0xB2, 0xB3, 0xC4, 0xC9, 0xCD, 0xDB, 0xDF};

TEST_F(ViewPrintTest, FontChoicesKeepTextFlagCaptionAndSavedBytes_Cp1251) {
    std::string bytes;
    for (int b = 0x20; b < 0x100; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    const std::string source = dir / "oem.txt";
    WriteFileBytes(source, bytes);
    form().SetText(mdlCode::ReadTextFile(source));
    SendMessageA(form().txtDoc(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    const std::string text = form().Text();
    const std::string caption = WindowText(form().hWnd());
    ASSERT_NE(caption.find("[*]"), std::string::npos);

    const std::string oemFace = ScreenFonts::BundledOemFace();
    const struct {
        int command;
        bool ascii;
    } steps[] = {
        {mnuAscii, true}, {mnuAscii, true}, {mnuAnsi, false}, {mnuAscii, true}, {mnuAnsi, false}};
    for (const auto& step : steps) {
        SendMessageA(form().hWnd(), WM_COMMAND, static_cast<WPARAM>(step.command), 0);
        EXPECT_EQ(Checked(mnuAscii), step.ascii);
        EXPECT_EQ(Checked(mnuAnsi), !step.ascii);
        EXPECT_EQ(FontFace(), step.ascii ? oemFace : "fixedsys");
        EXPECT_EQ(form().Text(), text);
        EXPECT_NE(SendMessageA(form().txtDoc(), EM_GETMODIFY, 0, 0), 0);
        EXPECT_EQ(WindowText(form().hWnd()), caption);
    }
    ASSERT_TRUE(mdlCode::WriteTextFile(dir / "saved.txt", form().Text()));
    EXPECT_EQ(ReadFileBytes(dir / "saved.txt"), "x" + bytes);
}

TEST_F(ViewPrintTest, AsciiShowsTheOemGlyphOfEachByteAndAnsiItsOwn_Cp1251) {
    for (const auto& [command, oem] : {std::pair{mnuAscii, true}, std::pair{mnuAnsi, false}}) {
        SendMessageA(form().hWnd(), WM_COMMAND, static_cast<WPARAM>(command), 0);
        for (const unsigned char b : kOemBytes) {
            const bool same = Glyph(Decode(CP_ACP, b)) == Glyph(Decode(CP_OEMCP, b));
            EXPECT_EQ(same, oem) << "byte " << int{b} << (oem ? " in ASCII" : " in ANSI");
        }
    }
}

TEST_F(ViewPrintTest, AlwaysOnTopTwiceReturnsToNormalZOrder) {
    RECT before{};
    GetWindowRect(form().hWnd(), &before);
    for (const bool topmost : {true, false}) {
        SendMessageA(form().hWnd(), WM_COMMAND, mnuOnTop, 0);
        EXPECT_EQ(Checked(mnuOnTop), topmost);
        EXPECT_EQ((GetWindowLongA(form().hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost);
    }
    RECT after{};
    GetWindowRect(form().hWnd(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(ViewPrintTest, WordWrapOnlyTellsWhy) {
    form().SetText("a long line");
    SendMessageA(form().hWnd(), WM_COMMAND, mnuWrap, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    const ShownMessage& m = ui.messages[0];
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    const size_t crlf = m.text.find("\r\n");
    ASSERT_NE(crlf, std::string::npos);
    EXPECT_EQ(m.text.find_first_of("\r\n", crlf + 2), std::string::npos) << "two lines";
    EXPECT_FALSE(Checked(mnuWrap));
    EXPECT_EQ(form().Text(), "a long line");
}

TEST_F(ViewPrintTest, AboutShowsTheVersionOfTheRunningProgram) {
    SendMessageA(form().hWnd(), WM_COMMAND, mnuAbout, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(ui.messages[0].text, AboutText({1, 0, 0, 70}));
    EXPECT_EQ(ui.messages[0].text.rfind("Quillet v1.0.70\r\n", 0), 0u);
}

// The real process start. A program named charmap.exe in the current folder (a
// downloads folder, say) never runs: only the system folder's does. Wine has none, so
// the first clicks warn; with the stand-in put there each click starts one.
TEST_F(ViewPrintTest, CharacterMapStartsFromTheSystemFolderOnly) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string stub = exe;
    stub = stub.substr(0, stub.rfind('\\')) + "\\charmap_stub\\charmap.exe";
    char system[MAX_PATH] = {};
    const std::string installed =
        std::string(system, GetSystemDirectoryA(system, MAX_PATH)) + "\\charmap.exe";
    ASSERT_FALSE(FileExists(installed)) << "this test puts its own there";
    const std::string log = dir / "charmap.log";
    SetEnvironmentVariableA("QUILLET_CHARMAP_LOG", log.c_str());
    ui.realStart = true;
    const auto click = [&](int times) {
        ui.messages.clear();
        for (int i = 0; i < times; ++i) {
            SendMessageA(form().hWnd(), WM_COMMAND, mnuCharMap, 0);
        }
    };

    ASSERT_TRUE(CopyFileA(stub.c_str(), (dir / "charmap.exe").c_str(), FALSE));
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    click(1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "CharMap application is not installed.");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);

    ASSERT_TRUE(CopyFileA(stub.c_str(), installed.c_str(), TRUE));
    const struct Removed {
        const std::string& path;
        ~Removed() { DeleteFileA(path.c_str()); }
    } removed{installed};
    click(2);
    EXPECT_EQ(ui.messages.size(), 0u) << ui.MessageTexts();
    const std::string quoted = "\"" + installed + "\"";
    EXPECT_EQ(ui.started, (std::vector<std::string>{quoted, quoted, quoted}));
    // Polled by its size, without opening it: a start may hold it open for writing.
    const auto logSize = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return GetFileAttributesExA(log.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow
                                                                               : 0;
    };
    for (int i = 0; i < 100 && logSize() < 18; ++i) {
        Sleep(100);
    }
    Sleep(200);  // time for a third start, were there one
    SetEnvironmentVariableA("QUILLET_CHARMAP_LOG", nullptr);
    EXPECT_EQ(ReadFileBytes(log), "started\r\nstarted\r\n");
}

TEST_F(ViewPrintTest, APrinterFailureIsReportedAndTheEditorGoesOn) {
    form().SetText("kept");
    const std::string caption = WindowText(form().hWnd());
    using Fault = FakePlatform::PrintFault;
    const struct {
        unsigned long printerError;
        bool screenAsPrinter, cancels, throws;
        Fault fault;
        std::string message;  // the box's start; none shown when empty
        const char* calls;    // the job's, and ! for the box
    } cases[] = {
        {PDERR_NODEFAULTPRN, false, false, false, {}, "Error #4104 :: No printer here", "!"},
        {0, true, false, false, {}, "Error #", "MXD!"},  // the job itself refused
        {0, false, true, false, {}, "", "MXD"},          // a file name asked for, and Cancel
        // The handler throws: the window procedure reports it and goes on.
        {0, false, false, true, {}, "Error #8 :: " + ErrorDescription(8), "!"},
        // Mid-page: the document is abandoned once, before the box.
        {0, false, false, false, {'T', 1}, "Error #31 :: " + ErrorDescription(31), "MXDPTA!"},
        {0,
         false,
         false,
         false,
         {'T', 1, 0, true},
         "Error #8 :: " + ErrorDescription(8),
         "MXDPTA!"},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        ui.printCalls.clear();
        ui.printerError = c.printerError;
        ui.screenAsPrinter = c.screenAsPrinter;
        ui.printerCancels = c.cancels;
        ui.printerThrows = c.throws;
        ui.scriptedPrinter = c.fault.call != 0;
        ui.printFault = c.fault;
        SendMessageA(form().hWnd(), WM_COMMAND, mnuPrint, 0);
        ASSERT_EQ(ui.messages.size(), c.message.empty() ? 0u : 1u) << ui.MessageTexts();
        if (!c.message.empty()) {
            EXPECT_EQ(ui.messages[0].text.rfind(c.message, 0), 0u) << ui.messages[0].text;
            EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
        }
        EXPECT_EQ(ui.printCalls, c.calls) << c.message;
        EXPECT_EQ(form().Text(), "kept");
        EXPECT_EQ(WindowText(form().hWnd()), caption);
        EXPECT_TRUE(IsWindowEnabled(form().hWnd()));
    }
}

// A device whose calls succeed until the one that fails: the number that call gave, and
// the document abandoned once whenever it had started.
TEST_F(ViewPrintTest, AFailedJobGivesTheNumberOfTheCallThatFailed) {
    const struct {
        FakePlatform::PrintFault fault;
        DWORD reported;     // the failing call set no error: a general failure
        const char* calls;  // as the job made them
    } cases[] = {{{'M', 1, 0}, ERROR_GEN_FAILURE, "M"},
                 {{'X', 1, ERROR_NOT_ENOUGH_MEMORY}, ERROR_NOT_ENOUGH_MEMORY, "MX"},
                 {{'D', 1, ERROR_CANCELLED}, ERROR_CANCELLED, "MXD"},
                 {{'P', 1, 0}, ERROR_GEN_FAILURE, "MXDPA"},
                 {{'T', 2, ERROR_DISK_FULL}, ERROR_DISK_FULL, "MXDPTTA"},
                 {{'E', 1, ERROR_DISK_FULL}, ERROR_DISK_FULL, "MXDPTTEA"},
                 {{'d', 1, 0}, ERROR_GEN_FAILURE, "MXDPTTEdA"},
                 {{}, 0, "MXDPTTEd"}};
    const UniqueDC dc(CreateCompatibleDC(nullptr));
    ui.scriptedPrinter = true;
    for (const auto& c : cases) {
        ui.printCalls.clear();
        ui.printFault = c.fault;
        EXPECT_EQ(PrintJob(ui, dc.get()).Print("job", "a\r\nb"), c.reported) << c.calls;
        EXPECT_EQ(ui.printCalls, c.calls);
    }
}

// Run by its own CTest entry with no print server reachable: the real default-printer
// call fails, and the user is told so.
TEST_F(ViewPrintTest, NoPrinterInstalledIsReported) {
    char flag[8] = {};
    if (GetEnvironmentVariableA("QUILLET_NO_PRINTER", flag, sizeof flag) == 0) {
        GTEST_SKIP() << "only without a print server";
    }
    SendMessageA(form().hWnd(), WM_COMMAND, mnuPrint, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error #4104 :: No default printer is installed.");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
}

// The real printer: a CUPS PDF queue. The test sees a new PDF appear; the text of it is
// read back by scripts/print-round-trip.sh, which gets the document from this test.
TEST_F(ViewPrintTest, RoundTripOnTheDefaultPrinter) {
    char home[MAX_PATH] = {};  // Wine's name of the Unix home: \??\Z:\root
    char flag[8] = {};
    if (GetEnvironmentVariableA("QUILLET_NO_PRINTER", flag, sizeof flag) != 0 ||
        GetEnvironmentVariableA("WINEHOMEDIR", home, MAX_PATH) < 4) {
        GTEST_SKIP() << "no print server";
    }
    const std::string pdfDir = std::string(home + 4) + "\\PDF";
    // The queue names each PDF after the job, which is named after the document: a name
    // of its own tells this job's file from earlier ones.
    const std::string job = "RoundTrip" + std::to_string(GetTickCount64());
    mdlCode::DocumentState.DocTitle = job;
    std::string text;
    for (int i = 1; i <= 130; ++i) {
        text += "Line " + std::to_string(i) + " of the printed document\r\n";
        if (i == 64) {
            text +=
                std::string(40, 'W') + "\t" + std::string(300, 'x') + " end of the long line\r\n";
        }
        if (i == 100) {  // more than two pages of blank lines: at least one blank sheet
            for (int blank = 0; blank < 200; ++blank) {
                text += "\r\n";
            }
        }
    }
    form().SetText(text);
    SendMessageA(form().hWnd(), WM_COMMAND, mnuPrint, 0);
    ASSERT_TRUE(ui.messages.empty()) << ui.MessageTexts();
    // Complete once the file ends with the PDF end-of-file mark.
    std::string pdf;
    for (int i = 0; i < 150 && pdf.empty(); ++i) {
        Sleep(100);
        WIN32_FIND_DATAA found{};
        UniqueFind search(FindFirstFileA((pdfDir + "\\*" + job + "*.pdf").c_str(), &found));
        if (search.get() == INVALID_HANDLE_VALUE) {
            continue;
        }
        const std::string path = pdfDir + "\\" + found.cFileName;
        const std::string bytes = ReadFileBytes(path);
        if (bytes.find("%%EOF", bytes.size() > 8 ? bytes.size() - 8 : 0) != std::string::npos) {
            pdf = path;
        }
    }
    ASSERT_FALSE(pdf.empty()) << "no complete PDF of " << job << " in " << pdfDir;
    char expect[MAX_PATH] = {};
    if (GetEnvironmentVariableA("QUILLET_PRINT_EXPECT", expect, MAX_PATH) != 0) {
        WriteFileBytes(expect, pdf + "\r\n" + text);  // the script reads it, then deletes it
    } else {
        DeleteFileA(pdf.c_str());
    }
}

}  // namespace
