#pragma once
// The values that cross the automation interface: optional in/out arguments (left out,
// bound to a caller's variable, or plain values) and byte arrays as SAFEARRAYs. A value
// that can't be converted throws RunTimeError 13 (type mismatch), one out of range 6
// (overflow).
#include <oaidl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/dialogs/picker_rules.h"

namespace automation {

// Left out: missing, or the missing-parameter error value the dispatcher puts in its place.
bool LeftOut(VARIANT* v);

int32_t ReadInt(VARIANT* v);
std::string ReadText(VARIANT* v);
std::optional<int32_t> OptionalInt(VARIANT* v);
std::optional<std::string> OptionalText(VARIANT* v);

// Results for the caller's variables. Each is converted to its variable's type when it is
// added, which is where a result that doesn't fit throws; Commit then stores them all and
// can't fail. Dropped uncommitted, they leave every variable as it was.
class Results {
public:
    Results() = default;
    ~Results();
    Results(const Results&) = delete;
    Results& operator=(const Results&) = delete;

    // Into a bound variable in its own type, or a variant variable whole; nothing for
    // one left out. (Arguments passed by value never get here as such: Invoke hands the
    // members a variable of its own for each.)
    void Int(VARIANT* v, int32_t number);
    void Text(VARIANT* v, const std::string& text);
    void Bstr(BSTR* target, const std::string& text);
    void Commit();

private:
    void Add(VARIANT* v, VARIANT& value);
    struct Pending {
        VARIANT* plain;  // a variant variable replaced whole, or null
        VARTYPE type;    // else the bound variable's type
        void* storage;   // and where it lives
        VARIANT value;   // owned until committed
    };
    std::vector<Pending> pending_;
};

// An int32 argument for the dialog object: get() is null when left out, and Result adds
// its (possibly changed) value for a given argument.
class IntArg {
public:
    explicit IntArg(VARIANT* v);
    int32_t* get() { return given_ ? &value_ : nullptr; }
    void Result(Results& results) const;

private:
    VARIANT* v_;
    bool given_;
    int32_t value_ = 0;
};

// Arguments a dispatch caller passes by value are its own. Each that meets an in/out
// parameter reaches the member as a variable of this call's own, by reference, and what
// the member leaves there goes with it: the caller's array is never written, nor any of
// its values freed.
class ByValueArguments {
public:
    // `info` gives the parameters of method `id`, and so which are in/out.
    ByValueArguments(ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params);
    ~ByValueArguments();
    ByValueArguments(const ByValueArguments&) = delete;
    ByValueArguments& operator=(const ByValueArguments&) = delete;

    DISPPARAMS* params() const { return use_; }   // what to invoke with
    HRESULT failure() const { return failure_; }  // a copy that couldn't be made

private:
    DISPPARAMS* use_;
    DISPPARAMS params_{};
    std::vector<VARIANT> args_;
    std::vector<VARIANT> copies_;  // sized once: the arguments point into it
    HRESULT failure_ = S_OK;
};

// A null or element-less SAFEARRAY has no elements. Any but a one-dimensional array of
// VT_UI1 with 1-byte elements throws RunTimeError 13.
quillet::ByteArray ReadBytes(SAFEARRAY* array);

// Into the caller's array when it had elements (never grown), else as a new array in
// its place.
void WriteBytes(SAFEARRAY** array, bool hadElements, const quillet::ByteArray& ab);

}  // namespace automation
