#pragma once
// Characters of the ANSI code page, without Win32. On a double-byte code page (932,
// 936, 949, 950) a lead byte and the byte after it are one character, and that second
// byte may look like an ASCII letter, a backslash or "|": text is walked, cut, counted
// and compared by characters. On a single-byte code page every byte is a character.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet {

// The bytes that begin a two-byte character (none on a single-byte code page).
using LeadBytes = std::array<bool, 256>;

// Each single byte of the code page to its other case.
using CaseFold = std::array<unsigned char, 256>;

// A character as a number: its byte, or lead byte * 256 + trail byte.
using CharCode = std::uint16_t;

// One direction of the code page's case mapping. Single bytes map to single bytes that
// are not lead bytes, two-byte characters to two-byte characters, so a mapped text
// keeps its length and its character boundaries.
struct CaseMap {
    CaseFold single{};
    // The two-byte characters whose mapping differs, sorted by the first of each pair.
    std::vector<std::pair<CharCode, CharCode>> pairs;

    CharCode Map(CharCode c) const;
    // A map that changes nothing.
    static CaseMap Identity();
};

// What the search and the case commands need of the code page.
struct CodePage {
    LeadBytes lead{};
    CaseMap lower;
    CaseMap upper;
};

// The offset just after the character that starts at `at` (a lead byte that ends the
// text stands alone).
inline std::size_t NextChar(std::string_view text, std::size_t at, const LeadBytes& lead) {
    return at + (lead[static_cast<unsigned char>(text[at])] && at + 1 < text.size() ? 2 : 1);
}

// The character that starts at `at`, and its length in bytes.
CharCode CharAt(std::string_view text, std::size_t at, const LeadBytes& lead, std::size_t* length);

std::size_t CharCount(std::string_view text, const LeadBytes& lead);

// The byte offset where character number `chars` (from 0) starts; the text's length
// when it has no more characters.
std::size_t OffsetOfChar(std::string_view text, std::size_t chars, const LeadBytes& lead);

// The first character boundary at or after `offset`.
std::size_t CharBoundaryFrom(std::string_view text, std::size_t offset, const LeadBytes& lead);

// The offset of the last character that is one of `chars` (single-byte characters), or
// npos: a trail byte of the same value is no such character.
std::size_t FindLastCharOf(std::string_view text, std::string_view chars, const LeadBytes& lead);

// The text with each character mapped, or kept where the map has no other case for it.
std::string MapCase(std::string_view text, const LeadBytes& lead, const CaseMap& map);

}  // namespace quillet
