#pragma once
// The one search for an ordinary file, which the existence test and the document's
// title both use.
#include <optional>
#include <string>

// The first ordinary file the path matches ("*" and "?" act as wildcards), its name
// spelled as the file system stores it; nothing when none matches. Ordinary: not
// hidden, not system, not a folder, and no device (NUL, CON, "NUL.txt" and the like
// answer a search as if they were files). Raises RunTimeError when the search itself
// fails other than by finding nothing.
std::optional<std::string> FirstOrdinaryFile(const std::string& path);
