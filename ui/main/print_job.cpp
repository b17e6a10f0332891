// One print job: the document's text on a printer's device context, page by page.
#include "ui/main/print_job.h"

#include <algorithm>
#include <utility>

#include "core/print/print_layout.h"
#include "platform/code_page.h"
#include "platform/win32_util.h"

using namespace quillet;

namespace {

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

// Runs one call of the job. 0 when it succeeded, else the error that call set itself
// (the last error is cleared first, so a leftover one is never taken), or a general
// failure when it set none.
template <typename Call>
unsigned long JobCall(Call call) {
    SetLastError(0);
    if (call() > 0) {
        return 0;
    }
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

}  // namespace

unsigned long PrintJob::Print(const std::string& docName, const std::string& text) {
    const PrintFont pf = PrintFontFor(printer_);
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = docName.c_str();
    if (const unsigned long error = JobCall([&] { return StartDocument(doc); })) {
        return error;
    }
    for (const std::vector<std::string>& lines : PrintedPages(text, pf.page, AnsiCodePage())) {
        unsigned long error = JobCall([&] { return StartPage(); });
        if (error == 0) {
            SelectGuard selected(printer_, pf.font.get());  // some drivers reset it at each page
            int y = 0;
            for (const std::string& line : lines) {
                TextOutA(printer_, 0, y, line.data(), static_cast<int>(line.size()));
                y += pf.lineHeight;
            }
            error = JobCall([&] { return EndPage(); });
        }
        if (error != 0) {
            AbortDoc(printer_);
            return error;
        }
    }
    return JobCall([&] { return EndDocument(); });
}
