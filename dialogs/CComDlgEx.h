#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/dialogs/picker_rules.h"
#include "platform/com_ptr.h"
#include "platform/platform.h"

#include <ole2.h>
#include <ocidl.h>

// The optional arguments of the explicit file-dialog routines; a member left empty is
// left out. vFileTitle and vFlags, when bound to a caller's variable, feed the dialog
// and are overwritten with its result; the others only feed it.
struct FileDialogArgs {
    std::string* vFileTitle = nullptr;
    int32_t* vFlags = nullptr;
    std::optional<int32_t> vOwner;
    std::optional<std::string> vFilter;
    std::optional<int32_t> vFilterIndex;
    std::optional<std::string> vInitDir;
    std::optional<std::string> vTitle;
    std::optional<std::string> vDefExt;
};

// The optional arguments of VBChooseFont; a null member is left out. A bound one feeds
// the dialog, and vFlags and vColor receive its results (vFlags its normalised value
// even when the dialog is cancelled).
struct FontDialogArgs {
    int32_t* vFlags = nullptr;
    int32_t* vPrinterDC = nullptr;
    int32_t* vOwner = nullptr;
    int32_t* vColor = nullptr;
    int32_t* vMinSize = nullptr;
    int32_t* vMaxSize = nullptr;
    // Run once a confirmed dialog's results are in vFlags and vColor, before the font is
    // changed: a caller that can't take them throws, and the font stays as it was.
    std::function<void()> confirmed;
};

struct FontProperties;

// The reusable common-dialog object: callers write its public fields, call a Show...
// method and read the results back from the same fields, which keep their values from
// one use to the next.

class CComDlgEx {
public:
    explicit CComDlgEx(IPlatform& platform);

    bool IsDlgLoaded = false;
    std::string DialogCaption;
    std::string FileTitle;
    std::string Filter;
    int32_t FilterIndex = 0;
    std::string InitDir;
    int32_t Flags = 0;
    int32_t hwndOwner = 0;
    std::string FileName;
    std::string DefExt;
    std::string TopFolder;
    std::string SelFolder;
    std::string FolderDialogPrompt;
    int32_t SelFontColor = 0;
    int32_t SelColor = 0;
    // The caller's font object, shared: the font dialog changes it in place.
    ComPtr<IFontDisp> SelFont;

    // The open dialog on the fields, started in the folder of the file chosen last with
    // its name in the name box. True when the user confirmed a name. A FileName or
    // FileTitle of 260 characters or more throws std::invalid_argument, a Filter longer
    // than 32,767 characters std::overflow_error, before any dialog opens.
    bool ShowOpFileDlg();

    // The save dialog on the fields, started from FileName as it stands.
    bool ShowFileSaveAsDlg();

    // Returns the name: the path's last component as the platform presents it; empty text when
    // the path is empty or the platform refuses it. Never fails.
    std::string fnGetFileTitle(const std::string& sFullPath) const;

    // Returns the folder, not the name: the path without its last component and the
    // separator before it; empty text for a bare name or a path the platform refuses.
    // Never fails.
    std::string fnGetFileName(const std::string& sFullPath) const;

    // True exactly when an ordinary file (not hidden, not system, not a folder) matches
    // the path; "*" and "?" act as wildcards. Never fails.
    bool fnExistFile(const std::string& sFullPath) const;

    // The save dialog with explicit arguments: on confirm vFileName, a bound vFileTitle
    // and vFlags receive the chosen path, its name and the dialog's flags; on Cancel
    // they are emptied and zeroed. Refuses over-long values as ShowOpFileDlg does.
    bool VBGetSaveFileName(std::string& vFileName, const FileDialogArgs& args = {});

    // True when the user confirmed, in the last file dialog, a name that the ANSI code
    // page can't hold exactly: the dialog answered as for Cancel, with InitDir set to
    // the folder the name was in, so that a dialog shown again starts there.
    bool NameNotInCodePage() const { return nameNotInCodePage_; }

    // The folder picker rooted at TopFolder: true and SelFolder set when the user chose a
    // file-system folder, else false and SelFolder empty.
    bool ShowFolder();

    // The colour dialog on SelColor, Flags and hwndOwner.
    bool ShowChooseColor();

    // The font dialog on SelFont, Flags, hwndOwner and SelFontColor. Without a font
    // object it throws a RunTimeError (91) before any dialog, Flags already normalised.
    bool ShowChooseFont();

    // The colour dialog with explicit arguments. Confirmed: vColor and a bound vFlags
    // receive the colour and the dialog's flags; otherwise vColor is -1 and vFlags 0.
    bool VBChooseColor(int32_t& vColor, int32_t* vFlags = nullptr, int32_t* vOwner = nullptr);

    // The font dialog on vFont with explicit arguments; vFont is changed only when the
    // user confirms. Throws RunTimeError 91 for no font object and 482 when printer fonts
    // are asked for and there is no printer, in both cases before any dialog.
    bool VBChooseFont(IFontDisp* vFont, const FontDialogArgs& args = {});

    // The byte/text helpers of the font dialog's face name.
    void StrToBytes(quillet::ByteArray& ab, std::string& s) const;
    std::string BytesToStr(const quillet::ByteArray& ab) const;
    bool IsArrayEmpty(const quillet::ByteArray& ab) const;

private:
    bool VBGetOpenFileName(std::string& vFileName, const FileDialogArgs& args = {});
    bool RunFileDialog(bool save, std::string& vFileName, const FileDialogArgs& args);
    FileDialogArgs FieldArgs();
    // Returns the text up to its first NUL (a dialog's buffer as a string).
    static std::string fnTrimNull(const std::string& s);
    bool PrepareFileName();
    void InitCustColors();
    // The font dialog's LOGFONT from a font's properties, and the chosen font back.
    LOGFONTA LogFontOf(const FontProperties& font) const;
    FontProperties FontPropertiesOf(const LOGFONTA& lf, const CHOOSEFONTA& cf) const;

    IPlatform& platform_;
    COLORREF CustColors[16] = {};
    bool CustColorsInit = false;
    bool nameNotInCodePage_ = false;
};
