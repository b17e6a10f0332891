#include "ui/main/screen_fonts.h"

#include "platform/code_page.h"

namespace {

UniqueFont WithFace(HFONT formFont, const char* face, BYTE charset) {
    LOGFONTA lf{};
    GetObjectA(formFont, sizeof lf, &lf);
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    lf.lfCharSet = charset;
    return UniqueFont(CreateFontIndirectA(&lf));
}

std::string CodePages() {
    return std::to_string(GetACP()) + "-" + std::to_string(GetOEMCP());
}

}  // namespace

BYTE DocumentCharset() {
    CHARSETINFO info{};
    if (AnsiCodePage().model == quillet::CharModel::DoubleByte &&
        TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info,
                             TCI_SRCCODEPAGE)) {
        return static_cast<BYTE>(info.ciCharset);
    }
    return RUSSIAN_CHARSET;
}

ScreenFonts::~ScreenFonts() {
    oem_.reset();  // no font of the face is left when it goes
    if (!registeredFile_.empty()) {
        RemoveFontResourceExA(registeredFile_.c_str(), FR_PRIVATE, nullptr);
    }
}

std::string ScreenFonts::BundledOemFace() {
    return "Quillet Terminal " + CodePages();
}

HFONT ScreenFonts::Ansi(HFONT formFont) {
    if (!ansi_) {
        LOGFONTA lf{};
        GetObjectA(formFont, sizeof lf, &lf);
        ansi_ = WithFace(formFont, "fixedsys", lf.lfCharSet);
    }
    return ansi_.get();
}

HFONT ScreenFonts::Oem(HFONT formFont) {
    if (!oem_) {
        // Any character set will do for the bundled face; the system's own OEM face
        // needs the OEM one to be picked.
        oem_ = RegisterBundledFont() ? WithFace(formFont, BundledOemFace().c_str(), DEFAULT_CHARSET)
                                     : WithFace(formFont, "terminal", OEM_CHARSET);
    }
    return oem_.get();
}

bool ScreenFonts::RegisterBundledFont() {
    if (!registeredFile_.empty()) {
        return true;
    }
    const std::string program = ModuleFileName();
    if (program.empty()) {
        return false;
    }
    const size_t separator = quillet::FindLastCharOf(program, "\\", AnsiCodePage());
    const std::string file =
        program.substr(0, separator + 1) + "QuilletTerminal-" + CodePages() + ".ttf";
    if (AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr) == 0) {
        return false;
    }
    registeredFile_ = file;
    return true;
}
