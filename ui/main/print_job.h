#pragma once
// One print job: the document's text on a printer's device context, page by page.
#include <windows.h>

#include <string>

class PrintJob {
public:
    explicit PrintJob(HDC printer) : printer_(printer) {}
    virtual ~PrintJob() = default;
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Prints the text as one document under the name. 0 when the spooler took it; else
    // the job is abandoned and this is the number the failing call gave (ERROR_CANCELLED
    // when the user cancelled), or a general failure's when it gave none.
    unsigned long Print(const std::string& docName, const std::string& text);

protected:
    // The job's calls on the device; a test's device fails them as it likes.
    virtual int StartDocument(const DOCINFOA& doc) { return ::StartDocA(printer_, &doc); }
    virtual int StartPage() { return ::StartPage(printer_); }
    virtual int EndPage() { return ::EndPage(printer_); }
    virtual int EndDocument() { return ::EndDoc(printer_); }

private:
    HDC printer_;
};
