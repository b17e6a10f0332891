#pragma once
#include <string>

namespace quillet {

// The main window's caption for a document: "notes.txt - Quillet", or with unsaved
// changes "notes.txt [*] - Quillet". A modified caption keeps the start of the caption
// now shown (as long as the title), which is the title last written unmodified.
std::string CaptionFor(const std::string& docTitle, bool docModified,
                       const std::string& currentCaption);

}  // namespace quillet
