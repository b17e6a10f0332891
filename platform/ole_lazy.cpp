#include "platform/ole_lazy.h"

#include "platform/lazy_dll.h"
#include "platform/win32_util.h"

namespace ole {
namespace {

LazyProc<decltype(SysAllocStringLen)> gAllocString("oleaut32.dll", "SysAllocStringLen");
LazyProc<decltype(SysFreeString)> gFreeString("oleaut32.dll", "SysFreeString");
LazyProc<decltype(SysStringLen)> gStringLength("oleaut32.dll", "SysStringLen");
LazyProc<decltype(VariantClear)> gVariantClear("oleaut32.dll", "VariantClear");
LazyProc<decltype(VariantChangeType)> gChangeType("oleaut32.dll", "VariantChangeType");
LazyProc<decltype(SafeArrayCreateVector)> gCreateVector("oleaut32.dll", "SafeArrayCreateVector");
LazyProc<decltype(SafeArrayDestroy)> gDestroyArray("oleaut32.dll", "SafeArrayDestroy");
LazyProc<decltype(SafeArrayGetDim)> gArrayDims("oleaut32.dll", "SafeArrayGetDim");
LazyProc<decltype(SafeArrayGetLBound)> gLowerBound("oleaut32.dll", "SafeArrayGetLBound");
LazyProc<decltype(SafeArrayGetUBound)> gUpperBound("oleaut32.dll", "SafeArrayGetUBound");
LazyProc<decltype(SafeArrayGetVartype)> gArrayType("oleaut32.dll", "SafeArrayGetVartype");
LazyProc<decltype(SafeArrayGetElemsize)> gElementSize("oleaut32.dll", "SafeArrayGetElemsize");
LazyProc<decltype(SafeArrayAccessData)> gAccessData("oleaut32.dll", "SafeArrayAccessData");
LazyProc<decltype(SafeArrayUnaccessData)> gUnaccessData("oleaut32.dll", "SafeArrayUnaccessData");
LazyProc<decltype(LoadTypeLibEx)> gLoadTypeLib("oleaut32.dll", "LoadTypeLibEx");
LazyProc<decltype(CoTaskMemFree)> gTaskMemFree("ole32.dll", "CoTaskMemFree");
LazyProc<decltype(CoGetApartmentType)> gApartmentType("ole32.dll", "CoGetApartmentType");
LazyProc<decltype(CoInitializeEx)> gInitialize("ole32.dll", "CoInitializeEx");
LazyProc<decltype(CoUninitialize)> gUninitialize("ole32.dll", "CoUninitialize");

}  // namespace

void BstrFree::operator()(BSTR s) const {
    if (auto* free = gFreeString.Get()) {
        free(s);
    }
}

UniqueBstr BstrFromAnsi(const std::string& text) {
    auto* alloc = gAllocString.Get();
    if (alloc == nullptr) {
        return nullptr;
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    UniqueBstr result(alloc(nullptr, static_cast<UINT>(length)));
    if (result != nullptr) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, result.get(), length);
    }
    return result;
}

UniqueBstr BstrFromWide(const std::wstring& text) {
    auto* alloc = gAllocString.Get();
    return UniqueBstr(alloc != nullptr ? alloc(text.data(), static_cast<UINT>(text.size()))
                                       : nullptr);
}

std::wstring WideFromBstr(BSTR text) {
    return text != nullptr ? std::wstring(text, StringLength(text)) : std::wstring();
}

UINT StringLength(BSTR text) {
    auto* length = gStringLength.Get();
    return length != nullptr && text != nullptr ? length(text) : 0;
}

std::string AnsiFromBstr(BSTR text) {
    const int size = static_cast<int>(StringLength(text));
    if (size == 0) {
        return "";
    }
    return AnsiFromWide(text, static_cast<size_t>(size));
}

ScopedVariant::~ScopedVariant() {
    ClearVariant(&v_);
}

HRESULT ClearVariant(VARIANT* v) {
    auto* clear = gVariantClear.Get();
    return clear != nullptr ? clear(v) : E_FAIL;
}

HRESULT ChangeType(VARIANT* out, const VARIANT* in, VARTYPE type) {
    auto* change = gChangeType.Get();
    return change != nullptr ? change(out, const_cast<VARIANT*>(in), 0, type) : E_FAIL;
}

SAFEARRAY* CreateVector(VARTYPE type, LONG lowerBound, ULONG count) {
    auto* create = gCreateVector.Get();
    return create != nullptr ? create(type, lowerBound, count) : nullptr;
}

HRESULT DestroyArray(SAFEARRAY* array) {
    auto* destroy = gDestroyArray.Get();
    return destroy != nullptr ? destroy(array) : E_FAIL;
}

UINT ArrayDims(SAFEARRAY* array) {
    auto* dims = gArrayDims.Get();
    return dims != nullptr && array != nullptr ? dims(array) : 0;
}

HRESULT ArrayBound(SAFEARRAY* array, bool upper, LONG* bound) {
    auto* get = upper ? gUpperBound.Get() : gLowerBound.Get();
    return get != nullptr ? get(array, 1, bound) : E_FAIL;
}

HRESULT ArrayType(SAFEARRAY* array, VARTYPE* type) {
    auto* get = gArrayType.Get();
    return get != nullptr ? get(array, type) : E_FAIL;
}

UINT ArrayElementSize(SAFEARRAY* array) {
    auto* size = gElementSize.Get();
    return size != nullptr && array != nullptr ? size(array) : 0;
}

HRESULT AccessData(SAFEARRAY* array, void** data) {
    auto* access = gAccessData.Get();
    return access != nullptr ? access(array, data) : E_FAIL;
}

HRESULT UnaccessData(SAFEARRAY* array) {
    auto* unaccess = gUnaccessData.Get();
    return unaccess != nullptr ? unaccess(array) : E_FAIL;
}

HRESULT LoadTypeLibrary(const wchar_t* path, ITypeLib** library) {
    auto* load = gLoadTypeLib.Get();
    return load != nullptr ? load(path, REGKIND_NONE, library) : E_FAIL;
}

void TaskMemFree(void* memory) {
    if (auto* free = gTaskMemFree.Get()) {
        free(memory);
    }
}

ApartmentForCall::ApartmentForCall() {
    auto* apartmentType = gApartmentType.Get();
    auto* initialize = gInitialize.Get();
    if (apartmentType == nullptr || initialize == nullptr) {
        return;
    }
    // A thread that is only in the process's implicit multithreaded apartment has none of
    // its own.
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    if (SUCCEEDED(apartmentType(&type, &qualifier)) && qualifier != APTTYPEQUALIFIER_IMPLICIT_MTA) {
        return;
    }
    entered_ = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
}

ApartmentForCall::~ApartmentForCall() {
    if (entered_) {
        if (auto* uninitialize = gUninitialize.Get()) {
            uninitialize();
        }
    }
}

}  // namespace ole
