#include "core/app/status_text.h"

namespace quillet {

CaretPosition CaretPositionOf(int32_t selStart, int32_t lineIndex, int32_t lineStart) {
    return {lineIndex + 1, selStart - lineStart + 1};
}

std::string ColRowCaption(CaretPosition pos) {
    return " Ln " + std::to_string(pos.line) + ", Col " + std::to_string(pos.column) + " ";
}

std::string SelectionCaption(int32_t length) {
    return "Sel: " + std::to_string(length);
}

}  // namespace quillet
