#pragma once
// Document files: whole reads and writes, their titles, lengths and the load limit.
// Failures are reported with the "Error #" message box.
#include <optional>
#include <string>

namespace mdlCode {

// Loading refuses files longer than this (bytes).
constexpr long long kMaxLoadBytes = 65536;

// The name of the first ordinary file the path matches, as the file system spells it;
// "Untitled" when none does. Raises RunTimeError when the search itself fails.
std::string TitleFromPath(const std::string& path);

// The length of a file in bytes. Raises RunTimeError when it can't be had.
long long FileLength(const std::string& path);

// A whole document file as text (NUL bytes as the placeholder). Reports a failure
// with the "Error #" message and then yields nothing.
std::optional<std::string> TryReadTextFile(const std::string& path);

// As TryReadTextFile, the empty string after a failure.
std::string ReadTextFile(const std::string& path);

// Where a save can be made to fail on purpose, for tests: the write of the new content
// into the file, and the write that puts the old content back after that failed. Each
// is an error number (0: no failure); the write fails half-way.
struct SaveFaults {
    unsigned long write = 0;
    unsigned long restore = 0;
};

// Stores the text as the whole content of the file at the path (the placeholder written
// as NUL), in the file itself: links, permissions and attributes stay. A device's name
// is refused. Reports a failure with the "Error #" message and returns false; the old
// content is then still in the file or, if it could not be put back, in a copy whose
// path the message names.
bool WriteTextFile(const std::string& path, const std::string& text, const SaveFaults& faults = {});

}  // namespace mdlCode
