#pragma once
// A font object that answers exactly what it was given (the platform's one reports the
// font it realises instead) and records every property written, in order.
#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/com_ptr.h"

class FakeFont : public IFontDisp {
public:
    std::wstring name = L"Tahoma";
    LONGLONG size = 100000;  // ten-thousandths of a point
    bool bold = false, italic = false, underline = false, strikethrough = false;
    SHORT weight = FW_NORMAL;
    std::vector<DISPID> puts;
    bool otherTouched = false;  // anything but name, size, style and weight
    HRESULT failure = S_OK;     // answered to every property read and write when set
    bool* released = nullptr;   // set when the last reference goes

    static ComPtr<IFontDisp> Make(FakeFont*& out) {
        auto owned = std::make_unique<FakeFont>();
        out = owned.get();
        return ComPtr<IFontDisp>::Adopt(owned.release());
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IFontDisp)) {
            *out = this;
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
            if (released != nullptr) {
                *released = true;
            }
            std::unique_ptr<FakeFont> last(this);
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (FAILED(failure)) {
            return failure;
        }
        if (flags & DISPATCH_PROPERTYPUT) {
            puts.push_back(id);
            return Put(id, params->rgvarg[0]);
        }
        return Get(id, *result);
    }

private:
    HRESULT Get(DISPID id, VARIANT& v) {
        switch (id) {
            case 0:
                v.vt = VT_BSTR;
                v.bstrVal = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
                return S_OK;
            case 2:
                v.vt = VT_CY;
                v.cyVal.int64 = size;
                return S_OK;
            case 7:
                v.vt = VT_I2;
                v.iVal = weight;
                return S_OK;
            default:
                if (bool* flag = Flag(id)) {
                    v.vt = VT_BOOL;
                    v.boolVal = *flag ? VARIANT_TRUE : VARIANT_FALSE;
                    return S_OK;
                }
                otherTouched = true;
                return DISP_E_MEMBERNOTFOUND;
        }
    }
    HRESULT Put(DISPID id, const VARIANT& v) {
        switch (id) {
            case 0:
                name.assign(v.bstrVal, SysStringLen(v.bstrVal));
                return S_OK;
            case 2:
                size = v.cyVal.int64;
                return S_OK;
            case 7:
                weight = v.iVal;
                return S_OK;
            default:
                if (bool* flag = Flag(id)) {
                    *flag = v.boolVal != VARIANT_FALSE;
                    return S_OK;
                }
                otherTouched = true;
                return DISP_E_MEMBERNOTFOUND;
        }
    }
    bool* Flag(DISPID id) {
        switch (id) {
            case 3:
                return &bold;
            case 4:
                return &italic;
            case 5:
                return &underline;
            case 6:
                return &strikethrough;
            default:
                return nullptr;
        }
    }
    ULONG refs_ = 1;
};
