#pragma once
#include <string>

namespace quillet {

// The argument text: the command line less the program's own name and the blanks
// (spaces and tabs) that follow it, double quotes of the argument kept. The same for the
// line as the system hands it over in UTF-16.
std::string ArgumentText(const std::string& commandLine);
std::wstring ArgumentText(const std::wstring& commandLine);

// The text with every double-quote character removed, wherever it stands.
std::string RemoveQuotes(const std::string& text);

// True when the argument names a file relative to the current folder: without its
// quotes it starts with neither "\" nor "/" nor a drive letter and ":". Only such an
// argument gets the current folder put in front of it.
bool IsRelativeArgument(const std::string& argumentText);

// The current directory out of a buffer filled by GetCurrentDirectoryA and the count it
// returned. A count beyond the buffer (the folder did not fit) yields the whole buffer,
// so the unfilled blanks make a path that never exists.
std::string CurrentDirectoryFrom(const std::string& buffer, unsigned long count);

}  // namespace quillet
