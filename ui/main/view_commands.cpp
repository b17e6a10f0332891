// The View menu, the character map and About.
#include "ui/main/frmMain.h"

void frmMain::mnuAscii_Click() {}

void frmMain::mnuAnsi_Click() {}

void frmMain::mnuOnTop_Click() {}

void frmMain::mnuWrap_Click() {}

void frmMain::mnuCharMap_Click() {}

void frmMain::mnuAbout_Click() {}
