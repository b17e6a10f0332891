#pragma once
// One print job: the document's text on a printer's device context, page by page.
#include <windows.h>

#include <string>

#include "platform/platform.h"

class PrintJob {
public:
    PrintJob(IPlatform& platform, HDC printer) : platform_(platform), printer_(printer) {}
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Prints the text as one document under the name. 0 when the spooler took it; else
    // the number the failing call gave (ERROR_CANCELLED when the user cancelled), or a
    // general failure's when it gave none. Once the document has started, any failure,
    // or anything thrown, abandons it with AbortDoc before this returns or the exception
    // leaves.
    unsigned long Print(const std::string& docName, const std::string& text);

private:
    IPlatform& platform_;
    HDC printer_;
};
