// Start-up against the floor window, in one run: starts quillet.exe and floor_window.exe
// with a file and without, alternating them, and takes for each the time from
// CreateProcess until its top-level window is visible with the expected caption, painted,
// and its text box holds the whole file, and the process's peak working set then.
// Prints medians and ratios.
//
// With --steps it starts the bench build of the program (quillet_marked.exe) instead and
// prints, for each step it marks, the median time since CreateProcess and the working
// set after the step.
//
// Usage: startup_meter.exe [--steps] <file> [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Program {
    const char* label;
    std::string commandLine;
    std::string caption;
    long long textLength;  // what the text box must hold
    std::vector<double> visibleMs;
    std::vector<double> ms;
    std::vector<double> peakMb;
};

struct Search {
    DWORD pid;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char text[512] = {};
    if (pid == search->pid && IsWindowVisible(hwnd) &&
        GetWindowTextA(hwnd, text, sizeof text) > 0 && *search->caption == text) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct Children {
    HWND edit = nullptr;
    bool painted = true;  // no visible child waits to be painted
};

BOOL CALLBACK VisitChild(HWND hwnd, LPARAM param) {
    auto* children = reinterpret_cast<Children*>(param);
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, "Edit") == 0 && children->edit == nullptr) {
        children->edit = hwnd;
    }
    if (IsWindowVisible(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE)) {
        children->painted = false;
    }
    return TRUE;
}

// The window is painted and its text box holds the expected number of characters. A
// program that answers before it paints would otherwise be timed short of its first
// paint. The question about the text waits until the program serves its messages.
bool PaintedWithText(HWND window, long long length) {
    Children children;
    EnumChildWindows(window, &VisitChild, reinterpret_cast<LPARAM>(&children));
    DWORD_PTR held = 0;
    return children.painted && !GetUpdateRect(window, nullptr, FALSE) && children.edit != nullptr &&
           SendMessageTimeoutA(children.edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000,
                               &held) &&
           static_cast<long long>(held) == length;
}

double Ms(LONGLONG ticks) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// Starts the program and waits for its window; the start's counter value in `start`.
bool RunOnce(Program& program, LARGE_INTEGER& start) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = program.commandLine;
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::fprintf(stderr, "can't start %s\n", program.commandLine.c_str());
        return false;
    }
    Search search{pi.dwProcessId, &program.caption, nullptr};
    LARGE_INTEGER visible{};
    bool ready = false;
    for (int i = 0; i < 20000 && !ready; ++i) {
        search.found = nullptr;
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr && visible.QuadPart == 0) {
            QueryPerformanceCounter(&visible);
        }
        ready = search.found != nullptr && PaintedWithText(search.found, program.textLength);
        if (!ready) {
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
    if (!ready) {
        std::fprintf(stderr, "no window \"%s\" painted with %lld characters\n",
                     program.caption.c_str(), program.textLength);
        return false;
    }
    program.visibleMs.push_back(Ms(visible.QuadPart - start.QuadPart));
    program.ms.push_back(Ms(now.QuadPart - start.QuadPart));
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

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int Compare(std::vector<Program>& programs, int runs) {
    for (Program& p : programs) {  // one unmeasured start each: the files are cached
        LARGE_INTEGER start{};
        RunOnce(p, start);
        p.visibleMs.clear();
        p.ms.clear();
        p.peakMb.clear();
    }
    for (int run = 0; run < runs; ++run) {
        for (Program& p : programs) {
            LARGE_INTEGER start{};
            if (!RunOnce(p, start)) {
                return 1;
            }
        }
    }
    std::printf(
        "medians of %d alternating runs; ready: visible with its caption, painted, the\n"
        "whole text in the box; visible: first seen visible with its caption\n",
        runs);
    std::printf("%-22s %10s %12s %12s\n", "program", "ready ms", "peak WS MB", "visible ms");
    for (const Program& p : programs) {
        std::printf("%-22s %10.1f %12.2f %12.1f\n", p.label, Median(p.ms), Median(p.peakMb),
                    Median(p.visibleMs));
    }
    for (size_t i = 0; i + 1 < programs.size(); i += 2) {
        std::printf("%s: ready %.3fx, peak working set %.3fx, visible %.3fx floor_window\n",
                    i == 0 ? "with the file" : "no file",
                    Median(programs[i].ms) / Median(programs[i + 1].ms),
                    Median(programs[i].peakMb) / Median(programs[i + 1].peakMb),
                    Median(programs[i].visibleMs) / Median(programs[i + 1].visibleMs));
    }
    return 0;
}

// One mark of the bench build: the step, its counter value and the working set after it.
struct Mark {
    std::string step;
    long long ticks;
    double wsMb;
};

std::vector<Mark> ReadMarks(const std::string& path) {
    std::vector<Mark> marks;
    FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) {
        return marks;
    }
    char step[128];
    long long ticks = 0, ws = 0;
    while (std::fscanf(f, "%127s %lld %lld", step, &ticks, &ws) == 3) {
        marks.push_back({step, ticks, ws / 1048576.0});
    }
    std::fclose(f);
    return marks;
}

