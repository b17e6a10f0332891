#include "core/text/ansi_chars.h"

#include <algorithm>

namespace quillet {

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point of a valid sequence of `length` bytes at `at`.
char32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t length) {
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<unsigned char>(text[at]) & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i) {
        code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    }
    return code;
}

std::size_t EncodedLength(char32_t code) {
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

void EncodeUtf8(char32_t code, std::size_t length, char* out) {
    static constexpr unsigned char kLeadBits[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (std::size_t i = length - 1; i > 0; --i) {
        out[i] = static_cast<char>(0x80 | (code & 0x3F));
        code >>= 6;
    }
    out[0] = static_cast<char>(kLeadBits[length] | code);
}

bool IsSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// ASCII through the map's table; every other character in UTF-16 through the
// platform's mapping once, then put back where its other case has as many bytes: one
// pass out, one call, one pass back over what isn't ASCII.
void MapUtf8Case(std::string& text, const CaseMap& map, const CodePage& cp) {
    std::u16string wide;
    const std::size_t size = text.size();
    for (std::size_t at = 0; at < size;) {
        auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            const unsigned char mapped = map.single[byte];
            text[at++] = static_cast<char>(mapped < 0x80 ? mapped : byte);
            continue;
        }
        const std::size_t length = Utf8Length(text, at);
        if (length > 1) {  // a byte that is no character has no case
            const char32_t code = DecodeUtf8(text, at, length);
            if (code >= 0x10000) {
                wide.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
                wide.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
            } else {
                wide.push_back(static_cast<char16_t>(code));
            }
        }
        at += length;
    }
    if (wide.empty() || map.wide == nullptr) {
        return;
    }
    map.wide(wide);
    std::size_t unit = 0;
    for (std::size_t at = 0, next; at < size; at = next) {
        next = NextChar(text, at, cp);
        const std::size_t length = next - at;
        if (length == 1) {
            continue;
        }
        char32_t mapped = wide[unit++];
        if (length == 4) {
            const char32_t low = wide[unit++];
            if (mapped < 0xD800 || mapped > 0xDBFF || low < 0xDC00 || low > 0xDFFF) {
                continue;
            }
            mapped = 0x10000 + ((mapped - 0xD800) << 10) + (low - 0xDC00);
        } else if (IsSurrogate(mapped)) {
            continue;
        }
        if (EncodedLength(mapped) == length) {
            EncodeUtf8(mapped, length, &text[at]);
        }
    }
}

}  // namespace

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

std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto first = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned char low = 0x80;   // the second byte's range, narrowed against overlong
    unsigned char high = 0xBF;  // forms, surrogates and values above U+10FFFF
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        low = first == 0xE0 ? 0xA0 : 0x80;
        high = first == 0xED ? 0x9F : 0xBF;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        low = first == 0xF0 ? 0x90 : 0x80;
        high = first == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 1;
    }
    if (length > text.size() - at) {
        return 1;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high) {
        return 1;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) {
            return 1;
        }
    }
    return length;
}

CharCode CharAt(std::string_view text, std::size_t at, const CodePage& cp, std::size_t* length) {
    const std::size_t next = NextChar(text, at, cp);
    *length = next - at;
    CharCode code = static_cast<unsigned char>(text[at]);
    for (std::size_t i = at + 1; i < next; ++i) {
        code = code << 8 | static_cast<unsigned char>(text[i]);
    }
    return code;
}

std::size_t CharCount(std::string_view text, const CodePage& cp) {
    if (cp.model == CharModel::SingleByte) {
        return text.size();
    }
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at = NextChar(text, at, cp)) {
        ++count;
    }
    return count;
}

std::size_t OffsetOfChar(std::string_view text, std::size_t chars, const CodePage& cp) {
    if (cp.model == CharModel::SingleByte) {
        return std::min(chars, text.size());
    }
    std::size_t at = 0;
    for (; at < text.size() && chars > 0; --chars) {
        at = NextChar(text, at, cp);
    }
    return at;
}

std::size_t Utf16Count(std::string_view text, const CodePage& cp) {
    if (cp.model != CharModel::Utf8) {
        return CharCount(text, cp);
    }
    std::size_t count = 0;
    for (std::size_t at = 0, next; at < text.size(); at = next) {
        next = NextChar(text, at, cp);
        count += next - at == 4 ? 2 : 1;
    }
    return count;
}

std::size_t OffsetOfUtf16(std::string_view text, std::size_t units, const CodePage& cp) {
    if (cp.model != CharModel::Utf8) {
        return OffsetOfChar(text, units, cp);
    }
    std::size_t at = 0;
    while (at < text.size() && units > 0) {
        const std::size_t next = NextChar(text, at, cp);
        const std::size_t width = next - at == 4 ? 2 : 1;
        units = units > width ? units - width : 0;
        at = next;
    }
    return at;
}

std::size_t CharBoundaryFrom(std::string_view text, std::size_t offset, const CodePage& cp) {
    if (offset >= text.size()) {
        return text.size();
    }
    if (cp.model == CharModel::SingleByte) {
        return offset;
    }
    if (cp.model == CharModel::Utf8) {
        // Only a continuation byte can lie inside a character, and only within three
        // bytes of the lead byte that begins it; a lead byte always begins a unit.
        for (std::size_t back = 1; back <= 3 && back <= offset; ++back) {
            const std::size_t start = offset - back;
            const auto byte = static_cast<unsigned char>(text[start]);
            if (!IsContinuation(byte)) {
                const std::size_t length = byte >= 0xC2 ? Utf8Length(text, start) : 1;
                return length > back ? start + length : offset;
            }
        }
        return offset;
    }
    // A byte that can't be a lead byte ends a character, whether it is one alone or a
    // trail byte: from just after it the bytes before `offset`, all lead-byte values,
    // pair up. No walk from the start is needed.
    std::size_t run = offset;
    while (run > 0 && cp.lead[static_cast<unsigned char>(text[run - 1])]) {
        --run;
    }
    return (offset - run) % 2 == 0 ? offset : offset + 1;
}

std::size_t FindLastCharOf(std::string_view text, std::string_view chars, const CodePage& cp) {
    std::size_t found = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at = NextChar(text, at, cp)) {
        if (NextChar(text, at, cp) == at + 1 && chars.find(text[at]) != std::string_view::npos) {
            found = at;
        }
    }
    return found;
}

std::string MapCase(std::string_view text, const CodePage& cp, const CaseMap& map) {
    std::string out(text);
    if (cp.model == CharModel::Utf8) {
        MapUtf8Case(out, map, cp);
        return out;
    }
    std::size_t length = 0;
    for (std::size_t at = 0; at < out.size(); at += length) {
        const CharCode mapped = map.Map(CharAt(out, at, cp, &length));
        if (length == 1) {
            out[at] = static_cast<char>(cp.lead[mapped & 0xFF] ? out[at] : mapped);
        } else if (mapped > 0xFF) {
            out[at] = static_cast<char>(mapped >> 8);
            out[at + 1] = static_cast<char>(mapped & 0xFF);
        }
    }
    return out;
}

}  // namespace quillet
