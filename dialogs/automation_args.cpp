#include "dialogs/automation_args.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/ole_lazy.h"
#include "platform/win32_util.h"

namespace automation {
namespace {

// A variant passed by reference to a variant: the caller's own.
VARIANT* Target(VARIANT* v) {
    return v != nullptr && v->vt == (VT_BYREF | VT_VARIANT) ? v->pvarVal : v;
}

void Check(HRESULT hr) {
    if (hr == DISP_E_OVERFLOW) {
        throw RunTimeError(6, "Overflow");
    }
    if (FAILED(hr)) {
        throw RunTimeError(13, "Type mismatch");
    }
}

// The bytes a bound variable of this type occupies; 0 for a type no result converts to.
size_t StorageSize(VARTYPE type) {
    switch (type) {
        case VT_I1:
        case VT_UI1:
            return 1;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            return 2;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_R4:
            return 4;
        case VT_I8:
        case VT_UI8:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
            return 8;
        case VT_DECIMAL:
            return sizeof(DECIMAL);
        default:
            return 0;
    }
}

// Whether each parameter of method `id` is in/out; empty when it has none.
std::vector<bool> OutParameters(ITypeInfo* info, DISPID id) {
    std::vector<bool> out;
    TYPEATTR* attr = nullptr;
    if (info == nullptr || FAILED(info->GetTypeAttr(&attr))) {
        return out;
    }
    const UINT count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count && out.empty(); ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) {
            continue;
        }
        if (f->memid == id && f->invkind == INVOKE_FUNC) {
            for (SHORT p = 0; p < f->cParams; ++p) {
                out.push_back((f->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FOUT) !=
                              0);
            }
        }
        info->ReleaseFuncDesc(f);
    }
    return out;
}

}  // namespace

ByValueArguments::ByValueArguments(ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params)
    : use_(params) {
    if (params == nullptr || params->rgvarg == nullptr || (flags & DISPATCH_METHOD) == 0) {
        return;
    }
    const std::vector<bool> out = OutParameters(info, id);
    if (out.empty()) {
        return;
    }
    args_.assign(params->rgvarg, params->rgvarg + params->cArgs);
    copies_.assign(params->cArgs, VARIANT{});
    for (UINT i = 0; i < params->cArgs; ++i) {
        // Named arguments come first; the positional ones follow, last parameter first.
        const LONG param = i < params->cNamedArgs && params->rgdispidNamedArgs != nullptr
                               ? params->rgdispidNamedArgs[i]
                               : static_cast<LONG>(params->cArgs - 1 - i);
        VARIANT& arg = args_[i];
        if (param < 0 || static_cast<size_t>(param) >= out.size() || !out[param] ||
            (arg.vt & VT_BYREF) != 0 || LeftOut(&arg)) {
            continue;
        }
        const HRESULT hr = ole::ChangeType(&copies_[i], &arg, arg.vt);
        if (FAILED(hr)) {
            failure_ = hr;
            return;
        }
        arg.vt = VT_BYREF | VT_VARIANT;
        arg.pvarVal = &copies_[i];
    }
    params_ = *params;
    params_.rgvarg = args_.data();
    use_ = &params_;
}

ByValueArguments::~ByValueArguments() {
    for (VARIANT& copy : copies_) {
        ole::ClearVariant(&copy);
    }
}

bool LeftOut(VARIANT* v) {
    v = Target(v);
    return v == nullptr || (v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND);
}

int32_t ReadInt(VARIANT* v) {
    ole::ScopedVariant value;
    Check(ole::ChangeType(value.get(), Target(v), VT_I4));
    return (*value).lVal;
}

std::string ReadText(VARIANT* v) {
    ole::ScopedVariant value;
    Check(ole::ChangeType(value.get(), Target(v), VT_BSTR));
    return ole::AnsiFromBstr((*value).bstrVal);
}

Results::~Results() {
    for (Pending& p : pending_) {
        ole::ClearVariant(&p.value);
    }
}

void Results::Add(VARIANT* v, VARIANT& value) {
    v = Target(v);
    if ((v->vt & VT_BYREF) == 0) {
        pending_.push_back({v, VT_EMPTY, nullptr, value});
        value.vt = VT_EMPTY;  // moved
        return;
    }
    const auto type = static_cast<VARTYPE>(v->vt & ~VT_BYREF);
    if (type != VT_BSTR && StorageSize(type) == 0) {
        throw RunTimeError(13, "Type mismatch");
    }
    pending_.push_back({nullptr, type, v->byref, VARIANT{}});
    const HRESULT hr = ole::ChangeType(&pending_.back().value, &value, type);
    if (FAILED(hr)) {
        pending_.pop_back();
        Check(hr);
    }
}

