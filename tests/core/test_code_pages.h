#pragma once
// The code pages the core's tests and fuzz targets draw from, made without the system.
#include <string>

#include "core/text/ansi_chars.h"

namespace quillet::fuzz {

// The case mappings of the UTF-8 test code page, unit by unit as the platform's are:
// ASCII, Latin-1, Greek and full-width letters, and three whose other case has another
// length in UTF-8 (Kelvin sign and k, capital sharp s and sharp s, dotted capital I and
// i; dotless i and I), which the model must leave alone.
inline char16_t TestLowerUnit(char16_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3A9) || (c >= 0xFF21 && c <= 0xFF3A)) {
        return static_cast<char16_t>(c + (c >= 0xFF21 ? 0x20 : 32));
    }
    if (c == 0x178) {
        return 0xFF;
    }
    return c == 0x212A ? u'k' : c == 0x1E9E ? u'\u00DF' : c == 0x130 ? u'i' : c;
}

inline char16_t TestUpperUnit(char16_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0xFF41 && c <= 0xFF5A)) {
        return static_cast<char16_t>(c - (c >= 0xFF41 ? 0x20 : 32));
    }
    return c == 0xFF ? u'\u0178' : c == 0x131 ? u'I' : c;
}

inline void TestLowerWide(std::u16string& text) {
    for (char16_t& c : text) {
        c = TestLowerUnit(c);
    }
}

inline void TestUpperWide(std::u16string& text) {
    for (char16_t& c : text) {
        c = TestUpperUnit(c);
    }
}

// Code pages chosen by the input: single-byte ones that fold nothing, ASCII only, a
// Western code page, or sixteen bytes at a time (so many bytes compare equal); a
// double-byte one shaped like 932, whose trail bytes include ASCII letters, "\" and "|",
// with ASCII and the full-width letters 82 60-82 79 folding to 82 81-82 9A; and UTF-8.
inline const CodePage& TestCodePage(unsigned choice) {
    static const auto make = [](int kind) {
        CodePage cp;
        cp.lower = CaseMap::Identity();
        for (int c = 0; c < 256; ++c) {
            const bool ascii = c >= 'A' && c <= 'Z';
            const bool western = ascii || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
            int lower = c;
            if (((kind == 1 || kind == 4) && ascii) || (kind == 2 && western)) {
                lower = c + 32;
            } else if (kind == 3) {
                lower = c & 0xF0;
            }
            cp.lower.single[static_cast<size_t>(c)] = static_cast<unsigned char>(lower);
            cp.lead[static_cast<size_t>(c)] = kind == 4 && ((c >= 0x81 && c <= 0x9F) || c >= 0xE0);
        }
        if (kind == 4) {
            cp.model = CharModel::DoubleByte;
            for (CharCode c = 0x8260; c <= 0x8279; ++c) {
                cp.lower.pairs.emplace_back(c, static_cast<CharCode>(c + 0x21));
            }
        }
        cp.upper = cp.lower;
        if (kind == 5) {
            cp.model = CharModel::Utf8;
            cp.lower = CaseMap::Identity();
            cp.upper = CaseMap::Identity();
            for (char16_t c = 0; c < 0x80; ++c) {  // ASCII by table, as the platform's
                cp.lower.single[c] = static_cast<unsigned char>(TestLowerUnit(c));
                cp.upper.single[c] = static_cast<unsigned char>(TestUpperUnit(c));
            }
            cp.lower.wide = &TestLowerWide;
            cp.upper.wide = &TestUpperWide;
        }
        return cp;
    };
    static const CodePage pages[6] = {make(0), make(1), make(2), make(3), make(4), make(5)};
    return pages[choice % 6];
}

inline const CodePage& TestUtf8() {
    return TestCodePage(5);
}

}  // namespace quillet::fuzz
