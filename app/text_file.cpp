// Reading and writing whole document files, their titles and lengths.
#include <algorithm>
#include <cwchar>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "app/text_file.h"

#include "app/mdlCode.h"
#include "core/text/text_format.h"
#include "platform/error_box.h"
#include "platform/file_search.h"
#include "platform/win32_util.h"

namespace {

void ShowFileError(unsigned long number) {
    ShowErrorBox(mdlCode::Platform(), mdlCode::MessageOwner(), number);
}

}  // namespace

namespace mdlCode {

bool PathTooLongForAnsiCalls(const std::string& path) {
    return WideFromAnsi(path).size() >= MAX_PATH;
}

std::string TitleFromPath(const std::string& path) {
    return FirstOrdinaryFile(path).value_or(kUntitled);
}

long long FileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        RaiseLastError();
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

LoadedText LoadTextFrom(HANDLE file) {
    // Only a disk file is a document: a device or a pipe is no file of that name.
    SetLastError(NO_ERROR);
    const DWORD type = GetFileType(file);
    if (type != FILE_TYPE_DISK) {
        const DWORD error = GetLastError();
        ShowFileError(type == FILE_TYPE_UNKNOWN && error != NO_ERROR ? error
                                                                     : ERROR_FILE_NOT_FOUND);
        return {};
    }
    // One byte past the limit tells a file too long from one just at it; the size the
    // file reported before is no promise, so the read itself is what is counted.
    std::string bytes(static_cast<size_t>(kMaxLoadBytes) + 1, '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read,
                      nullptr)) {
            ShowFileError(GetLastError());
            return {};
        }
        if (read == 0) {
            break;
        }
        done += read;
    }
    if (done > static_cast<size_t>(kMaxLoadBytes)) {
        return {LoadedText::Outcome::TooLong, {}};
    }
    bytes.resize(done);
    return {LoadedText::Outcome::Loaded, quillet::TextFromFileBytes(std::move(bytes))};
}

LoadedText LoadTextFile(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        ShowFileError(GetLastError());
        return {};
    }
    return LoadTextFrom(file.get());
}

std::string ReadTextFile(const std::string& path) {
    return LoadTextFile(path).text;
}

namespace {

constexpr const char* kLineBreak = "\r\n";

[[noreturn]] void Fail(unsigned long number) {
    throw RunTimeError(number, ErrorDescription(number));
}

std::string FullPath(const std::string& path) {
    std::string full;
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed != 0) {
        full.resize(needed);
        const DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
        full.resize(length < needed ? length : 0);
    }
    if (full.empty()) {
        RaiseLastError();
    }
    return full;
}

// A name that opens a device (NUL.txt, CON, COM1) is no file: a save there would write
// nothing anywhere and say nothing.
[[noreturn]] void FailDevice(const std::string& path) {
    throw RunTimeError(ERROR_BAD_DEVICE, ErrorDescription(ERROR_BAD_DEVICE) + kLineBreak +
                                             "The text was not saved: '" + path +
                                             "' is a device, not a file.");
}

// The save works on wide long-form paths ("\\?\C:\..."): the safety copy's name is
// longer than some targets' names, and must fit wherever the target itself does.
std::wstring LongPath(const std::string& full) {
    std::wstring wide = WideFromAnsi(full);
    if (wide.empty()) {
        RaiseLastError();
    }
    // A device path ("\\.\C:\...") names the same file in the long form.
    if (wide.compare(0, 4, L"\\\\?\\") == 0 || wide.compare(0, 4, L"\\\\.\\") == 0) {
        return L"\\\\?\\" + wide.substr(4);
    }
    if (wide.compare(0, 2, L"\\\\") == 0) {
        return L"\\\\?\\UNC\\" + wide.substr(2);
    }
    return L"\\\\?\\" + wide;
}

// A long-form path as the user writes it, for a message.
std::string ShownPath(std::wstring path) {
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) {
        path = L"\\\\" + path.substr(8);
    } else if (path.compare(0, 4, L"\\\\?\\") == 0) {
        path = path.substr(4);
    }
    return AnsiFromWide(path.data(), path.size());
}

