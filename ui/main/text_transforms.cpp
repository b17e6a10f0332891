// Edit menu commands that rewrite the selection: case conversion and the time stamp.
#include "ui/main/frmMain.h"

void frmMain::mnuLCase_Click() {}

void frmMain::mnuUCase_Click() {}

void frmMain::mnuDateTime_Click() {}
