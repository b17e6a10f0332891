// The folder, colour and font pickers of the dialog object and its byte/text helpers.
#include <cstring>

#include "dialogs/CComDlgEx.h"
#include "dialogs/font_object.h"
#include "platform/code_page.h"
#include "platform/ole_lazy.h"
#include "platform/win32_util.h"

namespace {

// Handles keep only their low 32 bits of meaning; widen by sign extension.
template <typename Handle>
Handle WidenHandle(int32_t value) {
    return reinterpret_cast<Handle>(static_cast<intptr_t>(value));
}

// An item-ID list from the shell, released with the platform's task allocator.
class IDList {
public:
    IDList(IPlatform& platform, LPITEMIDLIST list) : platform_(platform), list_(list) {}
    ~IDList() { platform_.FreeIDList(list_); }
    IDList(const IDList&) = delete;
    IDList& operator=(const IDList&) = delete;
    LPITEMIDLIST get() const { return list_; }

private:
    IPlatform& platform_;
    LPITEMIDLIST list_;
};

constexpr size_t kFaceNameBytes = LF_FACESIZE;
constexpr WORD kBoldFontType = 0x100;

}  // namespace

bool CComDlgEx::ShowFolder() {
    IsDlgLoaded = true;
    const ole::ApartmentForCall apartment;
    BROWSEINFOA bi{};
    bi.hwndOwner = WidenHandle<HWND>(hwndOwner);
    // Without a root list the tree starts at the desktop. An empty path is not asked
    // about: the shell answers it with some folder of its own choosing.
    const IDList root(platform_,
                      TopFolder.empty() ? nullptr : platform_.IDListFromPath(TopFolder.c_str()));
    bi.pidlRoot = root.get();
    bi.lpszTitle = FolderDialogPrompt.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    const IDList chosen(platform_, platform_.BrowseForFolder(&bi));
    std::string buffer(MAX_PATH, '\0');
    const bool ok =
        chosen.get() != nullptr && platform_.PathFromIDList(chosen.get(), buffer.data()) != FALSE;
    SelFolder = ok ? fnTrimNull(buffer) : std::string();
    IsDlgLoaded = false;
    return ok;
}

bool CComDlgEx::ShowChooseColor() {
    IsDlgLoaded = true;
    const bool result = VBChooseColor(SelColor, &Flags, &hwndOwner);
    IsDlgLoaded = false;
    return result;
}

bool CComDlgEx::VBChooseColor(int32_t& vColor, int32_t* vFlags, int32_t* vOwner) {
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    if (vOwner != nullptr) {
        cc.hwndOwner = WidenHandle<HWND>(*vOwner);
    }
    cc.rgbResult = static_cast<COLORREF>(vColor);
    cc.Flags = static_cast<DWORD>(quillet::MaskColorFlags(vFlags != nullptr ? *vFlags : 0));
    if (!CustColorsInit) {
        InitCustColors();
    }
    cc.lpCustColors = CustColors;
    if (platform_.ChooseColorDialog(&cc)) {
        vColor = static_cast<int32_t>(cc.rgbResult);
        if (vFlags != nullptr) {
            *vFlags = static_cast<int32_t>(cc.Flags);
        }
        return true;
    }
    vColor = -1;
    if (vFlags != nullptr) {
        *vFlags = 0;
    }
    return false;
}

void CComDlgEx::InitCustColors() {
    for (COLORREF& colour : CustColors) {
        colour = 0xFFFFFF;
    }
    CustColorsInit = true;
}

bool CComDlgEx::ShowChooseFont() {
    IsDlgLoaded = true;
    FontDialogArgs args;
    args.vFlags = &Flags;
    args.vOwner = &hwndOwner;
    args.vColor = &SelFontColor;
    // Held for the call: a caller may replace SelFont while the dialog is up.
    const ComPtr<IFontDisp> font = SelFont;
    const bool result = VBChooseFont(font.get(), args);
    IsDlgLoaded = false;
    return result;
}

