#include "core/find/search_engine.h"

#include <algorithm>

namespace quillet {

namespace {

TextOffset Size(std::string_view text) {
    return static_cast<TextOffset>(text.size());
}

// Whether the pattern lies at `at` (a character boundary), whole characters matching
// whole characters: a pattern that would end inside a character of the text does not.
bool MatchesAt(std::string_view text, size_t at, std::string_view pattern, CompareMode mode,
               const CodePage& cp) {
    if (pattern.size() > text.size() - at) {
        return false;
    }
    size_t i = at;
    size_t k = 0;
    while (k < pattern.size()) {
        const auto x = static_cast<unsigned char>(text[i]);
        const auto y = static_cast<unsigned char>(pattern[k]);
        if (IsSingleByteChar(x, cp) && IsSingleByteChar(y, cp)) {  // the common case
            if (mode == CompareMode::Exact ? x != y : cp.lower.single[x] != cp.lower.single[y]) {
                return false;
            }
            ++i;
            ++k;
            continue;
        }
        size_t textLength = 0;
        size_t patternLength = 0;
        const CharCode a = CharAt(text, i, cp, &textLength);
        const CharCode b = CharAt(pattern, k, cp, &patternLength);
        if (textLength != patternLength ||
            (mode == CompareMode::Exact ? a != b : cp.lower.Map(a) != cp.lower.Map(b))) {
            return false;
        }
        i += textLength;
        k += patternLength;
    }
    return true;
}

// The offset of the first match at or after `from`, which is a character boundary.
size_t FindFrom(size_t from, std::string_view text, std::string_view pattern, CompareMode mode,
                const CodePage& cp) {
    if (mode == CompareMode::Exact) {
        // Byte search finds the candidates; the walk keeps to character boundaries.
        size_t at = from;
        for (size_t hit = text.find(pattern, at); hit != std::string_view::npos;
             hit = text.find(pattern, at)) {
            while (at < hit) {
                at = NextChar(text, at, cp);
            }
            if (at == hit) {
                if (MatchesAt(text, at, pattern, mode, cp)) {
                    return at;
                }
                at = NextChar(text, at, cp);
            }
        }
        return std::string_view::npos;
    }
    // Only a character that folds like the pattern's first can begin a match: checked on
    // its first byte alone when that character is a single byte.
    const auto first = static_cast<unsigned char>(pattern[0]);
    const bool singleFirst = IsSingleByteChar(first, cp) || pattern.size() == 1;
    const unsigned char folded = cp.lower.single[first];
    for (size_t at = from; at < text.size() && pattern.size() <= text.size() - at;
         at = NextChar(text, at, cp)) {
        if (singleFirst && cp.lower.single[static_cast<unsigned char>(text[at])] != folded) {
            continue;
        }
        if (MatchesAt(text, at, pattern, mode, cp)) {
            return at;
        }
    }
    return std::string_view::npos;
}

// UTF-8 has no case table: ignoring case there compares the texts folded whole, each
// character keeping its length and so every offset its place, exactly.
bool FoldsWhole(CompareMode mode, const CodePage& cp) {
    return mode == CompareMode::IgnoreCase && cp.model == CharModel::Utf8;
}

std::string Folded(std::string_view text, const CodePage& cp) {
    return MapCase(text, cp, cp.lower);
}

}  // namespace

TextPos FindText(TextPos start, std::string_view text, std::string_view pattern, CompareMode mode,
                 const CodePage& codePage) {
    start = std::max<TextPos>(start, 1);
    if (start > Size(text)) {
        return 0;
    }
    const size_t from = CharBoundaryFrom(text, static_cast<size_t>(start) - 1, codePage);
    if (pattern.empty()) {
        return from < text.size() ? static_cast<TextPos>(from) + 1 : 0;
    }
    if (FoldsWhole(mode, codePage)) {
        return FindText(start, Folded(text, codePage), Folded(pattern, codePage),
                        CompareMode::Exact, codePage);
    }
    const size_t at = FindFrom(from, text, pattern, mode, codePage);
    return at == std::string_view::npos ? 0 : static_cast<TextPos>(at) + 1;
}

bool TextEquals(std::string_view a, std::string_view b, CompareMode mode,
                const CodePage& codePage) {
    if (mode == CompareMode::Exact || a.size() != b.size()) {
        return a == b;
    }
    if (FoldsWhole(mode, codePage)) {
        return Folded(a, codePage) == Folded(b, codePage);
    }
    return MatchesAt(a, 0, b, mode, codePage);
}

bool SearchEngine::Load(TextOffset selStart, TextOffset selLength) {
    compare_ = CompareMode::IgnoreCase;
    const bool selection = selLength != 0;
    regionStart_ = selection ? selStart : 1;
    searchPos_ = selection ? regionStart_ + 1 : 1;
    regionEnd_ = selLength + regionStart_;
    return selection;
}

void SearchEngine::ChooseScope(bool selection) {
    searchPos_ = selection ? regionStart_ + 1 : 1;
}

void SearchEngine::SetMatchCase(bool matchCase) {
    compare_ = matchCase ? CompareMode::Exact : CompareMode::IgnoreCase;
}

SearchStep SearchEngine::SearchNext(std::string_view doc, std::string_view pattern,
                                    bool selectionScope) {
    // The Selection scope never looks before its region, wherever the last edit left us.
    const TextPos from = selectionScope ? std::max(searchPos_, regionStart_ + 1) : searchPos_;
    const TextPos at = FindText(from, doc, pattern, compare_, *codePage_);
    // Only a match's first character has to lie in the region.
    if (at != 0 && !(selectionScope && at > regionEnd_)) {
        const TextPos length = Size(pattern);
        searchPos_ = at + length;  // matches never overlap
        return {SearchStep::Select, at - 1, length, {}};
    }
    searchPos_ = selectionScope ? regionStart_ + 1 : 1;
    return {SearchStep::RegionSearched, 0, 0, {}};
}

SearchStep SearchEngine::Replace(std::string_view doc, TextOffset selStart, TextOffset selLength,
                                 std::string_view pattern, std::string_view replacement,
                                 bool selectionScope) {
    const bool inText = selStart >= 0 && selLength >= 0 && selStart <= Size(doc) - selLength;
    const bool inScope =
        !selectionScope || (selStart >= regionStart_ && selStart + 1 <= regionEnd_);
    if (inText && inScope &&
        TextEquals(doc.substr(static_cast<size_t>(selStart), static_cast<size_t>(selLength)),
                   pattern, compare_, *codePage_)) {
        const TextPos inserted = Size(replacement);
        MoveRegion(selStart, selLength, inserted);
        // Behind the inserted text: it is never found again, and nothing after it is skipped.
        searchPos_ = selStart + inserted + 1;
        return {SearchStep::Replace, selStart, selLength,
                TextEdit{selStart, selLength, std::string(replacement)}};
    }
    return SearchNext(doc, pattern, selectionScope);
}

std::optional<TextEdit> SearchEngine::ReplaceAll(std::string_view doc, std::string_view pattern,
                                                 std::string_view replacement,
                                                 bool selectionScope) {
    if (pattern.empty()) {
        return std::nullopt;
    }
    // A region that no longer fits the text is cut to it.
    TextPos from = 0;
    TextPos to = Size(doc);
    if (selectionScope) {
        to = std::clamp<TextPos>(regionEnd_, 0, to);
        from = std::clamp<TextPos>(regionStart_, 0, to);
    }
    const std::string_view area = doc.substr(0, static_cast<size_t>(to));
    std::string foldedArea;
    std::string foldedPattern;
    std::string_view searched = area;
    std::string_view sought = pattern;
    CompareMode mode = compare_;
    if (FoldsWhole(mode, *codePage_)) {
        foldedArea = Folded(area, *codePage_);
        foldedPattern = Folded(pattern, *codePage_);
        searched = foldedArea;
        sought = foldedPattern;
        mode = CompareMode::Exact;
    }
    const TextPos patternLength = Size(pattern);
    const TextPos inserted = Size(replacement);
    std::string out;
    TextPos first = -1;
    TextPos copied = 0;  // the document is in `out` from `first` up to here
    TextPos shift = 0;   // the change in length of the replacements so far
    // Every match ends on a character boundary, so the search goes on from there.
    size_t next = CharBoundaryFrom(area, static_cast<size_t>(from), *codePage_);
    for (size_t at;
         (at = FindFrom(next, searched, sought, mode, *codePage_)) != std::string_view::npos;
         next = static_cast<size_t>(copied)) {
        const auto offset = static_cast<TextPos>(at);
        if (first < 0) {
            first = copied = offset;
            out.reserve(static_cast<size_t>(to - offset));
        }
        out.append(doc.substr(static_cast<size_t>(copied), static_cast<size_t>(offset - copied)));
        out.append(replacement);
        MoveRegion(offset + shift, patternLength, inserted);
        shift += inserted - patternLength;
        copied = offset + patternLength;
    }
    if (first < 0) {
        return std::nullopt;
    }
    return TextEdit{first, copied - first, std::move(out)};
}

void SearchEngine::MoveRegion(TextOffset offset, TextOffset removed, TextOffset inserted) {
    if (offset > regionEnd_ || (offset == regionEnd_ && removed > 0)) {
        return;  // after the region; only an insertion at its very end joins it
    }
    const TextPos delta = inserted - removed;
    if (offset < regionStart_) {
        // Wholly before the region it shifts it; reaching into it, it joins it.
        regionStart_ = offset + removed <= regionStart_ ? regionStart_ + delta : offset;
    }
    // A replaced match that straddled the end lies wholly inside afterwards.
    regionEnd_ = std::max(regionEnd_ + delta, offset + inserted);
}

}  // namespace quillet
