#pragma once
// The values that cross the automation interface: optional in/out arguments (left out,
// bound to a caller's variable, or plain values) and byte arrays as SAFEARRAYs. A value
// that can't be converted throws RunTimeError 13 (type mismatch).
#include <oaidl.h>

#include <cstdint>
#include <optional>
#include <string>

#include "dialogs/picker_rules.h"

namespace automation {

// Left out: missing, or the missing-parameter error value the dispatcher puts in its place.
bool LeftOut(VARIANT* v);

int32_t ReadInt(VARIANT* v);
std::string ReadText(VARIANT* v);
std::optional<int32_t> OptionalInt(VARIANT* v);
std::optional<std::string> OptionalText(VARIANT* v);

// Stores into the caller's variable in its own type, or replaces a plain value.
void WriteInt(VARIANT* v, int32_t number);
void WriteText(VARIANT* v, const std::string& text);

// An int32 argument for the dialog object: get() is null when left out, and WriteBack
// stores the (possibly changed) value into a given argument.
class IntArg {
public:
    explicit IntArg(VARIANT* v);
    int32_t* get() { return given_ ? &value_ : nullptr; }
    void WriteBack();

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
