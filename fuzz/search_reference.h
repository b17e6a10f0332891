#pragma once
// The search rules written the plain way, for the search tests and fuzz targets to
// compare against: every character boundary tried in turn, every character folded on
// its own.
#include <string>
#include <string_view>

#include "ui/find/search_engine.h"

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

// UTF-8 the plain way: decode, then reject what RFC 3629 forbids.
inline size_t RefUtf8Length(std::string_view text, size_t i) {
    const unsigned first = static_cast<unsigned char>(text[i]);
    size_t n = 0;
    unsigned smallest = 0;
    if (first >= 0xC0 && first < 0xE0) {
        n = 2;
        smallest = 0x80;
    } else if (first >= 0xE0 && first < 0xF0) {
        n = 3;
        smallest = 0x800;
    } else if (first >= 0xF0 && first < 0xF8) {
        n = 4;
        smallest = 0x10000;
    } else {
        return 1;
    }
    if (i + n > text.size()) {
        return 1;
    }
    unsigned code = first & (0x7Fu >> n);
    for (size_t k = 1; k < n; ++k) {
        const unsigned byte = static_cast<unsigned char>(text[i + k]);
        if ((byte & 0xC0) != 0x80) {
            return 1;
        }
        code = code << 6 | (byte & 0x3F);
    }
    const bool valid = code >= smallest && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    return valid ? n : 1;
}

inline size_t RefNext(std::string_view text, size_t i, const CodePage& cp) {
    if (cp.model == CharModel::Utf8) {
        return i + RefUtf8Length(text, i);
    }
    return i + 1 < text.size() && cp.lead[static_cast<unsigned char>(text[i])] ? i + 2 : i + 1;
}

inline bool RefIsBoundary(std::string_view text, size_t offset, const CodePage& cp) {
    size_t i = 0;
    while (i < offset) {
        i = RefNext(text, i, cp);
    }
    return i == offset;
}

inline unsigned RefLower(unsigned code, const CodePage& cp) {
    if (code < 256) {
        return cp.lower.single[code];
    }
    for (const auto& [from, to] : cp.lower.pairs) {
        if (from == code) {
            return to;
        }
    }
    return code;
}

// A UTF-8 character of `n` bytes at `i`, folded on its own: the code point of its lower
// case where that has as many bytes, else its own (a stray byte is its own value).
inline unsigned RefLowerUtf8(std::string_view text, size_t i, size_t n) {
    const unsigned first = static_cast<unsigned char>(text[i]);
    if (n == 1) {
        return first < 0x80 ? TestLowerUnit(static_cast<char16_t>(first)) : first + 0x110000;
    }
    unsigned code = first & (0x7Fu >> n);
    for (size_t k = 1; k < n; ++k) {
        code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    if (code > 0xFFFF) {
        return code;
    }
    const unsigned lower = TestLowerUnit(static_cast<char16_t>(code));
    const size_t length = lower < 0x80 ? 1 : lower < 0x800 ? 2 : 3;
    return length == n ? lower : code;
}

// Whether the pattern's characters match the text's characters from `i` on.
inline bool MatchesAt(std::string_view text, size_t i, std::string_view pattern, CompareMode mode,
                      const CodePage& cp) {
    if (i > text.size() || pattern.size() > text.size() - i) {
        return false;
    }
    size_t k = 0;
    while (k < pattern.size()) {
        const size_t ti = RefNext(text, i, cp) - i;
        const size_t pk = RefNext(pattern, k, cp) - k;
        if (ti != pk) {
            return false;
        }
        if (cp.model == CharModel::Utf8 && mode == CompareMode::IgnoreCase) {
            if (RefLowerUtf8(text, i, ti) != RefLowerUtf8(pattern, k, pk)) {
                return false;
            }
        } else {
            unsigned a = 0;
            unsigned b = 0;
            for (size_t n = 0; n < ti; ++n) {
                a = a << 8 | static_cast<unsigned char>(text[i + n]);
                b = b << 8 | static_cast<unsigned char>(pattern[k + n]);
            }
            if (mode == CompareMode::Exact ? a != b : RefLower(a, cp) != RefLower(b, cp)) {
                return false;
            }
        }
        i += ti;
        k += pk;
    }
    return true;
}

// 1-based position of the first match at or after `start` on a character boundary, 0
// when none.
inline long long RefFind(long long start, std::string_view text, std::string_view pattern,
                         CompareMode mode, const CodePage& cp) {
    if (start < 1) {
        start = 1;
    }
    for (long long p = start; p <= static_cast<long long>(text.size()); ++p) {
        const auto i = static_cast<size_t>(p - 1);
        if (RefIsBoundary(text, i, cp) && MatchesAt(text, i, pattern, mode, cp)) {
            return p;
        }
    }
    return 0;
}

// The text from `from` on with every match replaced, left to right, the scan going on
// behind each one; characters are those of the whole text.
inline std::string RefReplaceAll(std::string_view text, size_t from, std::string_view pattern,
                                 std::string_view replacement, CompareMode mode,
                                 const CodePage& cp) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (i >= from && !pattern.empty() && MatchesAt(text, i, pattern, mode, cp)) {
            out.append(replacement);
            i += pattern.size();
            continue;
        }
        const size_t next = RefNext(text, i, cp);
        if (next > from) {
            const size_t begin = i > from ? i : from;
            out.append(text.substr(begin, next - begin));
        }
        i = next;
    }
    return out;
}

}  // namespace quillet::fuzz
