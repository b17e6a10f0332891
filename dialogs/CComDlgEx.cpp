#include "dialogs/CComDlgEx.h"

#include <exception>

#include "core/dialogs/comdlg_text.h"
#include "platform/code_page.h"
#include "platform/file_search.h"
#include "platform/win32_util.h"

namespace {

std::string ExecutableFolder() {
    return quillet::FolderOfPath(ModuleFileName(), AnsiCodePage());
}

// The creation texts are written once, in Russian; the fields hold them in the
// ANSI code page the dialogs show them in.
std::string AnsiText(const std::wstring& text) {
    return AnsiFromWide(text.data(), text.size());
}

// An empty or left-out text passes no string, so the dialog uses its own default.
const wchar_t* TextOrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// A name buffer of the dialog: the value, then NULs up to the buffer's size.
std::wstring WideBuffer(const std::string& value) {
    std::wstring buffer = WideFromAnsi(value);
    buffer.resize(quillet::kDialogBufferChars, L'\0');
    return buffer;
}

std::wstring TrimAtNul(const std::wstring& buffer) {
    return buffer.substr(0, buffer.find(L'\0'));
}

// Window handles keep only their low 32 bits of meaning; widen by sign extension.
HWND OwnerWindow(int32_t handle) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

// A missing floppy or CD must answer "no file", not stop the user with a system box.
class QuietDriveErrors {
public:
    QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD previous_ = 0;
};

}  // namespace

CComDlgEx::CComDlgEx(IPlatform& platform) : platform_(platform) {
    DialogCaption = AnsiText(L"Открыть файл");
    Filter = AnsiText(L"Все файлы (*.*)|*.*|") + AnsiText(L"Текстовые файлы (*.txt)|*.txt|");
    Flags = 4100;
    InitDir = ExecutableFolder();
}

bool CComDlgEx::ShowOpFileDlg() {
    IsDlgLoaded = true;
    PrepareFileName();
    const bool confirmed = VBGetOpenFileName(FileName, FieldArgs()) && !FileName.empty();
    IsDlgLoaded = false;
    return confirmed;
}

bool CComDlgEx::ShowFileSaveAsDlg() {
    IsDlgLoaded = true;
    const bool confirmed = VBGetSaveFileName(FileName, FieldArgs()) && !FileName.empty();
    IsDlgLoaded = false;
    return confirmed;
}

std::string CComDlgEx::fnGetFileTitle(const std::string& sFullPath) const {
    if (sFullPath.empty()) {
        return "";
    }
    try {
        std::string buffer(quillet::kDialogBufferChars, '\0');
        if (platform_.FileTitle(sFullPath.c_str(), buffer.data(),
                                static_cast<WORD>(buffer.size())) == 0) {
            return fnTrimNull(buffer);
        }
    } catch (const std::exception&) {
    }
    return "";
}

std::string CComDlgEx::fnGetFileName(const std::string& sFullPath) const {
    try {
        if (fnGetFileTitle(sFullPath).empty()) {
            return "";
        }
        // The last component is taken from the path itself: the platform's title may
        // leave out the extension, which would cut the folder short.
        return quillet::FolderOfPath(sFullPath, AnsiCodePage());
    } catch (const std::exception&) {
        return "";
    }
}

bool CComDlgEx::fnExistFile(const std::string& sFullPath) const {
    QuietDriveErrors quiet;
    try {
        return FirstOrdinaryFile(sFullPath).has_value();
    } catch (const std::exception&) {
        return false;  // a name the search refuses, a drive that isn't ready
    }
}

bool CComDlgEx::VBGetSaveFileName(std::string& vFileName, const FileDialogArgs& args) {
    return RunFileDialog(true, vFileName, args);
}

bool CComDlgEx::VBGetOpenFileName(std::string& vFileName, const FileDialogArgs& args) {
    return RunFileDialog(false, vFileName, args);
}

