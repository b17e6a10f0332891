// A save as the Save command makes it, under Wine (the file system's work is the
// platform's): WriteTextFile over an existing file of the same length, 16 K, 32 K and
// 64 K bytes, median and 90th percentile of 101 runs, in the folder given on the command
// line (the temporary folder without one). Beside it, run for run in turn, a reference:
// the new bytes written to a new file beside the target, flushed and renamed over it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/text_file.h"

namespace {

double Now() {
    LARGE_INTEGER f{}, c{};
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1e3 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string Document(size_t length, char fill) {
    std::string text;
    while (text.size() < length) {
        text += std::string(62, fill) + "\r\n";
    }
    text.resize(length);
    return text;
}

bool RenameSave(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".new";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool stored =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        FlushFileBuffers(file);
    CloseHandle(file);
    return stored && MoveFileExA(temp.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

double Median(std::vector<double>& times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double P90(const std::vector<double>& sorted) {
    return sorted[sorted.size() * 9 / 10];
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        char temp[MAX_PATH] = {};
        folder.assign(temp, GetTempPathA(MAX_PATH, temp));
    }
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    const std::string path = folder + "quillet-save-bench.txt";
    std::printf("%-10s %12s %12s %14s %12s\n", "bytes", "median ms", "p90 ms", "rename median",
                "rename p90");
    for (size_t length : {16384u, 32768u, 65536u}) {
        const std::string texts[] = {Document(length, 'a'), Document(length, 'b')};
        if (!mdlCode::WriteTextFile(path, texts[1])) {
            return 1;
        }
        std::vector<double> times, renames;
        for (int run = 0; run < 101; ++run) {
            double begin = Now();
            const bool saved = mdlCode::WriteTextFile(path, texts[run % 2]);
            times.push_back(Now() - begin);
            begin = Now();
            const bool renamed = RenameSave(path, texts[run % 2]);
            renames.push_back(Now() - begin);
            if (!saved || !renamed) {
                return 1;
            }
        }
        const double median = Median(times), renameMedian = Median(renames);
        std::printf("%-10zu %12.2f %12.2f %14.2f %12.2f\n", length, median, P90(times),
                    renameMedian, P90(renames));
    }
    DeleteFileA(path.c_str());
    return 0;
}
