#include "core/app/about_text.h"

#include <cstdint>

namespace quillet {

namespace {

uint32_t Dword(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

constexpr uint32_t kFixedSignature = 0xFEEF04BD;
// Header (three 16-bit words) and the UTF-16 key "VS_VERSION_INFO" with its NUL.
constexpr size_t kKeyEnd = 6 + 16 * 2;
constexpr size_t kFixedSize = 13 * 4;

}  // namespace

std::optional<FileVersion> FixedFileVersion(const unsigned char* record, size_t size) {
    if (record == nullptr) {
        return std::nullopt;
    }
    const size_t fixed = (kKeyEnd + 3) & ~size_t{3};  // the fixed part is 32-bit aligned
    const size_t valueLength = size >= 4 ? (record[2] | record[3] << 8) : 0;
    if (size < fixed + kFixedSize || valueLength < kFixedSize ||
        Dword(record + fixed) != kFixedSignature) {
        return std::nullopt;
    }
    const uint32_t ms = Dword(record + fixed + 8);
    const uint32_t ls = Dword(record + fixed + 12);
    return FileVersion{ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF};
}

std::string AboutText(const FileVersion& v) {
    const std::string crlf = "\r\n";
    return "Quillet v" + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision) + crlf + crlf + "Written by the Quillet developers." + crlf +
           crlf + "Contact information:" + crlf + "   Project:\tQuillet" + crlf +
           "   E-mail:\tquillet@example.org" + crlf + "   Website:\thttps://quillet.example.org" +
           crlf + "_______" + crlf + "See 'whatsnew.txt' for details.";
}

}  // namespace quillet
