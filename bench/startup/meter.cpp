// Start-up against the floor, in one run: starts quillet.exe with a file and without,
// and the floor program likewise, alternating them, and takes for each the time from
// CreateProcess to its first visible top-level window with the expected caption and
// the process's peak working set at that moment. Prints medians and ratios.
// Usage: startup_meter.exe <file> [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Program {
    const char* label;
    std::string commandLine;
    std::string caption;
    std::vector<double> ms;
    std::vector<double> peakMb;
};

struct Search {
    DWORD pid;
    const std::string* caption;
    bool found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char text[512] = {};
    if (pid == search->pid && IsWindowVisible(hwnd) &&
        GetWindowTextA(hwnd, text, sizeof text) > 0 && *search->caption == text) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

bool RunOnce(Program& program) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = program.commandLine;
    LARGE_INTEGER frequency{}, start{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::fprintf(stderr, "can't start %s\n", program.commandLine.c_str());
        return false;
    }
    Search search{pi.dwProcessId, &program.caption, false};
    for (int i = 0; i < 20000 && !search.found; ++i) {
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            Sleep(1);
        }
    }
    QueryPerformanceCounter(&now);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!search.found) {
        std::fprintf(stderr, "no window \"%s\"\n", program.caption.c_str());
        return false;
    }
    program.ms.push_back(1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                         static_cast<double>(frequency.QuadPart));
    program.peakMb.push_back(static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0);
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Folder() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_meter <file> [runs]\n");
        return 2;
    }
    const std::string file = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const std::string name = file.substr(file.find_last_of("\\/") + 1);
    const std::string dir = Folder();
    std::vector<Program> programs = {
        {"quillet, file", "\"" + dir + "quillet.exe\" " + file, name + " - Quillet", {}, {}},
        {"floor, file", "\"" + dir + "startup_floor.exe\" " + file, "Floor edit", {}, {}},
        {"quillet, empty", "\"" + dir + "quillet.exe\"", "Untitled - Quillet", {}, {}},
        {"floor, empty", "\"" + dir + "startup_floor.exe\"", "Floor empty", {}, {}},
    };
    for (Program& p : programs) {  // one unmeasured start each: the files are cached
        RunOnce(p);
        p.ms.clear();
        p.peakMb.clear();
    }
    for (int run = 0; run < runs; ++run) {
        for (Program& p : programs) {
            if (!RunOnce(p)) {
                return 1;
            }
        }
    }
    std::printf("%-16s %10s %12s   (median of %d runs)\n", "program", "time ms", "peak WS MB",
                runs);
    for (const Program& p : programs) {
        std::printf("%-16s %10.1f %12.2f\n", p.label, Median(p.ms), Median(p.peakMb));
    }
    std::printf("with the file: time %.2fx, peak working set %.2fx the floor\n",
                Median(programs[0].ms) / Median(programs[1].ms),
                Median(programs[0].peakMb) / Median(programs[1].peakMb));
    std::printf("empty: time %.2fx, peak working set %.2fx the empty window\n",
                Median(programs[2].ms) / Median(programs[3].ms),
                Median(programs[2].peakMb) / Median(programs[3].peakMb));
    return 0;
}
