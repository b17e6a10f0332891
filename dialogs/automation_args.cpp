#include "dialogs/automation_args.h"

#include <algorithm>
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
    if (FAILED(hr)) {
        throw RunTimeError(13, "Type mismatch");
    }
}

void WriteValue(VARIANT* v, VARIANT& value) {
    v = Target(v);
    if ((v->vt & VT_BYREF) == 0) {
        Check(ole::ClearVariant(v));
        *v = value;
        value.vt = VT_EMPTY;  // moved
        return;
    }
    ole::ScopedVariant converted;
    Check(ole::ChangeType(converted.get(), &value, static_cast<VARTYPE>(v->vt & ~VT_BYREF)));
    switch (v->vt & ~VT_BYREF) {
        case VT_I4:
            *v->plVal = (*converted).lVal;
            break;
        case VT_I2:
            *v->piVal = (*converted).iVal;
            break;
        case VT_R8:
            *v->pdblVal = (*converted).dblVal;
            break;
        case VT_BSTR: {
            ole::UniqueBstr old(*v->pbstrVal);
            *v->pbstrVal = converted.get()->bstrVal;
            converted.get()->vt = VT_EMPTY;  // the caller's variable owns it now
            break;
        }
        default:
            throw RunTimeError(13, "Type mismatch");
    }
}

}  // namespace

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

void WriteInt(VARIANT* v, int32_t number) {
    VARIANT value{};
    value.vt = VT_I4;
    value.lVal = number;
    WriteValue(v, value);
}

void WriteText(VARIANT* v, const std::string& text) {
    VARIANT value{};
    value.vt = VT_BSTR;
    value.bstrVal = ole::BstrFromAnsi(text).release();
    WriteValue(v, value);
    ole::ClearVariant(&value);
}

IntArg::IntArg(VARIANT* v) : v_(v), given_(!LeftOut(v)) {
    if (given_) {
        value_ = ReadInt(v);
    }
}

void IntArg::WriteBack() {
    if (given_) {
        WriteInt(v_, value_);
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
    LONG lower = 0;
    LONG upper = -1;
    if (array == nullptr || ole::ArrayDims(array) != 1 ||
        FAILED(ole::ArrayBound(array, false, &lower)) ||
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
        Check(ole::AccessData(fresh, &data));
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
