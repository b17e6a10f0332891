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

    // Into a bound variable in its own type, or in place of a plain value; nothing for
    // one left out.
    void Int(VARIANT* v, int32_t number);
    void Text(VARIANT* v, const std::string& text);
    void Bstr(BSTR* target, const std::string& text);
    void Commit();

private:
    void Add(VARIANT* v, VARIANT& value);
    struct Pending {
        VARIANT* plain;  // a value replaced whole, or null
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

// A null or element-less SAFEARRAY has no elements.
quillet::ByteArray ReadBytes(SAFEARRAY* array);

// Into the caller's array when it had elements (never grown), else as a new array in
// its place.
void WriteBytes(SAFEARRAY** array, bool hadElements, const quillet::ByteArray& ab);

}  // namespace automation