void Results::Int(VARIANT* v, int32_t number) {
    if (LeftOut(v)) {
        return;
    }
    VARIANT value{};
    value.vt = VT_I4;
    value.lVal = number;
    Add(v, value);
}

void Results::Text(VARIANT* v, const std::string& text) {
    if (LeftOut(v)) {
        return;
    }
    ole::ScopedVariant value;
    value.get()->vt = VT_BSTR;
    value.get()->bstrVal = ole::BstrFromAnsi(text).release();
    if (value.get()->bstrVal == nullptr) {
        throw std::bad_alloc();
    }
    Add(v, *value.get());
}

void Results::Bstr(BSTR* target, const std::string& text) {
    VARIANT ref{};
    ref.vt = VT_BYREF | VT_BSTR;
    ref.pbstrVal = target;
    Text(&ref, text);
}

void Results::Commit() {
    for (Pending& p : pending_) {
        if (p.plain != nullptr) {
            ole::ClearVariant(p.plain);
            *p.plain = p.value;
        } else if (p.type == VT_BSTR) {
            ole::UniqueBstr old(*static_cast<BSTR*>(p.storage));
            *static_cast<BSTR*>(p.storage) = p.value.bstrVal;
        } else if (p.type == VT_DECIMAL) {
            DECIMAL number = p.value.decVal;
            number.wReserved = 0;  // the variant's type tag shares these bytes
            *static_cast<DECIMAL*>(p.storage) = number;
        } else {
            std::memcpy(p.storage, &p.value.llVal, StorageSize(p.type));
        }
        p.value.vt = VT_EMPTY;  // the caller's now
    }
    pending_.clear();
}

IntArg::IntArg(VARIANT* v) : v_(v), given_(!LeftOut(v)) {
    if (given_) {
        value_ = ReadInt(v);
    }
}

void IntArg::Result(Results& results) const {
    if (given_) {
        results.Int(v_, value_);
    }
}

std::optional<int32_t> OptionalInt(VARIANT* v) {
    return LeftOut(v) ? std::nullopt : std::optional<int32_t>(ReadInt(v));
}

std::optional<std::string> OptionalText(VARIANT* v) {
    return LeftOut(v) ? std::nullopt : std::optional<std::string>(ReadText(v));
}

quillet::ByteArray ReadBytes(SAFEARRAY* array) {
    quillet::ByteArray ab;
    if (array == nullptr) {
        return ab;
    }
    // Anything else would be read, written or replaced as bytes that it doesn't hold.
    VARTYPE type = VT_EMPTY;
    if (ole::ArrayDims(array) != 1 || FAILED(ole::ArrayType(array, &type)) || type != VT_UI1 ||
        ole::ArrayElementSize(array) != 1) {
        throw RunTimeError(13, "Type mismatch");
    }
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(ole::ArrayBound(array, false, &lower)) ||
        FAILED(ole::ArrayBound(array, true, &upper)) || upper < lower) {
        return ab;
    }
    void* data = nullptr;
    Check(ole::AccessData(array, &data));
    const auto* bytes = static_cast<const uint8_t*>(data);
    ab.lowerBound = lower;
    ab.bytes.assign(bytes, bytes + (upper - lower + 1));
    ole::UnaccessData(array);
    return ab;
}

void WriteBytes(SAFEARRAY** array, bool hadElements, const quillet::ByteArray& ab) {
    if (!hadElements) {
        SAFEARRAY* fresh =
            ole::CreateVector(VT_UI1, ab.lowerBound, static_cast<ULONG>(ab.bytes.size()));
        if (fresh == nullptr) {
            throw std::bad_alloc();
        }
        void* data = nullptr;
        const HRESULT hr = ole::AccessData(fresh, &data);
        if (FAILED(hr)) {
            ole::DestroyArray(fresh);
            Check(hr);
        }
        std::copy(ab.bytes.begin(), ab.bytes.end(), static_cast<uint8_t*>(data));
        ole::UnaccessData(fresh);
        if (*array != nullptr) {
            ole::DestroyArray(*array);
        }
        *array = fresh;
        return;
    }
    void* data = nullptr;
    Check(ole::AccessData(*array, &data));
    std::copy(ab.bytes.begin(), ab.bytes.end(), static_cast<uint8_t*>(data));
    ole::UnaccessData(*array);
}

}  // namespace automation
