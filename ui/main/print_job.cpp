// One print job: the document's text on a printer's device context, page by page.
#include "ui/main/print_job.h"

#include <algorithm>
#include <vector>

#include "core/print/print_layout.h"
#include "platform/code_page.h"
#include "platform/win32_util.h"

using namespace quillet;

namespace {

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

// Printed text is 10-point fixed pitch; the page holds as many of its cells as fit.
struct PrintFont {
    UniqueFont font;
    int lineHeight = 1;
    PageMetrics page{};
};

// The font and the page measured with it, or the number of the measuring call that
// failed: a page laid out from metrics that were never given would print wrong.
unsigned long MeasurePrintFont(IPlatform& platform, HDC printer, PrintFont& pf) {
    pf.font.reset(CreateFontA(-MulDiv(10, GetDeviceCaps(printer, LOGPIXELSY), 72), 0, 0, 0,
                              FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                              "Courier New"));
    SelectGuard selected(printer, pf.font.get());
    TEXTMETRICA tm{};
    SIZE cell{};  // of the widest letter, should the face not be fixed
    if (const unsigned long error =
            JobCall([&] { return platform.PrintTextMetrics(printer, &tm); })) {
        return error;
    }
    if (const unsigned long error =
            JobCall([&] { return platform.PrintTextExtent(printer, "W", 1, &cell); })) {
        return error;
    }
    pf.lineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    const int cellWidth =
        std::max({1, static_cast<int>(cell.cx), static_cast<int>(tm.tmAveCharWidth)});
    pf.page = {GetDeviceCaps(printer, HORZRES) / cellWidth,
               GetDeviceCaps(printer, VERTRES) / pf.lineHeight};
    return 0;
}

// A started document is abandoned on every way out but its own successful end.
class StartedDoc {
public:
    StartedDoc(IPlatform& platform, HDC printer) : platform_(platform), printer_(printer) {}
    ~StartedDoc() {
        if (!ended_) {
            platform_.PrintAbortDoc(printer_);
        }
    }
    StartedDoc(const StartedDoc&) = delete;
    StartedDoc& operator=(const StartedDoc&) = delete;
    void Ended() { ended_ = true; }

private:
    IPlatform& platform_;
    HDC printer_;
    bool ended_ = false;
};

// One page's lines, stopping at the first call that fails.
unsigned long PrintPage(IPlatform& platform, HDC printer, const PrintFont& pf,
                        const std::vector<std::string>& lines) {
    if (const unsigned long error = JobCall([&] { return platform.PrintStartPage(printer); })) {
        return error;
    }
    SelectGuard selected(printer, pf.font.get());  // some drivers reset it at each page
    int y = 0;
    for (const std::string& line : lines) {
        if (const unsigned long error = JobCall([&] {
                return platform.PrintText(printer, 0, y, line.data(),
                                          static_cast<int>(line.size()));
            })) {
            return error;
        }
        y += pf.lineHeight;
    }
    return JobCall([&] { return platform.PrintEndPage(printer); });
}

}  // namespace

unsigned long PrintJob::Print(const std::string& docName, const std::string& text) {
    PrintFont pf;
    if (const unsigned long error = MeasurePrintFont(platform_, printer_, pf)) {
        return error;
    }
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = docName.c_str();
    if (const unsigned long error =
            JobCall([&] { return platform_.PrintStartDoc(printer_, doc); })) {
        return error;
    }
    StartedDoc started(platform_, printer_);
    for (const std::vector<std::string>& lines : PrintedPages(text, pf.page, AnsiCodePage())) {
        if (const unsigned long error = PrintPage(platform_, printer_, pf, lines)) {
            return error;
        }
    }
    const unsigned long error = JobCall([&] { return platform_.PrintEndDoc(printer_); });
    if (error == 0) {
        started.Ended();
    }
    return error;
}
