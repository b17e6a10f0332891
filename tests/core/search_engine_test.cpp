// The search engine driven as the dialog drives it: Find Next, Replace and Replace All
// over a document and its selection, in the scope the dialog chose at load.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/find/search_engine.h"
#include "fuzz/search_reference.h"

using namespace quillet;

namespace {

// The Western code page: ASCII letters and the accented capitals fold to lower case.
const CodePage& Western() {
    return fuzz::TestCodePage(2);
}

void Apply(std::string& doc, const TextEdit& edit) {
    doc.replace(edit.offset, edit.removed, edit.inserted);
}

struct Row {
    const char* text;
    int selStart, selLength;
    bool matchCase;
    const char* find;
    const char* replace;
    // F Find Next, R Replace, A Replace All, d/s choose Document/Selection.
    const char* ops;
    // 1-based start of each selected match, '!' for the region message, 'r' for a
    // replaced selection, 'A' for a Replace All.
    const char* trace;
    const char* finalText;
    const char* region;  // "start-end" afterwards, or empty
    // The test code page: 2 Western; 4 double-byte (shaped like 932: 83 41 is one
    // character, 82 60 and 82 81 are the full-width A and a); 5 UTF-8.
    unsigned codePage = 2;
};

const Row kRows[] = {
    {"abc abc ABC", 0, 0, false, "abc", "", "FFFFF", "1 5 9 ! 1", "abc abc ABC", ""},
    {"abc abc ABC", 0, 0, true, "abc", "", "FFFF", "1 5 ! 1", "abc abc ABC", ""},
    {"aaaa", 0, 0, false, "aa", "", "FFF", "1 3 !", "aaaa", ""},
    {"xx abc abc abc", 3, 7, false, "abc", "", "FFFF", "4 8 ! 4", "xx abc abc abc", "3-10"},
    {"xx abc abc", 3, 5, false, "ab", "", "FFF", "4 8 !", "xx abc abc", ""},
    {"\xC9t\xE9", 0, 0, false, "\xE9", "", "FFF", "1 3 !", "\xC9t\xE9", ""},
    // Empty search text: Find Next stays put, Replace inserts at the caret, Replace All
    // changes nothing.
    {"ab", 0, 0, false, "", "X", "FFRF", "1 1 r 2", "Xab", ""},
    {"ab", 0, 0, false, "", "X", "A", "A", "ab", ""},
    {"aa a", 0, 2, false, "a", "ab", "A", "A", "abab a", "0-4"},
    // The selection is the match under the comparison in force.
    {"ABC abc", 0, 0, false, "abc", "x", "FR", "1 r", "x abc", ""},
    {"ABC abc", 0, 0, true, "abc", "x", "RR", "5 r", "ABC x", ""},
    // The next search starts behind the inserted text.
    {"a b", 0, 0, false, "a", "aa", "FRF", "1 r !", "aa b", ""},
    {"abcabc", 0, 0, false, "abc", "x", "FRFR", "1 r 2 r", "xx", ""},
    // The region grows and shrinks with the edits made in it, and keeps its place.
    {"a a a", 0, 3, false, "a", "aaa", "FRFRF", "1 r 5 r !", "aaa aaa a", "0-7"},
    {"abc abc abc", 0, 7, false, "abc", "x", "FRA", "1 r A", "x x abc", "0-3"},
    {"abcd", 0, 3, false, "cd", "X", "FR", "3 r", "abX", "0-3"},
    {"aabaa", 2, 1, false, "a", "xyz", "dA", "A", "xyzxyzbxyzxyz", "6-7"},
    {"ab ab", 0, 2, false, "ab", "X", "dFFsR", "1 4 1", "ab ab", "0-2"},
    // Replace All follows the scope: the whole document without a selection.
    {"a.a", 0, 0, false, "a", "x", "A", "A", "x.x", ""},
    {"a.a.a", 2, 1, false, "a", "x", "A", "A", "a.x.a", "2-3"},
    // Double-byte text: no match starts or ends inside a character, and two-byte letters
    // fold to their other case.
    {"\x83\x41\x41", 0, 0, false, "a", "", "FF", "3 !", "\x83\x41\x41", "", 4},
    {"\x83\x41\x41", 0, 0, true, "A", "B", "A", "A", "\x83\x41\x42", "", 4},
    {"\x83\x5C\x5C", 0, 0, true, "\x5C", "", "FF", "3 !", "\x83\x5C\x5C", "", 4},
    {"\x82\x60\x82\x81", 0, 0, false, "\x82\x81", "", "FFF", "1 3 !", "\x82\x60\x82\x81", "", 4},
    {"\x82\x60\x82\x81", 0, 0, true, "\x82\x81", "x", "RR", "3 r", "\x82\x60x", "", 4},
    {"\x83\x41\x41\x83\x41", 0, 3, false, "a", "xy", "A", "A", "\x83\x41xy\x83\x41", "0-4", 4},
    {"\x83\x41\x83\x41", 0, 0, true, "\x41\x83", "", "F", "!", "\x83\x41\x83\x41", "", 4},
    // UTF-8: matches hold whole characters, and o umlaut finds its capital (the same
    // length) but k no Kelvin sign (a longer one).
    {"a\xC3\xB6 \xC3\xB6 \xC3\x96 b", 0, 0, false, "\xC3\xB6", "", "FFFFF", "2 5 8 ! 2",
     "a\xC3\xB6 \xC3\xB6 \xC3\x96 b", "", 5},
    {"a\xC3\xB6 \xC3\xB6 \xC3\x96 b", 0, 0, true, "\xC3\xB6", "oe", "A", "A", "aoe oe \xC3\x96 b",
     "", 5},
    {"a\xC3\xB6 \xC3\xB6 \xC3\x96 b", 0, 0, false, "\xC3\xB6", "oe", "A", "A", "aoe oe oe b", "",
     5},
    {"\xC3\xB6\xB6", 0, 0, true, "\xB6", "", "FF", "3 !", "\xC3\xB6\xB6", "", 5},
    {"\xE2\x84\xAA k", 0, 0, false, "K", "", "FF", "5 !", "\xE2\x84\xAA k", "", 5},
    {"x\xF0\x9F\x98\x80y", 0, 0, false, "Y", "", "FF", "6 !", "x\xF0\x9F\x98\x80y", "", 5},
};

TEST(SearchEngine, DialogCyclesOverDocumentsAndRegions) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string(row.text) + " / " + row.find + " / " + row.ops);
        SearchEngine engine(fuzz::TestCodePage(row.codePage));
        std::string doc = row.text;
        bool selection = engine.Load(row.selStart, row.selLength);
        engine.SetMatchCase(row.matchCase);
        TextPos selStart = row.selStart;
        TextPos selLength = row.selLength;
        std::string trace;
        for (const char* op = row.ops; *op != '\0'; ++op) {
            if (*op == 'd' || *op == 's') {
                selection = *op == 's';
                engine.ChooseScope(selection);
                continue;
            }
            if (*op == 'A') {
                if (auto edit = engine.ReplaceAll(doc, row.find, row.replace, selection)) {
                    Apply(doc, *edit);
                }
                trace += " A";
                continue;
            }
            const SearchStep step = *op == 'F' ? engine.SearchNext(doc, row.find, selection)
                                               : engine.Replace(doc, selStart, selLength, row.find,
                                                                row.replace, selection);
            if (step.kind == SearchStep::Replace) {
                Apply(doc, step.edit);
                selStart = step.edit.offset + static_cast<TextPos>(step.edit.inserted.size());
                selLength = 0;
                trace += " r";
            } else if (step.kind == SearchStep::Select) {
                selStart = step.offset;
                selLength = step.length;
                trace += " " + std::to_string(step.offset + 1);
            } else {
                trace += " !";
            }
        }
        EXPECT_EQ(trace.substr(1), row.trace);
        EXPECT_EQ(doc, row.finalText);
        if (*row.region != '\0') {
            EXPECT_EQ(
                std::to_string(engine.RegionStart()) + "-" + std::to_string(engine.RegionEnd()),
                row.region);
        }
    }
}