bool CComDlgEx::RunFileDialog(bool save, std::string& vFileName, const FileDialogArgs& args) {
    std::string unboundTitle;
    std::string& vFileTitle = args.vFileTitle != nullptr ? *args.vFileTitle : unboundTitle;
    const int32_t flagsIn = args.vFlags != nullptr ? *args.vFlags : 0;
    nameNotInCodePage_ = false;

    // Everything that can be refused is checked before the record exists.
    const std::string filter =
        quillet::PlatformFilter(args.vFilter.value_or(quillet::kDefaultFilter), AnsiCodePage());
    quillet::DialogBuffer(vFileName, "FileName");
    quillet::DialogBuffer(vFileTitle, "FileTitle");

    // The dialog runs in UTF-16, so that the name the user chose comes back as it is:
    // the code page's own best-fit spelling of it may be another file's name.
    const std::wstring filterW = WideFromAnsi(filter);
    std::wstring file = WideBuffer(vFileName);
    std::wstring title = WideBuffer(vFileTitle);
    const std::wstring initDir = WideFromAnsi(args.vInitDir.value_or(""));
    const std::wstring caption = WideFromAnsi(args.vTitle.value_or(""));
    const std::wstring defExt = WideFromAnsi(args.vDefExt.value_or(""));

    // The record without the members newer systems append, sized for this build's
    // pointers: older and newer dialogs alike accept it.
    OPENFILENAMEW ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    if (args.vOwner) {
        ofn.hwndOwner = OwnerWindow(*args.vOwner);
    }
    ofn.lpstrFilter = filterW.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(args.vFilterIndex.value_or(quillet::kDefaultFilterIndex));
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = TextOrNull(initDir);
    ofn.lpstrTitle = TextOrNull(caption);
    ofn.lpstrDefExt = TextOrNull(defExt);
    ofn.Flags = static_cast<DWORD>(quillet::MaskDialogFlags(flagsIn));

    const BOOL chosen = save ? platform_.SaveFileDialog(&ofn) : platform_.OpenFileDialog(&ofn);
    if (chosen) {
        const std::wstring chosenName = TrimAtNul(file);
        const std::optional<std::string> name = ExactAnsiFromWide(chosenName);
        const std::optional<std::string> nameTitle = ExactAnsiFromWide(TrimAtNul(title));
        if (name && nameTitle) {
            vFileName = *name;
            vFileTitle = *nameTitle;
            if (args.vFlags != nullptr) {
                *args.vFlags = static_cast<int32_t>(ofn.Flags);
            }
            return true;
        }
        // Refused as if cancelled; a dialog shown again starts in the same folder.
        nameNotInCodePage_ = true;
        const size_t separator = chosenName.find_last_of(L"\\/");
        if (separator != std::wstring::npos) {
            if (const auto folder = ExactAnsiFromWide(chosenName.substr(0, separator))) {
                InitDir = quillet::StartFolder(*folder);
            }
        }
    }
    // Cancel and a failing dialog look the same to the caller: nothing chosen.
    vFileName.clear();
    vFileTitle.clear();
    if (args.vFlags != nullptr) {
        *args.vFlags = 0;
    }
    return false;
}

FileDialogArgs CComDlgEx::FieldArgs() {
    FileDialogArgs args;
    args.vFileTitle = &FileTitle;
    args.vFlags = &Flags;
    args.vOwner = hwndOwner;
    args.vFilter = Filter;
    args.vFilterIndex = FilterIndex;
    args.vInitDir = InitDir;
    args.vTitle = DialogCaption;
    args.vDefExt = DefExt;
    return args;
}

std::string CComDlgEx::fnTrimNull(const std::string& s) {
    return quillet::TrimAtNul(s);
}

bool CComDlgEx::PrepareFileName() {
    if (fnExistFile(FileName)) {
        // The folder comes from the path itself: a name the platform won't title (brackets,
        // say) still names the folder the user was in. A bare name has none to give.
        const std::string folder = quillet::FolderOfPath(FileName, AnsiCodePage());
        if (!folder.empty()) {
            InitDir = quillet::StartFolder(folder);
        }
        FileName = fnGetFileTitle(FileName);
        return true;
    }
    FileName.clear();
    return false;
}
