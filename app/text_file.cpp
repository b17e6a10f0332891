// Reading and writing whole document files, their titles and lengths.
#include <algorithm>
#include <cwchar>
#include <new>
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

[[noreturn]] void Fail(unsigned long number) {
    throw RunTimeError(number, ErrorDescription(number));
}

// The replacement works on wide long-form paths ("\\?\C:\..."): the temporary file's
// name is longer than some targets' names, and must fit wherever the target itself does.
std::wstring LongPath(const std::string& path) {
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

// A new file beside the target, removed again unless it was put in the target's place.
class TempFile {
public:
    // Creates it under a short unique name in the folder, open for writing.
    explicit TempFile(const std::wstring& folder) {
        static unsigned counter = 0;
        for (int attempt = 0; attempt < 1000; ++attempt) {
            const unsigned tag =
                (GetCurrentProcessId() * 2654435761u) ^ GetTickCount() ^ (++counter * 40503u);
            wchar_t name[16];
            swprintf(name, 16, L"~q%06x.tmp", tag & 0xFFFFFFu);
            std::wstring path = folder + name;
            UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file.get() != INVALID_HANDLE_VALUE) {
                path_ = std::move(path);
                file_ = std::move(file);
                return;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
                Fail(error);
            }
        }
        Fail(ERROR_FILE_EXISTS);
    }
    ~TempFile() {
        file_.reset();
        if (!path_.empty()) {
            SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::wstring& path() const { return path_; }
    HANDLE file() const { return file_.get(); }
    void Close() { file_.reset(); }
    void Keep() { path_.clear(); }

private:
    std::wstring path_;
    UniqueHandle file_;
};

void WriteAll(HANDLE file, const std::string& bytes) {
    // One write for any document the text box can hold; larger ones go in pieces.
    constexpr size_t kMaxPiece = 0x40000000;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size() - done, kMaxPiece));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr)) {
            RaiseLastError();
        }
        if (written != piece) {
            Fail(ERROR_DISK_FULL);
        }
        done += piece;
    }
}

// The new content goes into a file beside the target, reaches the disk, and only then
// takes the target's place, so a failure at any step leaves the old file as it was.
void ReplaceFileContent(const std::string& path, const std::string& bytes) {
    const std::wstring target = LongPath(path);
    const DWORD oldAttributes = GetFileAttributesW(target.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        // A rename would replace a read-only file that a delete could not: refuse it.
        if (oldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
            Fail(ERROR_ACCESS_DENIED);
        }
    }
    TempFile temp(target.substr(0, target.find_last_of(L'\\') + 1));
    WriteAll(temp.file(), bytes);
    if (!FlushFileBuffers(temp.file())) {
        RaiseLastError();
    }
    temp.Close();
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        const DWORD saved = quillet::SavedFileAttributes(oldAttributes);
        if (saved != 0 && !SetFileAttributesW(temp.path().c_str(), saved)) {
            RaiseLastError();
        }
    }
    if (!MoveFileExW(temp.path().c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        RaiseLastError();
    }
    temp.Keep();
}

}  // namespace

bool WriteTextFile(const std::string& path, const std::string& text) {
    try {
        ReplaceFileContent(path, quillet::FileBytesFromText(text));
        return true;
    } catch (const RunTimeError& failure) {
        ShowFileError(failure.number());
    } catch (const std::bad_alloc&) {
        ShowFileError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return false;
}

}  // namespace mdlCode
