#include "dialogs/comdlg_automation.h"

#include <initializer_list>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "dialogs/CComDlgEx.h"
#include "dialogs/CComDlgEx_h.h"  // generated from CComDlgEx.idl
#include "dialogs/automation_args.h"
#include "dialogs/font_object.h"
#include "platform/com_ptr.h"
#include "platform/ole_lazy.h"
#include "platform/win32_util.h"

using namespace automation;

namespace {

VARIANT_BOOL Truth(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// A raised run-time error crosses as its number in the control facility.
HRESULT RunTimeFailure(unsigned long number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

void ClearExcepInfo(EXCEPINFO& info) {
    ole::UniqueBstr source(info.bstrSource);
    ole::UniqueBstr description(info.bstrDescription);
    ole::UniqueBstr help(info.bstrHelpFile);
    info = EXCEPINFO{};
}

// A text field as the caller wrote it. The dialog object's own field holds its ANSI form,
// which is what the dialogs get; the caller's text reads back for as long as the field
// still holds that form, so text outside the code page survives a round trip.
class KeptText {
public:
    void Write(BSTR value, std::string& field) {
        std::wstring wide = ole::WideFromBstr(value);
        std::string ansi = ole::AnsiFromBstr(value);
        std::string copy = ansi;
        field.swap(copy);
        ansi_.swap(ansi);
        wide_.swap(wide);
    }
    HRESULT Read(const std::string& field, BSTR* out) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = (field == ansi_ ? ole::BstrFromWide(wide_) : ole::BstrFromAnsi(field)).release();
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    // The field was given a result of its own, whatever its text.
    void Forget() {
        wide_.clear();
        ansi_.clear();
    }

private:
    std::wstring wide_;
    std::string ansi_;
};

HRESULT OutText(const std::string& text, BSTR* out) {
    *out = ole::BstrFromAnsi(text).release();
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

#define QUILLET_TEXT_FIELD(Name)                                 \
    HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) override { \
        return kept_.Name.Read(dlg_.Name, value);                \
    }                                                            \
    HRESULT STDMETHODCALLTYPE put_##Name(BSTR value) override {  \
        return Guard([&] {                                       \
            kept_.Name.Write(value, dlg_.Name);                  \
            return S_OK;                                         \
        });                                                      \
    }

#define QUILLET_INT_FIELD(Name)                                  \
    HRESULT STDMETHODCALLTYPE get_##Name(LONG* value) override { \
        if (value == nullptr) {                                  \
            return E_POINTER;                                    \
        }                                                        \
        *value = dlg_.Name;                                      \
        return S_OK;                                             \
    }                                                            \
    HRESULT STDMETHODCALLTYPE put_##Name(LONG value) override {  \
        dlg_.Name = value;                                       \
        return S_OK;                                             \
    }

