// The Insert Date/Time stamp for any clock values and any time separator: always
// "hh<sep>mm dd.mm.yy", each field the value's last two digits (negative values
// counted on from 00 down, as the code does).
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/text/edit_text.h"
#include "fuzz/fuzz_input.h"

using namespace quillet;
using namespace quillet::fuzz;

namespace {

std::string Two(int32_t n) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02d", static_cast<int>((n % 100 + 100) % 100));
    return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const int32_t hour = in.I32(), minute = in.I32(), day = in.I32(), month = in.I32(),
                  year = in.I32();
    const std::string separator = in.Rest();

    const std::string stamp = DateTimeStamp(hour, minute, day, month, year, separator);
    FUZZ_CHECK(stamp == Two(hour) + separator + Two(minute) + " " + Two(day) + "." + Two(month) +
                            "." + Two(year));
    if (year >= 0) {
        FUZZ_CHECK(std::stoi(stamp.substr(stamp.size() - 2)) == year % 100);
    }
    return 0;
}
