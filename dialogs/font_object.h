#pragma once
// The properties of the platform's standard font object that the font dialog reads and
// writes, through its dispatch interface (its character set is left alone).
#include <ocidl.h>

#include <cstdint>
#include <string>

#include "platform/win32_util.h"

struct FontProperties {
    std::string Name;  // ANSI
    double Size = 0;   // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int16_t Weight = 0;
};

// What the font object answered when it refused a property: its own HRESULT (also the
// number), handed back to an automation caller unchanged.
class FontObjectError : public RunTimeError {
public:
    explicit FontObjectError(HRESULT result);
    HRESULT result() const { return static_cast<HRESULT>(number()); }
};

// Throws FontObjectError when the object refuses a property, RunTimeError 13 when a value
// it gives has the wrong type.
FontProperties ReadFontProperties(IDispatch* font);

// Written in this order: Bold, Italic, Strikethrough, Underline, Weight, Size, Name;
// a later one wins where the object ties them (Bold and Weight).
void WriteFontProperties(IDispatch* font, const FontProperties& properties);