bool CComDlgEx::VBChooseFont(IFontDisp* vFont, const FontDialogArgs& args) {
    const quillet::FontArgsGiven given{args.vPrinterDC != nullptr, args.vColor != nullptr,
                                       args.vMinSize != nullptr, args.vMaxSize != nullptr};
    int32_t flags = args.vFlags != nullptr ? *args.vFlags : 0;
    UniqueDC defaultPrinter;
    if (quillet::NeedsDefaultPrinter(flags, given)) {
        defaultPrinter = platform_.OpenDefaultPrinter().dc;
        if (defaultPrinter == nullptr) {
            throw RunTimeError(482, "Printer error");
        }
    }
    flags = quillet::NormaliseFontFlags(flags, given);
    if (args.vFlags != nullptr) {
        *args.vFlags = flags;
    }
    if (vFont == nullptr) {
        throw RunTimeError(91, "Object variable or With block variable not set");
    }

    const ComPtr<IFontDisp> held = ComPtr<IFontDisp>::Share(vFont);
    const FontProperties font = ReadFontProperties(vFont);
    LOGFONTA lf = LogFontOf(font);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = WidenHandle<HWND>(args.vOwner != nullptr ? *args.vOwner : 0);
    cf.hDC = defaultPrinter ? defaultPrinter.get()
                            : WidenHandle<HDC>(args.vPrinterDC != nullptr ? *args.vPrinterDC : 0);
    cf.lpLogFont = &lf;
    cf.iPointSize = quillet::PointSizeTenths(font.Size);
    cf.Flags = static_cast<DWORD>(flags);
    cf.rgbColors = static_cast<COLORREF>(args.vColor != nullptr ? *args.vColor : 0);
    cf.nSizeMin = args.vMinSize != nullptr ? *args.vMinSize : 0;
    cf.nSizeMax = args.vMaxSize != nullptr ? *args.vMaxSize : 0;
    if (!platform_.ChooseFontDialog(&cf)) {
        return false;
    }

    if (args.vFlags != nullptr) {
        *args.vFlags = static_cast<int32_t>(cf.Flags);
    }
    if (args.vColor != nullptr) {
        *args.vColor = static_cast<int32_t>(cf.rgbColors);
    }
    if (args.confirmed) {
        args.confirmed();
    }
    const FontProperties chosen = FontPropertiesOf(lf, cf);
    WriteFontProperties(vFont, chosen);
    return true;
}

LOGFONTA CComDlgEx::LogFontOf(const FontProperties& font) const {
    LOGFONTA lf{};
    lf.lfHeight = quillet::FontHeightPixels(font.Size, platform_.TwipsPerPixelY());
    lf.lfWeight = font.Weight;
    lf.lfItalic = font.Italic ? 255 : 0;
    lf.lfUnderline = font.Underline ? 255 : 0;
    lf.lfStrikeOut = font.Strikethrough ? 255 : 0;
    quillet::ByteArray face{0, std::vector<uint8_t>(kFaceNameBytes, 0)};
    std::string name = font.Name;
    StrToBytes(face, name);
    // A name that fills the field would leave the dialog reading past it: keep the NUL.
    face.bytes.back() = 0;
    std::memcpy(lf.lfFaceName, face.bytes.data(), kFaceNameBytes);
    return lf;
}

FontProperties CComDlgEx::FontPropertiesOf(const LOGFONTA& lf, const CHOOSEFONTA& cf) const {
    FontProperties chosen;
    chosen.Bold = (cf.nFontType & kBoldFontType) != 0;
    chosen.Italic = lf.lfItalic != 0;
    chosen.Strikethrough = lf.lfStrikeOut != 0;
    chosen.Underline = lf.lfUnderline != 0;
    chosen.Weight = static_cast<int16_t>(lf.lfWeight);
    chosen.Size = cf.iPointSize / 10.0;
    quillet::ByteArray face{0, std::vector<uint8_t>(kFaceNameBytes, 0)};
    std::memcpy(face.bytes.data(), lf.lfFaceName, kFaceNameBytes);
    chosen.Name = BytesToStr(face);
    return chosen;
}

void CComDlgEx::StrToBytes(quillet::ByteArray& ab, std::string& s) const {
    quillet::StrToBytes(ab, s, AnsiCodePage());
}

std::string CComDlgEx::BytesToStr(const quillet::ByteArray& ab) const {
    return quillet::BytesToStr(ab);
}

bool CComDlgEx::IsArrayEmpty(const quillet::ByteArray& ab) const {
    return quillet::IsArrayEmpty(ab);
}
