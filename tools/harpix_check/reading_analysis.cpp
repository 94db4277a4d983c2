// The findings of the reading itself: messages, stray and misplaced words, and values that do
// not say what their author meant.
#include "reading_analysis.h"

#include <cstring>

#include "ascii_text.h"
#include "demo_layout.h"
#include "description_text.h"
#include "key_names.h"
#include "object_records.h"
#include "quoted_text.h"
#include "section_readers.h"
#include "value_traps.h"

namespace {

using Kind = ReadEvent::Kind;

std::string OneLine(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return out;
}

std::string CountWord(int count) {
    const char* const words[] = {"no", "one", "two", "three", "four", "five"};
    return count >= 0 && count < 6 ? words[count] : std::to_string(count);
}

bool AtLineStart(int32_t position) {
    return position == 0 || descriptionText[position - 1] == '\n';
}

int TableSize(SectionKind kind) {
    switch (kind) {
        case SectionKind::Button:
            return kMaxButtons;
        case SectionKind::Variable:
            return kMaxVariables;
        case SectionKind::TextBox:
            return kMaxTextBoxes;
        case SectionKind::LyricView:
            return 1;
    }
    return 0;
}

class Analyser {
public:
    Analyser(const ReadingTrace& trace, const SourcePositions& places)
        : events(trace.events), places(places) {}

    ReadingAnalysis Run() {
        for (size_t i = 0; i < events.size(); ++i) {
            const ReadEvent& e = events[i];
            switch (e.kind) {
                case Kind::Word:
                    if (e.status == ReadOk) {
                        OnWord(i, e);
                    }
                    break;
                case Kind::Value:
                    OnValue(e);
                    break;
                case Kind::Key:
                    OnKey(i, e);
                    break;
                case Kind::SectionBegan:
                    OnSectionBegan(i, e);
                    break;
                case Kind::SectionEnded:
                    OnSectionEnded(e);
                    break;
                case Kind::Message:
                    Add(e.from, Severity::Message, OneLine(e.text));
                    break;
                case Kind::Ended:
                    OnEnded(i, e);
                    break;
            }
        }
        for (const auto& [finding, section] : sectionOf) {
            result.findings[finding].controlId =
                ControlIdOf(result.sections[static_cast<size_t>(section)]);
        }
        return std::move(result);
    }

private:
    // `section`: the index of the section the finding is about; its control is known only
    // once every section has been counted.
    void Add(int32_t position, Severity severity, const std::string& text, int section = -1) {
        if (section >= 0) {
            sectionOf.emplace_back(result.findings.size(), section);
        }
        result.findings.push_back({position, severity, text, -1});
    }

    std::string LineOf(int32_t position) const {
        return "line " + std::to_string(places.Place(position).line);
    }

    bool IsKeyNext(size_t i) const {
        return i + 1 < events.size() && events[i + 1].kind == Kind::Key;
    }

    void OnWord(size_t i, const ReadEvent& e) {
        if (open >= 0) {
            if (!IsKeyNext(i)) {
                OnStrayPair(e);
            }
            return;
        }
        if (IsKeyNext(i)) {
            if (!AtLineStart(e.from)) {
                Add(e.from, Severity::Warning,
                    Quoted(e.text) + " in the middle of a line is read as a key all the same");
            }
            return;
        }
        OnStrayTopLevelWord(i, e);
    }

    // A word that uses up one of a section's key lines without being one of its keys.
    void OnStrayPair(const ReadEvent& e) {
        const SectionInfo& section = result.sections[static_cast<size_t>(open)];
        const int line = places.Place(e.from).line;
        if (line == reportedLine) {
            return;
        }
        reportedLine = line;
        const std::string uses = "one of the " + std::to_string(KeysOf(section.kind).keyLines) +
                                 " key lines of " + DescribeSection(section);
        const std::string bare = WithoutLeadingBlanks(e.text);
        std::string text;
        if (bare.empty()) {
            text = "a blank too many is read as a word and uses up " + uses;
        } else if (bare != e.text && (IsTopLevelKey(bare) || IsAnySectionKey(bare))) {
            text =
                Quoted(bare) + " does not start its line: read as a plain word, it uses up " + uses;
        } else if (IsSectionKeyword(e.text)) {
            text = "the keyword " + Quoted(e.text) + " is taken as " + uses +
                   " (a key is missing above): the " + e.text + " it begins is lost";
            lostSection = true;
        } else if (IsTopLevelKey(e.text) || IsAnySectionKey(e.text)) {
            text = Quoted(e.text) + " is no key of a " + KeysOf(section.kind).keyword +
                   " and uses up " + uses;
        } else if (std::string near = NearestKey(e.text); !near.empty()) {
            text = Quoted(e.text) + " is no key (did you mean " + Quoted(near) + "?) and uses up " +
                   uses;
        } else {
            text = Quoted(e.text) + " is no key and uses up " + uses +
                   "; the rest of its line is read as words too";
        }
        Add(e.from, Severity::Warning, text, open);
    }

