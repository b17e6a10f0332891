#include "core/app/caption.h"

namespace quillet {

std::string CaptionFor(const std::string& docTitle, bool docModified,
                       const std::string& currentCaption) {
    if (!docModified) {
        return docTitle + " - Quillet";
    }
    return currentCaption.substr(0, docTitle.size()) + " [*] - Quillet";
}

}  // namespace quillet