class ComDlgExObject : public ICComDlgEx {
public:
    ComDlgExObject(IPlatform& platform, ComPtr<ITypeInfo> typeInfo)
        : dlg_(platform), typeInfo_(std::move(typeInfo)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(ICComDlgEx)) {
            *out = static_cast<ICComDlgEx*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            std::unique_ptr<ComDlgExObject> last(this);
        }
        return left;
    }

    // IDispatch, through the type information
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (info == nullptr) {
            return E_POINTER;
        }
        *info = nullptr;
        if (index != 0) {
            return DISP_E_BADINDEX;
        }
        *info = ComPtr<ITypeInfo>(typeInfo_).detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        return typeInfo_->GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        const ComPtr<ICComDlgEx> keep = Keep();
        raised_.reset();
        const ByValueArguments arguments(typeInfo_.get(), id, flags, params);
        if (FAILED(arguments.failure())) {
            return arguments.failure();
        }
        EXCEPINFO inner{};
        const HRESULT hr = typeInfo_->Invoke(static_cast<ICComDlgEx*>(this), id, flags,
                                             arguments.params(), result, &inner, argError);
        if (!FAILED(hr) || !raised_) {
            if (exception != nullptr) {
                *exception = inner;
            } else {
                ClearExcepInfo(inner);
            }
            return hr;
        }
        // A member raised an error: the caller gets it as an exception it can report.
        ClearExcepInfo(inner);
        if (exception != nullptr) {
            *exception = EXCEPINFO{};
            exception->scode = raised_->scode;
            exception->bstrDescription = ole::BstrFromAnsi(raised_->description).release();
        }
        raised_.reset();
        return DISP_E_EXCEPTION;
    }

    // The fields, in their declared order
    HRESULT STDMETHODCALLTYPE get_IsDlgLoaded(VARIANT_BOOL* value) override {
        if (value == nullptr) {
            return E_POINTER;
        }
        *value = Truth(dlg_.IsDlgLoaded);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_IsDlgLoaded(VARIANT_BOOL value) override {
        dlg_.IsDlgLoaded = value != VARIANT_FALSE;
        return S_OK;
    }
    QUILLET_TEXT_FIELD(DialogCaption)
    QUILLET_TEXT_FIELD(FileTitle)
    QUILLET_TEXT_FIELD(Filter)
    QUILLET_INT_FIELD(FilterIndex)
    QUILLET_TEXT_FIELD(InitDir)
    QUILLET_INT_FIELD(Flags)
    QUILLET_INT_FIELD(hwndOwner)
    QUILLET_TEXT_FIELD(FileName)
    QUILLET_TEXT_FIELD(DefExt)
    QUILLET_TEXT_FIELD(TopFolder)
    QUILLET_TEXT_FIELD(SelFolder)
    QUILLET_TEXT_FIELD(FolderDialogPrompt)
    QUILLET_INT_FIELD(SelFontColor)
    QUILLET_INT_FIELD(SelColor)
    HRESULT STDMETHODCALLTYPE get_SelFont(IFontDisp** value) override {
        if (value == nullptr) {
            return E_POINTER;
        }
        *value = ComPtr<IFontDisp>(dlg_.SelFont).detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_SelFont(IFontDisp* value) override {
        dlg_.SelFont = ComPtr<IFontDisp>::Share(value);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE putref_SelFont(IFontDisp* value) override {
        dlg_.SelFont = ComPtr<IFontDisp>::Share(value);
        return S_OK;
    }

    // The public methods
    HRESULT STDMETHODCALLTYPE ShowOpFileDlg(VARIANT_BOOL* result) override {
        return Show(&CComDlgEx::ShowOpFileDlg, result, {&kept_.FileName, &kept_.FileTitle});
    }
    HRESULT STDMETHODCALLTYPE ShowFileSaveAsDlg(VARIANT_BOOL* result) override {
        return Show(&CComDlgEx::ShowFileSaveAsDlg, result, {&kept_.FileName, &kept_.FileTitle});
    }
    HRESULT STDMETHODCALLTYPE ShowFolder(VARIANT_BOOL* result) override {
        return Show(&CComDlgEx::ShowFolder, result, {&kept_.SelFolder});
    }
    HRESULT STDMETHODCALLTYPE ShowChooseColor(VARIANT_BOOL* result) override {
        return Show(&CComDlgEx::ShowChooseColor, result, {});
    }
    HRESULT STDMETHODCALLTYPE ShowChooseFont(VARIANT_BOOL* result) override {
        return Show(&CComDlgEx::ShowChooseFont, result, {});
    }
    HRESULT STDMETHODCALLTYPE fnGetFileTitle(BSTR sFullPath, BSTR* result) override {
        if (result == nullptr) {
            return E_POINTER;
        }
        return Guard(
            [&] { return OutText(dlg_.fnGetFileTitle(ole::AnsiFromBstr(sFullPath)), result); });
    }
    HRESULT STDMETHODCALLTYPE fnGetFileName(BSTR sFullPath, BSTR* result) override {
        if (result == nullptr) {
            return E_POINTER;
        }
        return Guard(
            [&] { return OutText(dlg_.fnGetFileName(ole::AnsiFromBstr(sFullPath)), result); });
    }
    HRESULT STDMETHODCALLTYPE fnExistFile(BSTR sFullPath, VARIANT_BOOL* result) override {
        if (result == nullptr) {
            return E_POINTER;
        }
        return Guard([&] {
            *result = Truth(dlg_.fnExistFile(ole::AnsiFromBstr(sFullPath)));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE VBGetSaveFileName(BSTR* vFileName, VARIANT* vFileTitle,
                                                VARIANT* vFlags, VARIANT* vOwner, VARIANT* vFilter,
                                                VARIANT* vFilterIndex, VARIANT* vInitDir,
                                                VARIANT* vTitle, VARIANT* vDefExt,
                                                VARIANT_BOOL* result) override {
        if (vFileName == nullptr || result == nullptr) {
            return E_POINTER;
        }
        return Guard([&] {
            std::string fileName = ole::AnsiFromBstr(*vFileName);
            std::optional<std::string> fileTitle = OptionalText(vFileTitle);
            IntArg flags(vFlags);
            FileDialogArgs args;
            args.vFileTitle = fileTitle ? &*fileTitle : nullptr;
            args.vFlags = flags.get();
            args.vOwner = OptionalInt(vOwner);
            args.vFilter = OptionalText(vFilter);
            args.vFilterIndex = OptionalInt(vFilterIndex);
            args.vInitDir = OptionalText(vInitDir);
            args.vTitle = OptionalText(vTitle);
            args.vDefExt = OptionalText(vDefExt);
            const bool chosen = dlg_.VBGetSaveFileName(fileName, args);
            Results results;
            results.Bstr(vFileName, fileName);
            if (fileTitle) {
                results.Text(vFileTitle, *fileTitle);
            }
            flags.Result(results);
            results.Commit();
            *result = Truth(chosen);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE VBChooseColor(VARIANT* vColor, VARIANT* vFlags, VARIANT* vOwner,
                                            VARIANT_BOOL* result) override {
        if (vColor == nullptr || result == nullptr) {
            return E_POINTER;
        }
        return Guard([&] {
            int32_t color = ReadInt(vColor);
            IntArg flags(vFlags);
            IntArg owner(vOwner);
            const bool chosen = dlg_.VBChooseColor(color, flags.get(), owner.get());
            Results results;
            results.Int(vColor, color);
            flags.Result(results);
            results.Commit();
            *result = Truth(chosen);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE VBChooseFont(IFontDisp* vFont, VARIANT* vFlags, VARIANT* vPrinterDC,
                                           VARIANT* vOwner, VARIANT* vColor, VARIANT* vMinSize,
                                           VARIANT* vMaxSize, VARIANT_BOOL* result) override {
        if (result == nullptr) {
            return E_POINTER;
        }
        return Guard([&] {
            IntArg flags(vFlags);
            IntArg printerDC(vPrinterDC);
            IntArg owner(vOwner);
            IntArg color(vColor);
            IntArg minSize(vMinSize);
            IntArg maxSize(vMaxSize);
            const int32_t flagsIn = flags.get() != nullptr ? *flags.get() : 0;
            Results results;
            bool confirmed = false;
            FontDialogArgs args;
            args.vFlags = flags.get();
            args.vPrinterDC = printerDC.get();
            args.vOwner = owner.get();
            args.vColor = color.get();
            args.vMinSize = minSize.get();
            args.vMaxSize = maxSize.get();
            args.confirmed = [&] {
                confirmed = true;
                flags.Result(results);
                color.Result(results);
            };
            bool chosen = false;
            try {
                chosen = dlg_.VBChooseFont(vFont, args);
            } catch (...) {
                // Refused before the dialog: the normalised flags are the caller's all the
                // same, where its variable takes them.
                if (!confirmed && flags.get() != nullptr && *flags.get() != flagsIn) {
                    try {
                        Results normalised;
                        flags.Result(normalised);
                        normalised.Commit();
                    } catch (const RunTimeError&) {
                    }
                }
                throw;
            }
            if (!chosen) {
                flags.Result(results);  // Cancel: the normalised flags, the colour untouched
            }
            results.Commit();
            *result = Truth(chosen);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE StrToBytes(SAFEARRAY** ab, BSTR* s) override {
        if (ab == nullptr || s == nullptr) {
            return E_POINTER;
        }
        return Guard([&] {
            quillet::ByteArray bytes = ReadBytes(*ab);
            const bool hadElements = !dlg_.IsArrayEmpty(bytes);
            std::string text = ole::AnsiFromBstr(*s);
            const size_t before = text.size();
            dlg_.StrToBytes(bytes, text);
            // Only the padding goes back: the caller's text stays as it was written.
            ole::UniqueBstr padded;
            if (hadElements && text.size() > before) {
                std::wstring wide = ole::WideFromBstr(*s);
                wide.append(text.size() - before, L'\0');
                padded = ole::BstrFromWide(wide);
                if (padded == nullptr) {
                    throw std::bad_alloc();
                }
            }
            WriteBytes(ab, hadElements, bytes);
            if (padded != nullptr) {
                ole::UniqueBstr old(*s);
                *s = padded.release();
            }
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE BytesToStr(SAFEARRAY** ab, BSTR* result) override {
        if (ab == nullptr || result == nullptr) {
            return E_POINTER;
        }
        return Guard([&] { return OutText(dlg_.BytesToStr(ReadBytes(*ab)), result); });
    }
    HRESULT STDMETHODCALLTYPE IsArrayEmpty(SAFEARRAY** ab, VARIANT_BOOL* result) override {
        if (ab == nullptr || result == nullptr) {
            return E_POINTER;
        }
        return Guard([&] {
            *result = Truth(dlg_.IsArrayEmpty(ReadBytes(*ab)));
            return S_OK;
        });
    }

private:
    struct Raised {
        HRESULT scode;
        std::string description;
    };

    // A caller may let go of the object from inside a dialog's modal loop; the call
    // under way keeps it alive until it has returned.
    ComPtr<ICComDlgEx> Keep() { return ComPtr<ICComDlgEx>::Share(this); }

    HRESULT Raise(HRESULT scode, const char* description) noexcept {
        try {
            raised_ = Raised{scode, description};
        } catch (...) {
            raised_.reset();
        }
        return scode;
    }

    // Runs one member; nothing may be thrown back through the interface. A failure is
    // kept for Invoke to hand over as an exception.
    template <typename Body>
    HRESULT Guard(Body body) {
        const ComPtr<ICComDlgEx> keep = Keep();
        raised_.reset();
        try {
            return body();
        } catch (const FontObjectError& e) {
            return Raise(e.result(), e.description().c_str());  // the font's own answer
        } catch (const RunTimeError& e) {
            return Raise(RunTimeFailure(e.number()), e.description().c_str());
        } catch (const std::invalid_argument& e) {
            return Raise(RunTimeFailure(5), e.what());
        } catch (const std::overflow_error& e) {
            return Raise(RunTimeFailure(6), e.what());
        } catch (const std::bad_alloc&) {
            return Raise(E_OUTOFMEMORY, "Out of memory");
        } catch (const std::exception& e) {
            return Raise(E_FAIL, e.what());
        } catch (...) {
            return Raise(E_FAIL, "Unexpected failure");
        }
    }

    // Fields a dialog gives a result of its own are forgotten as written.
    HRESULT Show(bool (CComDlgEx::*show)(), VARIANT_BOOL* result,
                 std::initializer_list<KeptText*> results) {
        if (result == nullptr) {
            return E_POINTER;
        }
        return Guard([&] {
            *result = Truth((dlg_.*show)());
            for (KeptText* field : results) {
                field->Forget();
            }
            return S_OK;
        });
    }

    struct {
        KeptText DialogCaption, FileTitle, Filter, InitDir, FileName, DefExt, TopFolder, SelFolder,
            FolderDialogPrompt;
    } kept_;
    ULONG refs_ = 1;
    CComDlgEx dlg_;
    ComPtr<ITypeInfo> typeInfo_;
    std::optional<Raised> raised_;
};

#undef QUILLET_TEXT_FIELD
#undef QUILLET_INT_FIELD

}  // namespace

HRESULT CreateComDlgExObject(IPlatform& platform, IDispatch** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    // The type library is a resource of the running program.
    std::vector<wchar_t> path(MAX_PATH * 4, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) {
        return E_FAIL;
    }
    ComPtr<ITypeLib> library;
    HRESULT hr = ole::LoadTypeLibrary(path.data(), library.put());
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<ITypeInfo> info;
    hr = library->GetTypeInfoOfGuid(__uuidof(ICComDlgEx), info.put());
    if (FAILED(hr)) {
        return hr;
    }
    try {
        *object = std::make_unique<ComDlgExObject>(platform, std::move(info)).release();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