    void OnStrayTopLevelWord(size_t i, const ReadEvent& e) {
        const bool lineStart = AtLineStart(e.from);
        const std::string bare = WithoutLeadingBlanks(e.text);
        if (bare != e.text && (IsTopLevelKey(bare) || IsAnySectionKey(bare))) {
            Add(e.from, Severity::Warning,
                Quoted(bare) + " does not start its line: read as a plain word");
        } else if (!lineStart) {
            return;
        } else if (SameKey(e.text, "NotifyRoutine") && lastSection >= 0 &&
                   result.sections[static_cast<size_t>(lastSection)].kind ==
                       SectionKind::Variable) {
            const SectionInfo& variable = result.sections[static_cast<size_t>(lastSection)];
            Add(e.from, Severity::Warning,
                "'NotifyRoutine' is not among the " +
                    CountWord(KeysOf(SectionKind::Variable).keyLines) + " key lines of " +
                    DescribeSection(variable) +
                    ": read as a plain word, the routine never runs (leave out Coordx or Coordy "
                    "to make room)",
                lastSection);
        } else if (IsAnySectionKey(e.text)) {
            if (!lostSection) {
                Add(e.from, Severity::Warning,
                    Quoted(e.text) +
                        " stands outside any section (the one above had read all its key "
                        "lines): read as a plain word");
            }
        } else if (SameKey(e.text, "End")) {
            if (i + 1 < events.size() && events[i + 1].kind != Kind::Ended) {
                Add(e.from, Severity::Warning,
                    "'End' without 'Ini' after it: both words are skipped and reading goes on");
            }
        } else if (std::string near = NearestKey(e.text); !near.empty()) {
            Add(e.from, Severity::Warning,
                Quoted(e.text) + " is no key (did you mean " + Quoted(near) +
                    "?): read as a plain word");
        }
    }

    void OnKey(size_t i, const ReadEvent& e) {
        lastKey = e.text;
        const int32_t at = events[i - 1].from;
        if (open >= 0) {
            ++keysMatched;
            return;
        }
        lostSection = false;
        if (IsSectionKeyword(e.text)) {
            return;
        }
        auto earlier = result.settingAt.find(e.text);
        if (earlier != result.settingAt.end()) {
            Add(at, Severity::Warning,
                Quoted(e.text) + " again: this value replaces the one on " +
                    LineOf(earlier->second));
        }
    }

    void OnSectionBegan(size_t i, const ReadEvent& e) {
        SectionInfo section{e.section, events[i - 2].from, {}, -1, {}, {}};
        if (e.section == SectionKind::LyricView && lyric >= 0) {
            Add(section.keyword, Severity::Warning,
                "a second LyricView replaces the one on " +
                    LineOf(result.sections[static_cast<size_t>(lyric)].keyword));
        }
        result.sections.push_back(section);
        open = static_cast<int>(result.sections.size() - 1);
        keysMatched = 0;
        reportedLine = 0;
    }

    void OnSectionEnded(const ReadEvent& e) {
        SectionInfo& section = result.sections[static_cast<size_t>(open)];
        int& counted = counts[static_cast<int>(e.section)];
        if (e.section == SectionKind::LyricView) {
            // A new lyric view takes the old one's place even when it stops.
            if (lyric >= 0) {
                result.sections[static_cast<size_t>(lyric)].record = -1;
            }
            if (e.status == ReadOk || counted > 0) {
                section.record = 0;
                counted = 1;
            }
            lyric = open;
        } else if (e.status == ReadOk && counted < TableSize(e.section)) {
            section.record = counted++;
        }
        if (e.status == ReadOk && keysMatched < KeysOf(e.section).keyLines) {
            Add(section.keyword, Severity::Note,
                DescribeSection(section) + " starts here; " + std::to_string(keysMatched) +
                    " of its " + std::to_string(KeysOf(e.section).keyLines) +
                    " key lines were its keys",
                open);
        }
        lastSection = open;
        open = -1;
        lastKey.clear();
    }

    void OnValue(const ReadEvent& e) {
        if (open >= 0) {
            SectionInfo& section = result.sections[static_cast<size_t>(open)];
            if (IsSectionKeyword(lastKey)) {
                section.label = e.text;
            }
            section.valueAt[lastKey] = e.from;
            section.values[lastKey] = e.text;
        } else if (!lastKey.empty()) {
            result.settingAt[lastKey] = e.from;
        }
        if (e.status != ReadOk || lastKey.empty()) {
            return;
        }
        const std::string trap = ValueTrap(lastKey, e, lostSection);
        if (!trap.empty()) {
            Add(e.from, Severity::Warning, trap, open);
        }
    }

    void OnEnded(size_t i, const ReadEvent& e) {
        if (i == 0 || events[i - 1].kind != Kind::Word || events[i - 1].status != ReadOk ||
            !SameKey(events[i - 1].text, "End")) {
            return;
        }
        int32_t p = e.from;
        while (p < kDescriptionTextLimit && descriptionText[p] != '\0' &&
               (IsBlank(descriptionText[p]) || descriptionText[p] == '\n')) {
            ++p;
        }
        if (p < kDescriptionTextLimit && descriptionText[p] != '\0') {
            Add(p, Severity::Warning, "text after 'End Ini' is never read");
        }
    }

    int ControlIdOf(const SectionInfo& section) const {
        if (section.record < 0) {
            return -1;
        }
        switch (section.kind) {
            case SectionKind::Button:
                return section.record;
            case SectionKind::Variable:
                return kEditIdBase + section.record;
            case SectionKind::TextBox:
                return kTextBoxIdBase + section.record;
            case SectionKind::LyricView:
                return kLyricViewId;
        }
        return -1;
    }

    const std::vector<ReadEvent>& events;
    const SourcePositions& places;
    ReadingAnalysis result;
    std::string lastKey;
    int open = -1;
    int lastSection = -1;
    int lyric = -1;
    int keysMatched = 0;
    std::vector<std::pair<size_t, int>> sectionOf;
    int reportedLine = 0;
    int counts[4] = {};
    bool lostSection = false;
};

}  // namespace

std::string DescribeSection(const SectionInfo& section) {
    std::string name = KeysOf(section.kind).keyword;
    if (section.kind == SectionKind::Button || section.kind == SectionKind::Variable) {
        name += " " + Quoted(section.label);
    }
    return name;
}

ReadingAnalysis AnalyseReading(const ReadingTrace& trace, const SourcePositions& places) {
    return Analyser(trace, places).Run();
}
