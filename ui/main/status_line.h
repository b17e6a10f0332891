#pragma once
// The main window's status line: the caret's line and column, the selection's length.
class frmMain;

namespace mdlCode {

// Rewrites the status labels of the main window from its text box's selection.
void UpdateStatus(frmMain& form);

}  // namespace mdlCode
