// File, Print: the whole document on the default printer.
#include "ui/main/frmMain.h"

void frmMain::mnuPrint_Click() {}
