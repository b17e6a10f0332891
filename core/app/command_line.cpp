#include "core/app/command_line.h"

#include <algorithm>

namespace quillet {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

std::string ArgumentText(const std::string& commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        // A quoted program name ends at the next quote (or the end of the line); what
        // follows it is the argument, even without a blank in between.
        const size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !IsBlank(commandLine[i])) {
            ++i;
        }
    }
    while (i < commandLine.size() && IsBlank(commandLine[i])) {
        ++i;
    }
    return commandLine.substr(i);
}

std::string RemoveQuotes(const std::string& text) {
    std::string result = text;
    result.erase(std::remove(result.begin(), result.end(), '"'), result.end());
    return result;
}

std::string CurrentDirectoryFrom(const std::string& buffer, unsigned long count) {
    return buffer.substr(0, std::min<size_t>(count, buffer.size()));
}

}  // namespace quillet
