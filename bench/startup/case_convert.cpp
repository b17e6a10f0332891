// Case conversion as To UpperCase does it, under Wine (the mapping is the platform's):
// the code page's case maps built once from the system, then applied by characters to
// documents of 16 K, 32 K and 64 K bytes, median of 101 runs; under UTF-8 there are no
// maps and each run maps the text through UTF-16. Reading the selection and putting the
// result back are the edit control's own work. Run it under a double-byte code page
// (LC_ALL=ja_JP.UTF-8) and UTF-8 (LC_ALL=hi_IN.UTF-8) too.
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

// English with a few accented letters, one byte each under 1252 and two under UTF-8.
std::string Document(size_t length) {
    const wchar_t* line = L"The quick br\xF6wn f\xF6x jumps \xF6ver the lazy d\xF6g, caf\xE9.\r\n";
    char bytes[128] = {};
    const int n = WideCharToMultiByte(CP_ACP, 0, line, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::string text;
    while (text.size() < length) {
        text.append(bytes, static_cast<size_t>(n - 1));
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
            const std::string upper = quillet::MapCase(document, codePage, codePage.upper);
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
