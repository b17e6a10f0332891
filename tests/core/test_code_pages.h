#pragma once
// The code pages the core's tests and fuzz targets draw from, made without the system.
#include "core/text/ansi_chars.h"

namespace quillet::fuzz {

// Code pages chosen by the input: single-byte ones that fold nothing, ASCII only, a
// Western code page, or sixteen bytes at a time (so many bytes compare equal); and a
// double-byte one shaped like 932, whose trail bytes include ASCII letters, "\" and "|",
// with ASCII and the full-width letters 82 60-82 79 folding to 82 81-82 9A.
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
            for (CharCode c = 0x8260; c <= 0x8279; ++c) {
                cp.lower.pairs.emplace_back(c, static_cast<CharCode>(c + 0x21));
            }
        }
        cp.upper = cp.lower;
        return cp;
    };
    static const CodePage pages[5] = {make(0), make(1), make(2), make(3), make(4)};
    return pages[choice % 5];
}

}  // namespace quillet::fuzz
