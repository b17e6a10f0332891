#include "platform/code_page.h"

#include <vector>

using quillet::CaseMap;
using quillet::CharCode;

namespace {

// One character's bytes (one or two) as UTF-16, or 0 when they are not one valid
// character of the code page.
wchar_t WideOf(const char* bytes, int length) {
    wchar_t wide[2] = {};
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
    return n == 1 ? wide[0] : 0;
}

// The code page's bytes for a UTF-16 text, when it holds every character of it without a
// substitute; empty otherwise.
std::string AnsiOf(const wchar_t* wide, int units) {
    char out[16] = {};
    BOOL usedDefault = FALSE;
    // UTF-8 takes neither flag nor the default-character question.
    const bool utf8 = GetACP() == CP_UTF8;
    const int n = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, units, out,
                                      sizeof out, nullptr, utf8 ? nullptr : &usedDefault);
    if (n <= 0 || usedDefault) {
        return "";
    }
    // UTF-8 holds every character (the texts here are whole UTF-16 characters).
    return std::string(out, static_cast<size_t>(n));
}

// The code page's bytes for a UTF-16 character, when it has exactly `length` of them
// and needs no substitute.
bool AnsiOf(wchar_t wide, int length, char* bytes) {
    const std::string out = AnsiOf(&wide, 1);
    if (static_cast<int>(out.size()) != length) {
        return false;
    }
    bytes[0] = out[0];
    bytes[1] = out.size() > 1 ? out[1] : '\0';
    return true;
}

const quillet::LeadBytes& AnsiLeadBytes() {
    static const quillet::LeadBytes lead = [] {
        quillet::LeadBytes table{};
        for (int c = 0; c < 256; ++c) {
            table[static_cast<size_t>(c)] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(c)) != 0;
        }
        return table;
    }();
    return lead;
}

quillet::CharModel AnsiModel() {
    static const quillet::CharModel model = [] {
        CPINFO info{};
        if (GetACP() == CP_UTF8) {
            return quillet::CharModel::Utf8;
        }
        return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1 ? quillet::CharModel::DoubleByte
                                                                : quillet::CharModel::SingleByte;
    }();
    return model;
}

// UTF-8's case mapping, per call: the platform maps UTF-16 text unit by unit.
void LowerWide(std::u16string& text) {
    if (!text.empty()) {
        CharLowerBuffW(reinterpret_cast<LPWSTR>(text.data()), static_cast<DWORD>(text.size()));
    }
}

void UpperWide(std::u16string& text) {
    if (!text.empty()) {
        CharUpperBuffW(reinterpret_cast<LPWSTR>(text.data()), static_cast<DWORD>(text.size()));
    }
}

// Every character of the code page, its UTF-16 form, mapped with the platform's case
// conversion of UTF-16 text; a character whose other case the code page can't hold (or
// holds in another length) maps to itself.
CaseMap BuildMap(const std::vector<CharCode>& codes, std::vector<wchar_t> wide,
                 DWORD(WINAPI* convert)(LPWSTR, DWORD)) {
    CaseMap map = CaseMap::Identity();
    const std::vector<wchar_t> original = wide;
    convert(wide.data(), static_cast<DWORD>(wide.size()));
    const quillet::LeadBytes& lead = AnsiLeadBytes();
    for (size_t i = 0; i < codes.size(); ++i) {
        if (wide[i] == original[i]) {
            continue;
        }
        const bool twoBytes = codes[i] > 0xFF;
        char bytes[2] = {};
        if (!AnsiOf(wide[i], twoBytes ? 2 : 1, bytes)) {
            continue;
        }
        if (!twoBytes) {
            const auto mapped = static_cast<unsigned char>(bytes[0]);
            if (!lead[mapped]) {
                map.single[codes[i]] = mapped;
            }
            continue;
        }
        const auto mapped = static_cast<CharCode>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                  static_cast<unsigned char>(bytes[1]));
        if (lead[mapped >> 8]) {
            map.pairs.emplace_back(codes[i], mapped);
        }
    }
    return map;  // pairs were added in code order: already sorted
}

}  // namespace

bool AnsiIsMultiByte() {
    return AnsiModel() != quillet::CharModel::SingleByte;
}

const quillet::CodePage& AnsiCodePage() {
    static const quillet::CodePage codePage = [] {
        quillet::CodePage cp;
        cp.model = AnsiModel();
        if (cp.model == quillet::CharModel::Utf8) {
            // ASCII from a table of the platform's mapping; the rest per call.
            std::vector<CharCode> ascii(0x80);
            std::vector<wchar_t> wide(0x80);
            for (CharCode c = 0; c < 0x80; ++c) {
                ascii[c] = c;
                wide[c] = static_cast<wchar_t>(c);
            }
            cp.lower = BuildMap(ascii, wide, &CharLowerBuffW);
            cp.upper = BuildMap(ascii, wide, &CharUpperBuffW);
            cp.lower.wide = &LowerWide;
            cp.upper.wide = &UpperWide;
            return cp;
        }
        const quillet::LeadBytes& lead = AnsiLeadBytes();
        std::vector<CharCode> codes;
        std::vector<wchar_t> wide;
        const auto add = [&](CharCode code, const char* bytes, int length) {
            if (const wchar_t w = WideOf(bytes, length); w != 0 || code == 0) {
                codes.push_back(code);
                wide.push_back(w);
            }
        };
        for (int c = 0; c < 256; ++c) {
            const char byte = static_cast<char>(c);
            if (!lead[static_cast<size_t>(c)]) {
                add(static_cast<CharCode>(c), &byte, 1);
            }
        }
        for (int first = 0; first < 256; ++first) {
            if (!lead[static_cast<size_t>(first)]) {
                continue;
            }
            for (int second = 0x40; second < 256; ++second) {
                const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
                add(static_cast<CharCode>(first << 8 | second), bytes, 2);
            }
        }
        cp.lead = lead;
        cp.lower = BuildMap(codes, wide, &CharLowerBuffW);
        cp.upper = BuildMap(codes, wide, &CharUpperBuffW);
        return cp;
    }();
    return codePage;
}

std::string AnsiSampleChars() {
    switch (AnsiModel()) {
        case quillet::CharModel::Utf8:
            return AnsiOf(L"\x00E9\xD83D\xDE00", 3);  // e acute and an emoji: 2 and 4 bytes
        case quillet::CharModel::DoubleByte:
            break;
        case quillet::CharModel::SingleByte:
            return "";
    }
    const quillet::LeadBytes& lead = AnsiLeadBytes();
    for (int first = 0x81; first < 256; ++first) {
        for (int second = 0x40; second < 256 && lead[static_cast<size_t>(first)]; ++second) {
            const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
            if (WideOf(bytes, 2) != 0) {
                return std::string(bytes, 2);
            }
        }
    }
    return "";
}

std::string AnsiEllipsis() {
    const wchar_t ellipsis = 0x2026;
    const std::string bytes = AnsiOf(&ellipsis, 1);
    return bytes.empty() ? "..." : bytes;
}
