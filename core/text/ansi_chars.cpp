#include "core/text/ansi_chars.h"

#include <algorithm>

namespace quillet {

CharCode CaseMap::Map(CharCode c) const {
    if (c < 256) {
        return single[c];
    }
    const auto it = std::lower_bound(pairs.begin(), pairs.end(), std::make_pair(c, CharCode{0}));
    return it != pairs.end() && it->first == c ? it->second : c;
}

CaseMap CaseMap::Identity() {
    CaseMap map;
    for (std::size_t c = 0; c < map.single.size(); ++c) {
        map.single[c] = static_cast<unsigned char>(c);
    }
    return map;
}

CharCode CharAt(std::string_view text, std::size_t at, const LeadBytes& lead, std::size_t* length) {
    const std::size_t next = NextChar(text, at, lead);
    *length = next - at;
    const auto first = static_cast<unsigned char>(text[at]);
    return *length == 1
               ? first
               : static_cast<CharCode>(first << 8 | static_cast<unsigned char>(text[at + 1]));
}

std::size_t CharCount(std::string_view text, const LeadBytes& lead) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at = NextChar(text, at, lead)) {
        ++count;
    }
    return count;
}

std::size_t OffsetOfChar(std::string_view text, std::size_t chars, const LeadBytes& lead) {
    std::size_t at = 0;
    for (; at < text.size() && chars > 0; --chars) {
        at = NextChar(text, at, lead);
    }
    return at;
}

std::size_t CharBoundaryFrom(std::string_view text, std::size_t offset, const LeadBytes& lead) {
    if (offset >= text.size()) {
        return text.size();
    }
    // A byte that can't be a lead byte ends a character, whether it is one alone or a
    // trail byte: from just after it the bytes before `offset`, all lead-byte values,
    // pair up. No walk from the start is needed.
    std::size_t run = offset;
    while (run > 0 && lead[static_cast<unsigned char>(text[run - 1])]) {
        --run;
    }
    return (offset - run) % 2 == 0 ? offset : offset + 1;
}

std::size_t FindLastCharOf(std::string_view text, std::string_view chars, const LeadBytes& lead) {
    std::size_t found = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at = NextChar(text, at, lead)) {
        if (NextChar(text, at, lead) == at + 1 && chars.find(text[at]) != std::string_view::npos) {
            found = at;
        }
    }
    return found;
}

std::string MapCase(std::string_view text, const LeadBytes& lead, const CaseMap& map) {
    std::string out(text);
    std::size_t length = 0;
    for (std::size_t at = 0; at < out.size(); at += length) {
        const CharCode mapped = map.Map(CharAt(out, at, lead, &length));
        if (length == 1) {
            out[at] = static_cast<char>(lead[mapped & 0xFF] ? out[at] : mapped);
        } else if (mapped > 0xFF) {
            out[at] = static_cast<char>(mapped >> 8);
            out[at + 1] = static_cast<char>(mapped & 0xFF);
        }
    }
    return out;
}

}  // namespace quillet
