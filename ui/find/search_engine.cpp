#include "ui/find/search_engine.h"

#include <algorithm>

namespace quillet {

namespace {

unsigned char Fold(const CaseFold& fold, char c) {
    return fold[static_cast<unsigned char>(c)];
}

TextPos Size(std::string_view text) {
    return static_cast<TextPos>(text.size());
}

}  // namespace

TextPos FindText(TextPos start, std::string_view text, std::string_view pattern, CompareMode mode,
                 const CaseFold& fold) {
    start = std::max<TextPos>(start, 1);
    if (start > Size(text)) {
        return 0;
    }
    if (pattern.empty()) {
        return start;
    }
    const size_t from = static_cast<size_t>(start) - 1;
    if (mode == CompareMode::Exact) {
        const size_t at = text.find(pattern, from);
        return at == std::string_view::npos ? 0 : static_cast<TextPos>(at) + 1;
    }
    if (pattern.size() > text.size()) {
        return 0;
    }
    const unsigned char first = Fold(fold, pattern[0]);
    const size_t last = text.size() - pattern.size();
    for (size_t i = from; i <= last; ++i) {
        if (Fold(fold, text[i]) != first) {
            continue;
        }
        size_t k = 1;
        while (k < pattern.size() && Fold(fold, text[i + k]) == Fold(fold, pattern[k])) {
            ++k;
        }
        if (k == pattern.size()) {
            return static_cast<TextPos>(i) + 1;
        }
    }
    return 0;
}

bool TextEquals(std::string_view a, std::string_view b, CompareMode mode, const CaseFold& fold) {
    if (mode == CompareMode::Exact || a.size() != b.size()) {
        return a == b;
    }
    return std::equal(a.begin(), a.end(), b.begin(),
                      [&](char x, char y) { return Fold(fold, x) == Fold(fold, y); });
}

bool SearchEngine::Load(TextPos selStart, TextPos selLength) {
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
    const TextPos at = FindText(from, doc, pattern, compare_, *fold_);
    // Only a match's first character has to lie in the region.
    if (at != 0 && !(selectionScope && at > regionEnd_)) {
        const TextPos length = Size(pattern);
        searchPos_ = at + length;  // matches never overlap
        return {SearchStep::Select, at - 1, length, {}};
    }
    searchPos_ = selectionScope ? regionStart_ + 1 : 1;
    return {SearchStep::RegionSearched, 0, 0, {}};
}

SearchStep SearchEngine::Replace(std::string_view doc, TextPos selStart, TextPos selLength,
                                 std::string_view pattern, std::string_view replacement,
                                 bool selectionScope) {
    const bool inText = selStart >= 0 && selLength >= 0 && selStart <= Size(doc) - selLength;
    const bool inScope =
        !selectionScope || (selStart >= regionStart_ && selStart + 1 <= regionEnd_);
    if (inText && inScope &&
        TextEquals(doc.substr(static_cast<size_t>(selStart), static_cast<size_t>(selLength)),
                   pattern, compare_, *fold_)) {
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
    const TextPos patternLength = Size(pattern);
    const TextPos inserted = Size(replacement);
    std::string out;
    TextPos first = -1;
    TextPos copied = 0;  // the document is in `out` from `first` up to here
    TextPos shift = 0;   // the change in length of the replacements so far
    for (TextPos at = FindText(from + 1, area, pattern, compare_, *fold_); at != 0;
         at = FindText(copied + 1, area, pattern, compare_, *fold_)) {
        const TextPos offset = at - 1;
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

void SearchEngine::MoveRegion(TextPos offset, TextPos removed, TextPos inserted) {
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
