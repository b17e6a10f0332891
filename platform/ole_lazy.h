#pragma once
// oleaut32 and ole32 as the dialog object needs them, loaded at first use (the program
// must start without them). Each call behaves as a failure when the DLL can't be had.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <memory>
#include <string>

namespace ole {

// Releases a BSTR. Strings this side allocates and the ones a callee hands back alike.
struct BstrFree {
    void operator()(BSTR s) const;
};
using UniqueBstr = std::unique_ptr<OLECHAR, BstrFree>;

// ANSI text (NULs kept) to a new BSTR, and back; null when oleaut32 is missing.
UniqueBstr BstrFromAnsi(const std::string& text);
std::string AnsiFromBstr(BSTR text);
UINT StringLength(BSTR text);
// UTF-16 text as it is, NULs included; null when oleaut32 is missing.
UniqueBstr BstrFromWide(const std::wstring& text);
std::wstring WideFromBstr(BSTR text);

// A VARIANT cleared when it goes.
class ScopedVariant {
public:
    ScopedVariant() = default;
    ~ScopedVariant();
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

private:
    VARIANT v_{};  // VT_EMPTY
};

HRESULT ClearVariant(VARIANT* v);
HRESULT ChangeType(VARIANT* out, const VARIANT* in, VARTYPE type);

// SAFEARRAY calls (E_FAIL or null when oleaut32 is missing).
SAFEARRAY* CreateVector(VARTYPE type, LONG lowerBound, ULONG count);
HRESULT DestroyArray(SAFEARRAY* array);
UINT ArrayDims(SAFEARRAY* array);
HRESULT ArrayBound(SAFEARRAY* array, bool upper, LONG* bound);
HRESULT ArrayType(SAFEARRAY* array, VARTYPE* type);
UINT ArrayElementSize(SAFEARRAY* array);
HRESULT AccessData(SAFEARRAY* array, void** data);
HRESULT UnaccessData(SAFEARRAY* array);

HRESULT LoadTypeLibrary(const wchar_t* path, ITypeLib** library);

// ole32's CoTaskMemFree; null is harmless.
void TaskMemFree(void* memory);

// A single-threaded COM apartment for the length of one call, on a thread that has none
// (the shell's dialogs need one). A thread already in an apartment is left as it is.
class ApartmentForCall {
public:
    ApartmentForCall();
    ~ApartmentForCall();
    ApartmentForCall(const ApartmentForCall&) = delete;
    ApartmentForCall& operator=(const ApartmentForCall&) = delete;

private:
    bool entered_ = false;
};

}  // namespace ole
