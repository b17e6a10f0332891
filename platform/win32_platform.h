#pragma once
#include "platform/platform.h"

// The platform as Windows provides it.
class Win32Platform : public IPlatform {
public:
    MsgAnswer ShowMessage(HWND owner, const std::string& text, MsgIcon icon,
                          MsgButtons buttons) override;
    unsigned long StartProgram(const std::string& commandLine) override;
    SYSTEMTIME LocalNow() override;
    BOOL OpenFileDialog(OPENFILENAMEW* ofn) override;
    BOOL SaveFileDialog(OPENFILENAMEW* ofn) override;
    short FileTitle(const char* path, char* buffer, WORD size) override;
    // The register list's keyboard layout.
    HKL KeyboardLayout() override;
    void ActivateLayout(HKL layout) override;

    // Pickers
    BOOL ChooseColorDialog(CHOOSECOLORA* cc) override;
    BOOL ChooseFontDialog(CHOOSEFONTA* cf) override;
    LPITEMIDLIST IDListFromPath(const char* path) override;
    LPITEMIDLIST BrowseForFolder(BROWSEINFOA* bi) override;
    BOOL PathFromIDList(LPCITEMIDLIST list, char* path) override;
    void FreeIDList(LPITEMIDLIST list) override;
    double TwipsPerPixelY() override;

    PrinterDC OpenDefaultPrinter() override;
    int PrintStartDoc(HDC dc, const DOCINFOA& doc) override { return StartDocA(dc, &doc); }
    int PrintStartPage(HDC dc) override { return StartPage(dc); }
    BOOL PrintText(HDC dc, int x, int y, const char* text, int length) override {
        return TextOutA(dc, x, y, text, length);
    }
    int PrintEndPage(HDC dc) override { return EndPage(dc); }
    int PrintEndDoc(HDC dc) override { return EndDoc(dc); }
    int PrintAbortDoc(HDC dc) override { return AbortDoc(dc); }
    BOOL PrintTextMetrics(HDC dc, TEXTMETRICA* metrics) override {
        return GetTextMetricsA(dc, metrics);
    }
    BOOL PrintTextExtent(HDC dc, const char* text, int length, SIZE* size) override {
        return GetTextExtentPoint32A(dc, text, length, size);
    }
};
