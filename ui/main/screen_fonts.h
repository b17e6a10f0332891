#pragma once
// The two screen fonts of the text box. "fixedsys" shows the document with its ANSI
// glyphs; "terminal" with the glyphs its bytes have in the OEM code page, as a console
// shows them. Where the system has no OEM face that does so (Wine draws every fixed face
// with the same Unicode font), the font that ships beside the program is registered
// for this process at the first switch: it draws each ANSI character with the glyph of
// the OEM character of the same byte, so the text itself never changes.
#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32_util.h"

// The character set of the form's font: Cyrillic, or on a double-byte code page that
// code page's own, without which "fixedsys" would have no Chinese, Japanese or Korean
// glyphs to show.
BYTE DocumentCharset();

class ScreenFonts {
public:
    ScreenFonts() = default;
    ~ScreenFonts();
    ScreenFonts(const ScreenFonts&) = delete;
    ScreenFonts& operator=(const ScreenFonts&) = delete;

    // The form's font with only its face changed. Owned here; valid while this lives.
    HFONT Ansi(HFONT formFont);
    HFONT Oem(HFONT formFont);

    // Whether the box shows the ASCII face.
    bool IsOem(HFONT font) const { return font != nullptr && font == oem_.get(); }
    // Hands the faces made so far to the caller, to outlive their place on the box; the
    // next Ansi or Oem makes them again from the form's font then.
    std::pair<UniqueFont, UniqueFont> Release() { return {std::move(ansi_), std::move(oem_)}; }

    // "Quillet Terminal 1252-437" for the running code pages.
    static std::string BundledOemFace();

private:
    bool RegisterBundledFont();

    UniqueFont ansi_;
    UniqueFont oem_;
    std::string registeredFile_;  // removed again when this goes
};
