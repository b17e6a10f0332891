#pragma once
// The resolution each window is shown at. Under per-monitor awareness every screen has
// its own, and a window learns of a move to another from WM_DPICHANGED; nothing keeps
// one resolution for the whole process.
#include <windows.h>

#include "platform/win32_util.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The window's pixels per inch: GetDpiForWindow where the system has it, else the
// screen's device caps (what a window is drawn at on systems without per-monitor DPI).
int WindowDpi(HWND window);

// The dialog font (the face and points of DEFAULT_GUI_FONT) at the given resolution.
UniqueFont GuiFontAt(int dpi);

// A size in pixels given at one resolution, at another (a system metric, which the
// system gives at its own resolution).
int ScaledFrom(int pixels, int fromDpi, int toDpi);

// Stops the system's own rescaling of a dialog when its screen changes, where the
// system has it: the dialog lays itself out again on WM_DPICHANGED instead.
void KeepDialogScalingToItself(HWND dialog);
