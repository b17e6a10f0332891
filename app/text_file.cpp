// Reading and writing whole document files.
#include <algorithm>
#include <new>
#include <vector>

#include "app/mdlCode.h"
#include "app/text_format.h"
#include "platform/win32_util.h"

namespace mdlCode {

std::optional<std::string> TryReadTextFile(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        ShowFileError(GetLastError());
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        ShowFileError(GetLastError());
        return std::nullopt;
    }
    if (size.QuadPart > 0x7FFFFFFF) {
        ShowFileError(ERROR_NOT_ENOUGH_MEMORY);
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        ShowFileError(GetLastError());
        return std::nullopt;
    }
    bytes.resize(read);
    return quillet::TextFromFileBytes(std::move(bytes));
}

std::string ReadTextFile(const std::string& path) {
    return TryReadTextFile(path).value_or("");
}

namespace {

// A new file that is removed again unless it was put in its place.
class TempFile {
public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    ~TempFile() {
        if (!path_.empty()) {
            SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

[[noreturn]] void Fail(unsigned long number) {
    throw RunTimeError(number, ErrorDescription(number));
}

std::string FullPathOf(const std::string& path) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        RaiseLastError();
    }
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        RaiseLastError();
    }
    full.resize(length);
    return full;
}

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
    const std::string target = FullPathOf(path);
    const DWORD oldAttributes = GetFileAttributesA(target.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        // A rename would replace a read-only file that a delete could not: refuse it.
        if (oldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
            Fail(ERROR_ACCESS_DENIED);
        }
    }
    const size_t separator = target.find_last_of('\\');
    const std::string folder =
        separator == std::string::npos ? std::string(".") : target.substr(0, separator + 1);
    char tempName[MAX_PATH] = {};
    if (GetTempFileNameA(folder.c_str(), "qlt", 0, tempName) == 0) {
        RaiseLastError();
    }
    TempFile temp(tempName);
    {
        UniqueHandle file(CreateFileA(temp.path().c_str(), GENERIC_WRITE, 0, nullptr,
                                      TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            RaiseLastError();
        }
        WriteAll(file.get(), bytes);
        if (!FlushFileBuffers(file.get())) {
            RaiseLastError();
        }
    }
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        // A hidden or system document stays so.
        const DWORD kept = oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (kept != 0 && !SetFileAttributesA(temp.path().c_str(), kept)) {
            RaiseLastError();
        }
    }
    if (!MoveFileExA(temp.path().c_str(), target.c_str(),
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
