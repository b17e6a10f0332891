#pragma once
// The search rules written the plain way, for the search tests and fuzz targets to
// compare against: every character boundary tried in turn, every character folded on
// its own.
#include <string>
#include <string_view>

#include "core/find/search_engine.h"
#include "tests/core/test_code_pages.h"

namespace quillet::fuzz {

inline size_t RefNext(std::string_view text, size_t i, const CodePage& cp) {
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
        unsigned a = static_cast<unsigned char>(text[i]);
        unsigned b = static_cast<unsigned char>(pattern[k]);
        if (ti == 2) {
            a = a << 8 | static_cast<unsigned char>(text[i + 1]);
            b = b << 8 | static_cast<unsigned char>(pattern[k + 1]);
        }
        if (mode == CompareMode::Exact ? a != b : RefLower(a, cp) != RefLower(b, cp)) {
            return false;
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
