#pragma once
#include <cstdint>
#include <string>

namespace quillet {

struct CaretPosition {
    int32_t line;    // from 1
    int32_t column;  // from 1
};

// Line and column of `selStart` given the zero-based index of its line and the offset
// of that line's first character, as the edit control reports them.
CaretPosition CaretPositionOf(int32_t selStart, int32_t lineIndex, int32_t lineStart);

// " Ln 3, Col 3 " (a blank at both ends).
std::string ColRowCaption(CaretPosition pos);

// "Sel: 12".
std::string SelectionCaption(int32_t length);

}  // namespace quillet
