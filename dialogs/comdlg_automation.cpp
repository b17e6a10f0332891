#include "dialogs/comdlg_automation.h"

#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "dialogs/CComDlgEx.h"
#include "dialogs/CComDlgEx_h.h"  // generated from CComDlgEx.idl
#include "dialogs/automation_args.h"
#include "platform/com_ptr.h"
#include "platform/ole_lazy.h"
#include "platform/win32_util.h"

using namespace automation;

namespace {

VARIANT_BOOL Truth(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// Failures cross as the toolkit's run-time error numbers in the control facility.
HRESULT RunTimeFailure(unsigned long number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
}

// Runs one member; nothing may be thrown back through the interface.
template <typename Body>
HRESULT Guard(Body body) {
    try {
        return body();
    } catch (const RunTimeError& e) {
        return RunTimeFailure(e.number());
    } catch (const std::invalid_argument&) {
        return RunTimeFailure(5);
    } catch (const std::overflow_error&) {
        return RunTimeFailure(6);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT OutText(const std::string& text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = ole::BstrFromAnsi(text).release();
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

#define QUILLET_TEXT_FIELD(Name)                                 \
    HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) override { \
        return OutText(dlg_.Name, value);                        \
    }                                                            \
    HRESULT STDMETHODCALLTYPE put_##Name(BSTR value) override {  \
        return Guard([&] {                                       \
            dlg_.Name = ole::AnsiFromBstr(value);                \
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

#define QUILLET_SHOW(Name)                                          \
    HRESULT STDMETHODCALLTYPE Name(VARIANT_BOOL* result) override { \
        return Guard([&] {                                          \
            *result = Truth(dlg_.Name());                           \
            return S_OK;                                            \
        });                                                         \
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
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
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
        return typeInfo_->Invoke(static_cast<ICComDlgEx*>(this), id, flags, params, result,
                                 exception, argError);
    }

    // The fields, in their declared order
    HRESULT STDMETHODCALLTYPE get_IsDlgLoaded(VARIANT_BOOL* value) override {
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
    QUILLET_SHOW(ShowOpFileDlg)
    QUILLET_SHOW(ShowFileSaveAsDlg)
    QUILLET_SHOW(ShowFolder)
    QUILLET_SHOW(ShowChooseColor)
    QUILLET_SHOW(ShowChooseFont)
    HRESULT STDMETHODCALLTYPE fnGetFileTitle(BSTR sFullPath, BSTR* result) override {
        return Guard(
            [&] { return OutText(dlg_.fnGetFileTitle(ole::AnsiFromBstr(sFullPath)), result); });
    }
    HRESULT STDMETHODCALLTYPE fnGetFileName(BSTR sFullPath, BSTR* result) override {
        return Guard(
            [&] { return OutText(dlg_.fnGetFileName(ole::AnsiFromBstr(sFullPath)), result); });
    }
    HRESULT STDMETHODCALLTYPE fnExistFile(BSTR sFullPath, VARIANT_BOOL* result) override {
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
            *result = Truth(dlg_.VBGetSaveFileName(fileName, args));
            ole::UniqueBstr old(*vFileName);
            *vFileName = ole::BstrFromAnsi(fileName).release();
            if (fileTitle) {
                WriteText(vFileTitle, *fileTitle);
            }
            flags.WriteBack();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE VBChooseColor(VARIANT* vColor, VARIANT* vFlags, VARIANT* vOwner,
                                            VARIANT_BOOL* result) override {
        return Guard([&] {
            int32_t color = ReadInt(vColor);
            IntArg flags(vFlags);
            IntArg owner(vOwner);
            *result = Truth(dlg_.VBChooseColor(color, flags.get(), owner.get()));
            WriteInt(vColor, color);
            flags.WriteBack();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE VBChooseFont(IFontDisp* vFont, VARIANT* vFlags, VARIANT* vPrinterDC,
                                           VARIANT* vOwner, VARIANT* vColor, VARIANT* vMinSize,
                                           VARIANT* vMaxSize, VARIANT_BOOL* result) override {
        return Guard([&] {
            IntArg flags(vFlags);
            IntArg printerDC(vPrinterDC);
            IntArg owner(vOwner);
            IntArg color(vColor);
            IntArg minSize(vMinSize);
            IntArg maxSize(vMaxSize);
            FontDialogArgs args{flags.get(), printerDC.get(), owner.get(),
                                color.get(), minSize.get(),   maxSize.get()};
            bool chosen = false;
            try {
                chosen = dlg_.VBChooseFont(vFont, args);
            } catch (...) {
                flags.WriteBack();  // the caller sees the normalised flags all the same
                throw;
            }
            *result = Truth(chosen);
            flags.WriteBack();
            color.WriteBack();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE StrToBytes(SAFEARRAY** ab, BSTR* s) override {
        return Guard([&] {
            quillet::ByteArray bytes = ReadBytes(*ab);
            const bool hadElements = !dlg_.IsArrayEmpty(bytes);
            std::string text = ole::AnsiFromBstr(*s);
            dlg_.StrToBytes(bytes, text);
            WriteBytes(ab, hadElements, bytes);
            ole::UniqueBstr old(*s);
            *s = ole::BstrFromAnsi(text).release();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE BytesToStr(SAFEARRAY** ab, BSTR* result) override {
        return Guard([&] { return OutText(dlg_.BytesToStr(ReadBytes(*ab)), result); });
    }
    HRESULT STDMETHODCALLTYPE IsArrayEmpty(SAFEARRAY** ab, VARIANT_BOOL* result) override {
        return Guard([&] {
            *result = Truth(dlg_.IsArrayEmpty(ReadBytes(*ab)));
            return S_OK;
        });
    }

private:
    ULONG refs_ = 1;
    CComDlgEx dlg_;
    ComPtr<ITypeInfo> typeInfo_;
};

#undef QUILLET_TEXT_FIELD
#undef QUILLET_INT_FIELD
#undef QUILLET_SHOW

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
    return Guard([&] {
        auto created = std::make_unique<ComDlgExObject>(platform, std::move(info));
        *object = created.release();
        return S_OK;
    });
}
