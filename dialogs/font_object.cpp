#include "dialogs/font_object.h"

#include <new>

#include "platform/ole_lazy.h"
#include "platform/win32_util.h"

namespace {

const IID kNoInterface{};  // what Invoke's reserved argument must be
constexpr DISPID kName = 0;
constexpr DISPID kSize = 2;
constexpr DISPID kBold = 3;
constexpr DISPID kItalic = 4;
constexpr DISPID kUnderline = 5;
constexpr DISPID kStrikethrough = 6;
constexpr DISPID kWeight = 7;

[[noreturn]] void Refused(HRESULT hr) {
    throw FontObjectError(hr);
}

// The property converted to the type asked for.
void Get(IDispatch* font, DISPID id, VARTYPE type, ole::ScopedVariant& out) {
    DISPPARAMS none{};
    ole::ScopedVariant raw;
    const HRESULT hr = font->Invoke(id, kNoInterface, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                    &none, raw.get(), nullptr, nullptr);
    if (FAILED(hr)) {
        Refused(hr);
    }
    if (FAILED(ole::ChangeType(out.get(), raw.get(), type))) {
        throw RunTimeError(13, "Type mismatch");
    }
}

void Put(IDispatch* font, DISPID id, VARIANT& value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    const HRESULT hr = font->Invoke(id, kNoInterface, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                    &params, nullptr, nullptr, nullptr);
    if (FAILED(hr)) {
        Refused(hr);
    }
}

bool GetFlag(IDispatch* font, DISPID id) {
    ole::ScopedVariant v;
    Get(font, id, VT_BOOL, v);
    return (*v).boolVal != VARIANT_FALSE;
}

void PutFlag(IDispatch* font, DISPID id, bool on) {
    VARIANT v{};
    v.vt = VT_BOOL;
    v.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
    Put(font, id, v);
}

}  // namespace

FontObjectError::FontObjectError(HRESULT result)
    : RunTimeError(static_cast<unsigned long>(result),
                   ErrorDescription(static_cast<unsigned long>(result))) {}

FontProperties ReadFontProperties(IDispatch* font) {
    FontProperties p;
    ole::ScopedVariant name;
    Get(font, kName, VT_BSTR, name);
    p.Name = ole::AnsiFromBstr((*name).bstrVal);
    ole::ScopedVariant size;
    Get(font, kSize, VT_CY, size);
    p.Size = static_cast<double>((*size).cyVal.int64) / 10000.0;
    p.Bold = GetFlag(font, kBold);
    p.Italic = GetFlag(font, kItalic);
    p.Underline = GetFlag(font, kUnderline);
    p.Strikethrough = GetFlag(font, kStrikethrough);
    ole::ScopedVariant weight;
    Get(font, kWeight, VT_I2, weight);
    p.Weight = (*weight).iVal;
    return p;
}

void WriteFontProperties(IDispatch* font, const FontProperties& p) {
    PutFlag(font, kBold, p.Bold);
    PutFlag(font, kItalic, p.Italic);
    PutFlag(font, kStrikethrough, p.Strikethrough);
    PutFlag(font, kUnderline, p.Underline);
    VARIANT weight{};
    weight.vt = VT_I2;
    weight.iVal = p.Weight;
    Put(font, kWeight, weight);
    VARIANT size{};
    size.vt = VT_CY;
    size.cyVal.int64 = static_cast<LONGLONG>(p.Size * 10000.0 + (p.Size < 0 ? -0.5 : 0.5));
    Put(font, kSize, size);
    ole::UniqueBstr text = ole::BstrFromAnsi(p.Name);
    if (text == nullptr) {
        throw std::bad_alloc();
    }
    VARIANT name{};
    name.vt = VT_BSTR;
    name.bstrVal = text.get();
    Put(font, kName, name);
}
