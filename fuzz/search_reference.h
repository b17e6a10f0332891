#pragma once
// The search rules written the plain way, for the search targets to compare against:
// every position tried in turn, every character folded on its own.
#include <string>
#include <string_view>

#include "ui/find/search_engine.h"

namespace quillet::fuzz {

// Case tables chosen by the input: none, ASCII only, a Western code page, and one that
// folds sixteen bytes at a time, so many different bytes compare equal.
inline const CaseFold& FoldTable(unsigned choice) {
    static const auto make = [](int kind) {
        CaseFold f{};
        for (int c = 0; c < 256; ++c) {
            const bool ascii = c >= 'A' && c <= 'Z';
            const bool western = ascii || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
            int lower = c;
            if ((kind == 1 && ascii) || (kind == 2 && western)) {
                lower = c + 32;
            } else if (kind == 3) {
                lower = c & 0xF0;
            }
            f[static_cast<size_t>(c)] = static_cast<unsigned char>(lower);
        }
        return f;
    };
    static const CaseFold tables[4] = {make(0), make(1), make(2), make(3)};
    return tables[choice % 4];
}

inline bool SameChar(char a, char b, CompareMode mode, const CaseFold& fold) {
    if (mode == CompareMode::Exact) {
        return a == b;
    }
    return fold[static_cast<unsigned char>(a)] == fold[static_cast<unsigned char>(b)];
}

inline bool MatchesAt(std::string_view text, size_t i, std::string_view pattern, CompareMode mode,
                      const CaseFold& fold) {
    if (i > text.size() || pattern.size() > text.size() - i) {
        return false;
    }
    for (size_t k = 0; k < pattern.size(); ++k) {
        if (!SameChar(text[i + k], pattern[k], mode, fold)) {
            return false;
        }
    }
    return true;
}

// 1-based position of the first match at or after `start`, 0 when none.
inline long long RefFind(long long start, std::string_view text, std::string_view pattern,
                         CompareMode mode, const CaseFold& fold) {
    if (start < 1) {
        start = 1;
    }
    for (long long p = start; p <= static_cast<long long>(text.size()); ++p) {
        if (MatchesAt(text, static_cast<size_t>(p - 1), pattern, mode, fold)) {
            return p;
        }
    }
    return 0;
}

// Every match replaced, left to right, the scan going on behind each one.
inline std::string RefReplaceAll(std::string_view text, std::string_view pattern,
                                 std::string_view replacement, CompareMode mode,
                                 const CaseFold& fold) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (!pattern.empty() && MatchesAt(text, i, pattern, mode, fold)) {
            out.append(replacement);
            i += pattern.size();
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

}  // namespace quillet::fuzz
