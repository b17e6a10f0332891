#pragma once
#include <string>

namespace quillet {

// The argument text: the command line less the program's own name and the blanks
// (spaces and tabs) that follow it, double quotes of the argument kept.
std::string ArgumentText(const std::string& commandLine);

// The text with every double-quote character removed, wherever it stands.
std::string RemoveQuotes(const std::string& text);

// The current directory out of a buffer filled by GetCurrentDirectoryA and the count it
// returned. A count beyond the buffer (the folder did not fit) yields the whole buffer,
// so the unfilled blanks make a path that never exists.
std::string CurrentDirectoryFrom(const std::string& buffer, unsigned long count);

}  // namespace quillet
