// File, Print: the whole document on the default printer.
#include "app/mdlCode.h"
#include "platform/error_box.h"
#include "platform/win32_util.h"
#include "ui/main/frmMain.h"
#include "ui/main/print_job.h"

void frmMain::mnuPrint_Click() {
    PrinterDC printer = platform_.OpenDefaultPrinter();
    unsigned long error = printer.error;
    std::string description = printer.description;
    if (printer.dc) {
        error =
            PrintJob(platform_, printer.dc.get()).Print(mdlCode::DocumentState.DocTitle, Text());
        description = error != 0 ? ErrorDescription(error) : "";
    }
    // A printer that asks for a file name was answered with Cancel: nothing failed.
    if (error != 0 && error != ERROR_CANCELLED) {
        ShowErrorBox(platform_, hwnd_, error, description);
    }
}