// The path of the file itself, links followed; empty when the system can't say.
std::wstring FinalPath(HANDLE file) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) {
            return L"";
        }
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(n);
    }
}

BY_HANDLE_FILE_INFORMATION FileInformation(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) {
        RaiseLastError();
    }
    return info;
}

// Writes the bytes at the file's position. A fault given by a test fails the write
// half-way with that error number.
void WriteBytes(HANDLE file, const char* data, size_t size, unsigned long fault) {
    if (fault != 0) {
        DWORD written = 0;
        WriteFile(file, data, static_cast<DWORD>(size / 2), &written, nullptr);
        Fail(fault);
    }
    // One write for any document the text box can hold; larger ones go in pieces.
    constexpr size_t kMaxPiece = 0x40000000;
    size_t done = 0;
    while (done < size) {
        const DWORD piece = static_cast<DWORD>(std::min(size - done, kMaxPiece));
        DWORD written = 0;
        if (!WriteFile(file, data + done, piece, &written, nullptr)) {
            RaiseLastError();
        }
        if (written != piece) {
            Fail(ERROR_DISK_FULL);
        }
        done += piece;
    }
}

void Rewind(HANDLE file) {
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        RaiseLastError();
    }
}

// Ends the file at its position and sends it to the disk.
void EndAndFlush(HANDLE file) {
    if (!SetEndOfFile(file) || !FlushFileBuffers(file)) {
        RaiseLastError();
    }
}

// Everything in `from`, written over `to` from its start, which then ends there; the
// buffer's size is the piece size.
void CopyContent(HANDLE from, HANDLE to, std::string& buffer, unsigned long fault) {
    Rewind(from);
    Rewind(to);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            RaiseLastError();
        }
        if (read == 0) {
            break;
        }
        WriteBytes(to, buffer.data(), read, fault);
    }
    EndAndFlush(to);
}

// A flushed copy of a file's old content under a new name, beside the file or, when
// that folder takes no new file, in the user's temporary folder. It goes again when
// this object does, unless it is kept.
class SafetyCopy {
public:
    SafetyCopy(HANDLE file, const std::wstring& folder, std::string& buffer) {
        try {
            Make(file, folder, buffer);
        } catch (const RunTimeError& besideFile) {
            Discard();
            wchar_t temp[MAX_PATH + 1] = {};
            const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
            if (n == 0 || n > MAX_PATH) {
                throw;
            }
            try {
                Make(file, std::wstring(temp, n), buffer);
            } catch (const RunTimeError&) {
                Discard();
                throw besideFile;
            }
        }
    }
    ~SafetyCopy() { Discard(); }
    SafetyCopy(const SafetyCopy&) = delete;
    SafetyCopy& operator=(const SafetyCopy&) = delete;

