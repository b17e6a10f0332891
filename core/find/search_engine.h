#pragma once
// The search and replace rules behind the Find/Replace dialog, free of any window: the
// dialog hands in the document text, the selection and its control values, and applies
// what comes back to the text box.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/ansi_chars.h"

namespace quillet {

// Places in the ANSI text, in bytes; 32-bit, so a document at the load limit (65,536
// bytes) is covered whole. Matches start and end on character boundaries of the code
// page. Two names, one base each:
// - a TextPos is 1-based (offset + 1), as the search functions count; 0 means none;
// - a TextOffset is 0-based, as the text box counts; byte counts are TextOffsets too.
using TextPos = std::int32_t;
using TextOffset = std::int32_t;

enum class CompareMode : std::int16_t { Exact = 0, IgnoreCase = 1 };

// The 1-based position of the first occurrence of the pattern that begins at or after
// `start` (a start inside a character means the next character), or 0 when there is
// none. An empty pattern is found at `start` itself. Ignoring case compares whole
// characters under the code page's lower-case map.
TextPos FindText(TextPos start, std::string_view text, std::string_view pattern, CompareMode mode,
                 const CodePage& codePage);

bool TextEquals(std::string_view a, std::string_view b, CompareMode mode, const CodePage& codePage);

// A change of the document: `removed` bytes at `offset` give way to `inserted`.
struct TextEdit {
    TextOffset offset = 0;
    TextOffset removed = 0;
    std::string inserted;
};

// What one step asks of the text box.
struct SearchStep {
    enum Kind { Select, RegionSearched, Replace } kind;
    TextOffset offset = 0;  // Select: the match
    TextOffset length = 0;
    TextEdit edit;  // Replace: the selection and its replacement
};

// The dialog's search state: the region captured at load, the next search position
// and the comparison.
class SearchEngine {
public:
    explicit SearchEngine(const CodePage& codePage) : codePage_(&codePage) {}

    // Captures the text box's selection as the region. True when there was one, that
    // is when the Selection scope is offered (and chosen).
    bool Load(TextOffset selStart, TextOffset selLength);
    void ChooseScope(bool selection);
    void SetMatchCase(bool matchCase);

    SearchStep SearchNext(std::string_view doc, std::string_view pattern, bool selectionScope);
    // Replaces the selection when it is a match (and, in the Selection scope, one the
    // search could have found); otherwise searches.
    SearchStep Replace(std::string_view doc, TextOffset selStart, TextOffset selLength,
                       std::string_view pattern, std::string_view replacement, bool selectionScope);
    // One splice from the first replaced match to the last, or nothing when nothing
    // matched. Inserted text is never searched again.
    std::optional<TextEdit> ReplaceAll(std::string_view doc, std::string_view pattern,
                                       std::string_view replacement, bool selectionScope);

    // The region captured at load: from its start to its end offset.
    TextOffset RegionStart() const { return regionStart_; }
    TextOffset RegionEnd() const { return regionEnd_; }
    // Where the next search begins.
    TextPos SearchPos() const { return searchPos_; }
    CompareMode Compare() const { return compare_; }

private:
    // Keeps the region on the text it was captured on across an edit of the document.
    void MoveRegion(TextOffset offset, TextOffset removed, TextOffset inserted);

    const CodePage* codePage_;
    CompareMode compare_ = CompareMode::IgnoreCase;
    TextOffset regionStart_ = 1;
    TextOffset regionEnd_ = 1;
    TextPos searchPos_ = 1;
};

}  // namespace quillet