TEST(SearchEngine, ReplaceAllInTheSelectionTouchesOnlyTheRegion) {
    std::mt19937 random(20261207);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    const auto word = [&](int max) {
        std::string s(static_cast<size_t>(pick(max)), ' ');
        for (char& c : s) {
            c = "aAbB\xC9\xE9"[pick(5)];
        }
        return s;
    };
    for (int i = 0; i < 3000; ++i) {
        const std::string doc = word(40);
        if (doc.empty()) {
            continue;
        }
        const std::string find = word(2) + "aAbB"[pick(3)];
        const std::string replace = word(4);
        const int start = pick(static_cast<int>(doc.size()) - 1);
        const int length = 1 + pick(static_cast<int>(doc.size()) - start - 1);
        const bool matchCase = pick(1) == 1;
        SearchEngine engine(Western());
        engine.Load(start, length);
        engine.SetMatchCase(matchCase);
        std::string result = doc;
        if (auto edit = engine.ReplaceAll(doc, find, replace, true)) {
            Apply(result, *edit);
        }
        const std::string region = fuzz::RefReplaceAll(
            doc.substr(0, static_cast<size_t>(start + length)), static_cast<size_t>(start), find,
            replace, matchCase ? CompareMode::Exact : CompareMode::IgnoreCase, Western());
        ASSERT_EQ(result, doc.substr(0, start) + region + doc.substr(start + length))
            << doc << " / " << find << " / " << replace << " / " << start << "+" << length;
        ASSERT_EQ(engine.RegionStart(), start);
        ASSERT_EQ(engine.RegionEnd(), start + static_cast<TextPos>(region.size()));
    }
}

}  // namespace
