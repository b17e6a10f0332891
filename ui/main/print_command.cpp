// File, Print: the whole document on the default printer.
#include <algorithm>
#include <utility>

#include "app/mdlCode.h"
#include "ui/main/frmMain.h"
#include "ui/main/print_layout.h"

using namespace quillet;

namespace {

// A failed step of the job: GetLastError, or a general failure when the driver gave none.
unsigned long JobError() {
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

// Printed text is 10-point fixed pitch; the page holds as many of its cells as fit.
struct PrintFont {
    UniqueFont font;
    int lineHeight;
    PageMetrics page;
};

PrintFont PrintFontFor(HDC printer) {
    UniqueFont font(CreateFontA(-MulDiv(10, GetDeviceCaps(printer, LOGPIXELSY), 72), 0, 0, 0,
                                FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                                "Courier New"));
    SelectGuard selected(printer, font.get());
    TEXTMETRICA tm{};
    GetTextMetricsA(printer, &tm);
    SIZE cell{};
    GetTextExtentPoint32A(printer, "W", 1, &cell);  // the widest, should the face not be fixed
    const int lineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    const int cellWidth =
        std::max({1, static_cast<int>(cell.cx), static_cast<int>(tm.tmAveCharWidth)});
    const PageMetrics page{GetDeviceCaps(printer, HORZRES) / cellWidth,
                           GetDeviceCaps(printer, VERTRES) / lineHeight};
    return {std::move(font), lineHeight, page};
}

// One page of lines. 0 when the driver took it, else the failure's number.
unsigned long PrintPage(HDC printer, const PrintFont& pf, const std::vector<std::string>& lines) {
    if (StartPage(printer) <= 0) {
        return JobError();
    }
    SelectGuard selected(printer, pf.font.get());  // some drivers reset the DC at each page
    int y = 0;
    for (const std::string& line : lines) {
        TextOutA(printer, 0, y, line.data(), static_cast<int>(line.size()));
        y += pf.lineHeight;
    }
    return EndPage(printer) > 0 ? 0 : JobError();
}

// The whole text as one document named after the window's document. 0 when the spooler
// took it, else the failure's number (the job is abandoned).
unsigned long PrintText(HDC printer, const std::string& docName, const std::string& text) {
    const PrintFont pf = PrintFontFor(printer);
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = docName.c_str();
    SetLastError(0);
    if (StartDocA(printer, &doc) <= 0) {
        return JobError();
    }
    for (const std::vector<std::string>& lines : PrintedPages(text, pf.page)) {
        if (const unsigned long error = PrintPage(printer, pf, lines)) {
            AbortDoc(printer);
            return error;
        }
    }
    return EndDoc(printer) > 0 ? 0 : JobError();
}

}  // namespace

void frmMain::mnuPrint_Click() {
    PrinterDC printer = platform_.OpenDefaultPrinter();
    unsigned long error = printer.error;
    std::string description = printer.description;
    if (printer.dc) {
        error = PrintText(printer.dc.get(), mdlCode::DocumentState.DocTitle, Text());
        description = error != 0 ? ErrorDescription(error) : "";
    }
    if (error != 0) {
        platform_.ShowMessage(hwnd_, "Error #" + std::to_string(error) + " :: " + description,
                              MsgIcon::Stop, MsgButtons::Ok);
    }
}
