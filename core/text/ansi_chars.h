#pragma once
// Characters of the ANSI code page, without Win32. Windows has three kinds of ANSI code
// page, and one CodePage value says which applies:
// - single-byte: every byte is a character;
// - double-byte (932, 936, 949, 950): a lead byte and the byte after it are one
//   character, and that second byte may look like an ASCII letter, a backslash or "|";
// - UTF-8 (65001): characters of one to four bytes by the rules of RFC 3629; a byte that
//   doesn't begin a valid sequence is a unit of its own, never merged with its neighbours.
// Text is walked, cut, counted and compared by characters through these functions.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet {

enum class CharModel : std::uint8_t { SingleByte, DoubleByte, Utf8 };

// The bytes that begin a two-byte character (none on a single-byte code page).
using LeadBytes = std::array<bool, 256>;

// Each single byte of the code page to its other case.
using CaseFold = std::array<unsigned char, 256>;

// A character as a number: its bytes, the first one highest (a UTF-8 character has up
// to four).
using CharCode = std::uint32_t;

// The platform's case conversion of UTF-16 text, unit by unit, in place.
using WideCaseMapper = void (*)(std::u16string& text);

// One direction of the code page's case mapping. Single bytes map to single bytes that
// are not lead bytes, two-byte characters to two-byte characters, so a mapped text
// keeps its length and its character boundaries. UTF-8 has a table for ASCII only:
// `wide` maps the rest per call, and a character is changed only where its other case
// has as many bytes.
struct CaseMap {
    CaseFold single{};
    // The two-byte characters whose mapping differs, sorted by the first of each pair.
    std::vector<std::pair<CharCode, CharCode>> pairs;
    WideCaseMapper wide = nullptr;

    CharCode Map(CharCode c) const;
    // A map that changes nothing.
    static CaseMap Identity();
};

// What the walks, the search and the case commands need of the code page.
struct CodePage {
    CharModel model = CharModel::SingleByte;
    LeadBytes lead{};
    CaseMap lower;
    CaseMap upper;
};

// The length of the UTF-8 sequence that starts at `at` when it is a valid one (shortest
// form, no surrogate, at most U+10FFFF, not cut off), else 1.
std::size_t Utf8Length(std::string_view text, std::size_t at);

// The offset just after the character that starts at `at` (a lead byte that ends the
// text stands alone).
inline std::size_t NextChar(std::string_view text, std::size_t at, const CodePage& cp) {
    const auto byte = static_cast<unsigned char>(text[at]);
    switch (cp.model) {
        case CharModel::SingleByte:
            return at + 1;
        case CharModel::DoubleByte:
            return at + (cp.lead[byte] && at + 1 < text.size() ? 2 : 1);
        case CharModel::Utf8:
            return at + (byte < 0x80 ? 1 : Utf8Length(text, at));
    }
    return at + 1;
}

// Whether the byte is a character by itself whatever follows it (the search's fast path).
inline bool IsSingleByteChar(unsigned char byte, const CodePage& cp) {
    return cp.model == CharModel::SingleByte ||
           (cp.model == CharModel::DoubleByte ? !cp.lead[byte] : byte < 0x80);
}

// The character that starts at `at`, and its length in bytes.
CharCode CharAt(std::string_view text, std::size_t at, const CodePage& cp, std::size_t* length);

std::size_t CharCount(std::string_view text, const CodePage& cp);

// The byte offset where character number `chars` (from 0) starts; the text's length
// when it has no more characters.
std::size_t OffsetOfChar(std::string_view text, std::size_t chars, const CodePage& cp);

// How many UTF-16 units the text takes (a four-byte UTF-8 character takes two; any
// other character or unit one), and the byte offset where unit number `units` starts
// (a position inside a pair means the character's end).
std::size_t Utf16Count(std::string_view text, const CodePage& cp);
std::size_t OffsetOfUtf16(std::string_view text, std::size_t units, const CodePage& cp);

// The first character boundary at or after `offset`.
std::size_t CharBoundaryFrom(std::string_view text, std::size_t offset, const CodePage& cp);

// The offset of the last character that is one of `chars` (single-byte characters), or
// npos: a trail byte of the same value is no such character.
std::size_t FindLastCharOf(std::string_view text, std::string_view chars, const CodePage& cp);

// The text with each character mapped, or kept where the map has no other case for it
// (under UTF-8 also where the other case has another length).
std::string MapCase(std::string_view text, const CodePage& cp, const CaseMap& map);

}  // namespace quillet
