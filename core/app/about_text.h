#pragma once
// The About box's text and the version numbers it shows, read out of the program's
// version record without any Win32 call.
#include <cstddef>
#include <optional>
#include <string>

namespace quillet {

struct FileVersion {
    unsigned major;
    unsigned minor;
    unsigned build;
    unsigned revision;
};

// The file version of a version record (the bytes of its resource): the fixed part
// that follows the record's key. Nothing when the bytes hold no such part.
std::optional<FileVersion> FixedFileVersion(const unsigned char* record, size_t size);

// "Quillet v1.0.70" and the author and contact lines below it, lines joined by CR LF.
std::string AboutText(const FileVersion& version);

}  // namespace quillet
