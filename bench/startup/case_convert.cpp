// Case conversion as To UpperCase does it, under Wine (the mapping is the platform's):
// the code page's case maps built once from the system, then applied by characters to
// documents of 16 K, 32 K and 64 K bytes, median of 101 runs. Reading the selection and
// putting the result back are the edit control's own work. Run it under a double-byte
// code page too (LC_ALL=ja_JP.UTF-8).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/code_page.h"

namespace {

double Now() {
    LARGE_INTEGER f{}, c{};
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1e6 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string Document(size_t length) {
    std::string text;
    while (text.size() < length) {
        text += "The quick brown fox jumps over the lazy dog.\r\n";
    }
    text.resize(length);
    return text;
}

}  // namespace

int main() {
    const double start = Now();
    const quillet::CodePage& codePage = AnsiCodePage();
    std::printf("code page %u: case maps built in %.1f us\n", GetACP(), Now() - start);
    std::printf("%-10s %12s\n", "bytes", "median us");
    for (size_t length : {16384u, 32768u, 65536u}) {
        const std::string document = Document(length);
        std::vector<double> times;
        for (int run = 0; run < 101; ++run) {
            const double begin = Now();
            const std::string upper = quillet::MapCase(document, codePage.lead, codePage.upper);
            times.push_back(Now() - begin);
            if (upper.size() != document.size()) {
                return 1;
            }
        }
        std::sort(times.begin(), times.end());
        std::printf("%-10zu %12.1f\n", length, times[times.size() / 2]);
    }
    return 0;
}