// The steps of the bench build, with the file and without, alternating.
int Steps(std::vector<Program>& programs, int runs) {
    const std::string log = Folder() + "startup_marks.txt";
    SetEnvironmentVariableA("QUILLET_STARTUP_MARKS", log.c_str());
    struct StepTimes {
        std::vector<std::string> order;
        std::map<std::string, std::vector<double>> ms, ws;
    };
    std::vector<StepTimes> steps(programs.size());
    for (int run = -1; run < runs; ++run) {  // the first round is not counted
        for (size_t k = 0; k < programs.size(); ++k) {
            DeleteFileA(log.c_str());
            LARGE_INTEGER start{};
            if (!RunOnce(programs[k], start)) {
                return 1;
            }
            if (run < 0) {
                programs[k].visibleMs.clear();
                programs[k].ms.clear();
                programs[k].peakMb.clear();
                continue;
            }
            for (const Mark& m : ReadMarks(log)) {
                StepTimes& t = steps[k];
                if (t.ms.find(m.step) == t.ms.end()) {
                    t.order.push_back(m.step);
                }
                t.ms[m.step].push_back(Ms(m.ticks - start.QuadPart));
                t.ws[m.step].push_back(m.wsMb);
            }
        }
    }
    for (size_t k = 0; k < programs.size(); ++k) {
        const Program& p = programs[k];
        std::printf("%s (median of %d runs; ready at %.1f ms, peak working set %.2f MB)\n", p.label,
                    runs, Median(p.ms), Median(p.peakMb));
        std::printf("  %-28s %9s %9s %9s\n", "after step", "ms", "step ms", "WS MB");
        double last = 0;
        for (const std::string& step : steps[k].order) {
            const double at = Median(steps[k].ms[step]);
            std::printf("  %-28s %9.2f %9.2f %9.2f\n", step.c_str(), at, at - last,
                        Median(steps[k].ws[step]));
            last = at;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int arg = 1;
    const bool steps = argc > arg && std::strcmp(argv[arg], "--steps") == 0;
    arg += steps ? 1 : 0;
    if (argc <= arg) {
        std::fprintf(stderr, "usage: startup_meter [--steps] <file> [runs]\n");
        return 2;
    }
    const std::string file = argv[arg];
    const int runs = argc > arg + 1 ? std::max(1, std::atoi(argv[arg + 1])) : 21;
    const long long length = FileSize(file);
    if (length < 0) {
        std::fprintf(stderr, "no file %s\n", file.c_str());
        return 2;
    }
    const std::string name = file.substr(file.find_last_of("\\/") + 1);
    const std::string dir = Folder();
    const std::string quillet = "\"" + dir + (steps ? "quillet_marked.exe\"" : "quillet.exe\"");
    const std::string floor = "\"" + dir + "floor_window.exe\"";
    const std::string floorCaption = "floor-window - Quillet";
    std::vector<Program> programs = {
        {"quillet, file", quillet + " " + file, name + " - Quillet", length, {}, {}, {}},
        {"floor_window, file", floor + " " + file, floorCaption, length, {}, {}, {}},
        {"quillet, no file", quillet, "Untitled - Quillet", 0, {}, {}, {}},
        {"floor_window, no file", floor, floorCaption, 0, {}, {}, {}},
    };
    if (steps) {
        std::vector<Program> own = {programs[0], programs[2]};
        return Steps(own, runs);
    }
    return Compare(programs, runs);
}
