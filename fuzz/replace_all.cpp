// The search engine driven as the dialog drives it: a region captured at load (any
// bounds, fitting the text or not), a few Find Next, Replace and scope steps, then
// Replace All. Each step is checked against the plain reference, and Replace All must
// change nothing outside the region it works on.
#include <algorithm>
#include <cstdint>
#include <string>

#include "core/find/search_engine.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/search_reference.h"

using namespace quillet;
using namespace quillet::fuzz;

namespace {

struct Session {
    SearchEngine engine;
    const CodePage& fold;
    std::string doc;
    bool selectionScope;
    TextPos selStart, selLength;  // the text box's selection

    bool RegionFits() const {
        return 0 <= engine.RegionStart() && engine.RegionStart() <= engine.RegionEnd() &&
               engine.RegionEnd() <= static_cast<TextPos>(doc.size());
    }

    void Apply(const TextEdit& edit) {
        FUZZ_CHECK(edit.offset >= 0 && edit.removed >= 0 &&
                   static_cast<size_t>(edit.offset) + static_cast<size_t>(edit.removed) <=
                       doc.size());
        doc.replace(static_cast<size_t>(edit.offset), static_cast<size_t>(edit.removed),
                    edit.inserted);
        selStart = edit.offset + static_cast<TextPos>(edit.inserted.size());
        selLength = 0;
    }

    // Find Next, or a Replace that finds no match selected: checked against the reference.
    template <typename Step>
    void FindNext(const std::string& pattern, Step run) {
        const TextPos from = selectionScope ? std::max(engine.SearchPos(), engine.RegionStart() + 1)
                                            : engine.SearchPos();
        long long at = RefFind(from, doc, pattern, engine.Compare(), fold);
        if (selectionScope && at > engine.RegionEnd()) {
            at = 0;
        }
        const SearchStep step = run();
        if (at == 0) {
            FUZZ_CHECK(step.kind == SearchStep::RegionSearched);
            FUZZ_CHECK(engine.SearchPos() == (selectionScope ? engine.RegionStart() + 1 : 1));
            return;
        }
        FUZZ_CHECK(step.kind == SearchStep::Select && step.offset + 1 == at &&
                   step.length == static_cast<TextPos>(pattern.size()));
        FUZZ_CHECK(engine.SearchPos() == at + step.length);
        selStart = step.offset;
        selLength = step.length;
    }

    void FindNext(const std::string& pattern) {
        FindNext(pattern, [&] { return engine.SearchNext(doc, pattern, selectionScope); });
    }

    // The selection is replaced when it is a match the search could have found; else
    // Replace searches.
    void Replace(const std::string& pattern, const std::string& replacement) {
        const auto run = [&] {
            return engine.Replace(doc, selStart, selLength, pattern, replacement, selectionScope);
        };
        const bool inText =
            selStart >= 0 && selLength >= 0 &&
            static_cast<size_t>(selStart) + static_cast<size_t>(selLength) <= doc.size();
        const bool inScope =
            !selectionScope || (selStart >= engine.RegionStart() && selStart < engine.RegionEnd());
        if (!inText || !inScope || selLength != static_cast<TextPos>(pattern.size()) ||
            // The selected text compared as a text of its own, as the dialog compares it.
            !MatchesAt(std::string_view(doc).substr(static_cast<size_t>(selStart),
                                                    static_cast<size_t>(selLength)),
                       0, pattern, engine.Compare(), fold)) {
            FindNext(pattern, run);
            return;
        }
        const TextPos at = selStart;
        const SearchStep step = run();
        FUZZ_CHECK(step.kind == SearchStep::Replace && step.edit.offset == at &&
                   step.edit.removed == selLength && step.edit.inserted == replacement);
        Apply(step.edit);
        // The next search starts right behind the inserted text.
        FUZZ_CHECK(engine.SearchPos() == selStart + 1);
    }

    void ReplaceAll(const std::string& pattern, const std::string& replacement) {
        // The region cut to the text in the Selection scope; the whole text otherwise.
        const TextPos size = static_cast<TextPos>(doc.size());
        const TextPos to = selectionScope ? std::clamp(engine.RegionEnd(), 0, size) : size;
        const TextPos from = selectionScope ? std::clamp(engine.RegionStart(), 0, to) : 0;
        const bool fitted = RegionFits();
        const TextPos regionStart = engine.RegionStart();
        const std::string before = doc.substr(0, static_cast<size_t>(from));
        const std::string after = doc.substr(static_cast<size_t>(to));
        const std::string replaced =
            RefReplaceAll(std::string_view(doc).substr(0, static_cast<size_t>(to)),
                          static_cast<size_t>(from), pattern, replacement, engine.Compare(), fold);
        const auto edit = engine.ReplaceAll(doc, pattern, replacement, selectionScope);
        if (edit) {
            FUZZ_CHECK(edit->offset >= from && edit->offset + edit->removed <= to);
            Apply(*edit);
        }
        FUZZ_CHECK(doc == before + replaced + after);
        if (selectionScope && fitted) {
            // The region is what became of it: same start, the replaced text's length.
            FUZZ_CHECK(engine.RegionStart() == regionStart &&
                       engine.RegionEnd() == regionStart + static_cast<TextPos>(replaced.size()));
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const uint8_t flags = in.Byte();
    const int16_t loadStart = in.I16();
    const int16_t loadLength = in.I16();
    const std::string steps = in.Short();
    const std::string pattern = in.Short();
    const std::string replacement = in.Short();

    Session s{SearchEngine(TestCodePage(flags >> 2)),
              TestCodePage(flags >> 2),
              in.Rest(),
              false,
              loadStart,
              loadLength};
    s.selectionScope = s.engine.Load(loadStart, loadLength) && (flags & 2) != 0;
    s.engine.ChooseScope(s.selectionScope);
    s.engine.SetMatchCase((flags & 1) != 0);

    for (const char op : steps) {
        const bool fittedBefore = s.RegionFits();
        switch (op & 3) {
            case 0:
                s.FindNext(pattern);
                break;
            case 1:
                s.Replace(pattern, replacement);
                break;
            case 2:
                s.selectionScope = (op & 4) != 0;
                s.engine.ChooseScope(s.selectionScope);
                break;
            default:
                s.engine.SetMatchCase((op & 4) != 0);
                break;
        }
        // A region on the text stays on it, whatever the edits.
        FUZZ_CHECK(!fittedBefore || s.RegionFits());
    }
    const bool fittedBefore = s.RegionFits();
    s.ReplaceAll(pattern, replacement);
    FUZZ_CHECK(!fittedBefore || s.RegionFits());
    return 0;
}
