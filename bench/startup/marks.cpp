// The bench build's start-up marks: the performance counter and the working set after
// each step, kept in memory and written out once the window is up (writing each one as
// it comes would time the writes).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "app/startup_marks.h"

namespace {

struct Mark {
    const char* step;
    LONGLONG ticks;
    SIZE_T workingSet;
};

Mark g_marks[64];
int g_count = 0;

// The first of the program's own static objects to be made: what comes before it is
// the loader's and the C runtime's.
struct FirstStatic {
    FirstStatic() { StartupMark("static_init_begins"); }
} g_first __attribute__((init_priority(101)));

}  // namespace

void StartupMark(const char* step) {
    if (g_count == static_cast<int>(sizeof g_marks / sizeof g_marks[0])) {
        return;
    }
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    g_marks[g_count++] = {step, now.QuadPart, counters.WorkingSetSize};
}

void StartupMarksWrite() {
    char path[MAX_PATH] = {};
    if (GetEnvironmentVariableA("QUILLET_STARTUP_MARKS", path, MAX_PATH) == 0) {
        return;
    }
    FILE* f = std::fopen(path, "w");
    if (f == nullptr) {
        return;
    }
    for (int i = 0; i < g_count; ++i) {
        std::fprintf(f, "%s %lld %llu\n", g_marks[i].step, g_marks[i].ticks,
                     static_cast<unsigned long long>(g_marks[i].workingSet));
    }
    std::fclose(f);
}
