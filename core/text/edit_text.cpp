#include "core/text/edit_text.h"

namespace quillet {

namespace {

constexpr std::size_t kCaptionLength = 15;

std::string TwoDigits(int n) {
    n %= 100;
    if (n < 0) {
        n += 100;
    }
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

}  // namespace

std::string RegisterCaption(const std::string& text, const std::string& ellipsis,
                            const CodePage& cp) {
    const size_t cut = OffsetOfChar(text, kCaptionLength, cp);
    if (cut == text.size()) {
        return text;
    }
    return text.substr(0, cut) + ellipsis;
}

std::string DateTimeStamp(int hour, int minute, int day, int month, int year,
                          const std::string& timeSeparator) {
    return TwoDigits(hour) + timeSeparator + TwoDigits(minute) + " " + TwoDigits(day) + "." +
           TwoDigits(month) + "." + TwoDigits(year);
}

}  // namespace quillet
