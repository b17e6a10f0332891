#include "platform/dpi.h"

#include "platform/lazy_dll.h"

namespace {

// Where the system has them (Windows 10 and later).
LazyProc<UINT WINAPI(HWND)> gDpiForWindow("user32.dll", "GetDpiForWindow");
LazyProc<BOOL WINAPI(HWND, int, int)> gDialogDpiChangeBehavior("user32.dll",
                                                               "SetDialogDpiChangeBehavior");

int SystemDpi() {
    return ScreenPixelsPerInch().y;
}

}  // namespace

int WindowDpi(HWND window) {
    const UINT dpi = window != nullptr ? gDpiForWindow.CallOr(0u, window) : 0u;
    return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}

UniqueFont GuiFontAt(int dpi) {
    LOGFONTA lf{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = ScaledFrom(lf.lfHeight, SystemDpi(), dpi);
    lf.lfWidth = ScaledFrom(lf.lfWidth, SystemDpi(), dpi);
    return UniqueFont(CreateFontIndirectA(&lf));
}

int ScaledFrom(int pixels, int fromDpi, int toDpi) {
    return fromDpi > 0 ? MulDiv(pixels, toDpi, fromDpi) : pixels;
}

void KeepDialogScalingToItself(HWND dialog) {
    // DDC_DISABLE_ALL: no new size, no new font, no controls moved.
    constexpr int kDisableAll = 1;
    gDialogDpiChangeBehavior.CallOr(FALSE, dialog, kDisableAll, kDisableAll);
}
