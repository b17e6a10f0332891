#pragma once
// Document files: whole reads and writes, their titles, lengths and the load limit.
// Failures are reported with the "Error #" message box.
#include <optional>
#include <string>

#include <windows.h>

namespace mdlCode {

// Loading refuses files longer than this (bytes).
constexpr long long kMaxLoadBytes = 65536;

// True when the path is too long for the ANSI file calls (MAX_PATH characters with the
// closing NUL): they would answer "not found" for a file that may well be there.
bool PathTooLongForAnsiCalls(const std::string& path);

// The name of the first ordinary file the path matches, as the file system spells it;
// "Untitled" when none does. Raises RunTimeError when the search itself fails.
std::string TitleFromPath(const std::string& path);

// The length of a file in bytes, by a size query: a quick early refusal only, since the
// file may hold other bytes by the time it is read. Raises RunTimeError when it can't
// be had.
long long FileLength(const std::string& path);

// A document file read through one handle, of which no more than kMaxLoadBytes + 1 bytes
// are ever read: Loaded with the text (NUL bytes as the placeholder) when the file held
// at most kMaxLoadBytes; TooLong when it held more when read, whatever its size said
// before; Failed after a failure, reported with the "Error #" message (a handle that is
// no disk file counts as missing).
struct LoadedText {
    enum class Outcome { Loaded, TooLong, Failed };
    Outcome outcome = Outcome::Failed;
    std::string text;
};
LoadedText LoadTextFile(const std::string& path);

// The same for a handle already open for reading, from where it stands.
LoadedText LoadTextFrom(HANDLE file);

// The text of LoadTextFile, the empty string when the file was too long or failed.
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
