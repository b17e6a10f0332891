#pragma once
// The search rules written the plain way, for the search tests and fuzz targets to
// compare against: every character boundary tried in turn, every character folded on
// its own.
#include <string>
#include <string_view>

#include "core/find/search_engine.h"
#include "tests/core/test_code_pages.h"

namespace quillet::fuzz {

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