    // Puts the old content back over whatever the file holds now.
    void Restore(HANDLE file, std::string& buffer, unsigned long fault) {
        CopyContent(copy_.get(), file, buffer, fault);
    }
    // Leaves the copy where it is; its path.
    std::wstring Keep() {
        copy_.reset();
        return std::exchange(path_, std::wstring());
    }

private:
    void Make(HANDLE file, const std::wstring& folder, std::string& buffer) {
        static unsigned counter = 0;
        for (int attempt = 0; attempt < 1000; ++attempt) {
            const unsigned tag =
                (GetCurrentProcessId() * 2654435761u) ^ GetTickCount() ^ (++counter * 40503u);
            wchar_t name[16];
            swprintf(name, 16, L"~q%06x.tmp", tag & 0xFFFFFFu);
            std::wstring path = folder + name;
            UniqueHandle copy(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (copy.get() != INVALID_HANDLE_VALUE) {
                path_ = std::move(path);
                copy_ = std::move(copy);
                CopyContent(file, copy_.get(), buffer, 0);
                return;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
                Fail(error);
            }
        }
        Fail(ERROR_FILE_EXISTS);
    }
    void Discard() {
        copy_.reset();
        if (!path_.empty()) {
            DeleteFileW(path_.c_str());
            path_.clear();
        }
    }

    std::wstring path_;
    UniqueHandle copy_;
};

// A file the save created, removed again if the save fails.
class NewFile {
public:
    NewFile(UniqueHandle& file, std::wstring path) : file_(file), path_(std::move(path)) {}
    ~NewFile() {
        if (!path_.empty()) {
            file_.reset();
            DeleteFileW(path_.c_str());
        }
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    void Keep() { path_.clear(); }

private:
    UniqueHandle& file_;
    std::wstring path_;
};

// Fails unless the path still leads to the file that was written: a file that was
// removed or replaced meanwhile holds the text where no name reaches it.
void CheckStillNamed(const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& written) {
    UniqueHandle named(CreateFileW(path.c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    if (named.get() == INVALID_HANDLE_VALUE) {
        RaiseLastError();
    }
    const BY_HANDLE_FILE_INFORMATION now = FileInformation(named.get());
    if (now.dwVolumeSerialNumber != written.dwVolumeSerialNumber ||
        now.nFileIndexHigh != written.nFileIndexHigh ||
        now.nFileIndexLow != written.nFileIndexLow) {
        Fail(ERROR_FILE_NOT_FOUND);
    }
}

// The new content goes into the file itself, so that it stays the user's file: every
// name and link still reaches it, and it keeps its permissions, owner, attributes,
// streams and creation time. A flushed copy of the old content is made first, and put
// back if the write fails; if even that fails, the copy is kept and named.
void SaveInPlace(const std::string& path, const std::string& bytes, const SaveFaults& faults) {
    const std::string full = FullPath(path);
    // The system spells a device's name (NUL.txt, C:\x\CON) as "\\.\NUL" in full.
    if (full.compare(0, 4, "\\\\.\\") == 0 && path.compare(0, 4, "\\\\.\\") != 0) {
        FailDevice(path);
    }
    const std::wstring target = LongPath(full);
    // Shared as viewers, indexers and sync clients share it: they may go on reading.
    UniqueHandle file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        RaiseLastError();
    }
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        FailDevice(path);
    }
    NewFile newFile(file, created ? target : std::wstring());
    const BY_HANDLE_FILE_INFORMATION old = FileInformation(file.get());
    // A read-only file stays as it is, as it would if it had to be deleted first.
    if (old.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        Fail(ERROR_ACCESS_DENIED);
    }
    const unsigned long long oldSize =
        (static_cast<unsigned long long>(old.nFileSizeHigh) << 32) | old.nFileSizeLow;
    std::optional<SafetyCopy> copy;
    std::string buffer;
    if (oldSize > 0) {
        buffer.resize(static_cast<size_t>(std::min<unsigned long long>(oldSize, 1 << 20)));
        // Beside the file itself: a link's own folder may be elsewhere.
        std::wstring folder = FinalPath(file.get());
        if (folder.empty()) {
            folder = target;
        }
        folder.erase(folder.find_last_of(L'\\') + 1);
        copy.emplace(file.get(), folder, buffer);
    }
    try {
        Rewind(file.get());
        WriteBytes(file.get(), bytes.data(), bytes.size(), faults.write);
        EndAndFlush(file.get());
        CheckStillNamed(target, old);
    } catch (...) {
        std::wstring kept;
        try {
            if (copy) {
                copy->Restore(file.get(), buffer, faults.restore);
            } else {
                Rewind(file.get());
                EndAndFlush(file.get());
            }
        } catch (...) {
            if (copy) {
                kept = copy->Keep();
            }
        }
        if (kept.empty()) {
            throw;
        }
        unsigned long number = ERROR_NOT_ENOUGH_MEMORY;
        try {
            throw;
        } catch (const RunTimeError& failure) {
            number = failure.number();
        } catch (...) {
        }
        throw RunTimeError(number, ErrorDescription(number) + kLineBreak +
                                       "The previous content is in " + ShownPath(kept));
    }
    newFile.Keep();
}

}  // namespace

bool WriteTextFile(const std::string& path, const std::string& text, const SaveFaults& faults) {
    try {
        SaveInPlace(path, quillet::FileBytesFromText(text), faults);
        return true;
    } catch (const RunTimeError& failure) {
        ShowErrorBox(Platform(), MessageOwner(), failure.number(), failure.description());
    } catch (const std::bad_alloc&) {
        ShowFileError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return false;
}

}  // namespace mdlCode
