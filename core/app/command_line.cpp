#include "core/app/command_line.h"

#include <algorithm>

namespace quillet {

namespace {

template <typename Char>
bool IsBlank(Char c) {
    return c == ' ' || c == '\t';
}

template <typename Char>
std::basic_string<Char> ArgumentOf(const std::basic_string<Char>& commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        // A quoted program name ends at the next quote (or the end of the line); what
        // follows it is the argument, even without a blank in between.
        const size_t close = commandLine.find(static_cast<Char>('"'), 1);
        i = close == std::basic_string<Char>::npos ? commandLine.size() : close + 1;
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

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string ArgumentText(const std::string& commandLine) {
    return ArgumentOf(commandLine);
}

std::wstring ArgumentText(const std::wstring& commandLine) {
    return ArgumentOf(commandLine);
}

std::string RemoveQuotes(const std::string& text) {
    std::string result = text;
    result.erase(std::remove(result.begin(), result.end(), '"'), result.end());
    return result;
}

bool IsRelativeArgument(const std::string& argumentText) {
    const std::string path = RemoveQuotes(argumentText);
    if (!path.empty() && (path[0] == '\\' || path[0] == '/')) {
        return false;
    }
    // Only ASCII letters name drives; a lead byte before ':' is part of a name.
    return !(path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':');
}

std::string CurrentDirectoryFrom(const std::string& buffer, unsigned long count) {
    return buffer.substr(0, std::min<size_t>(count, buffer.size()));
}

}  // namespace quillet
