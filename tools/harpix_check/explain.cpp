// Running the reader with its observer and gathering the findings of every check.
#include "explain.h"

#include <cstring>

#include "demo_settings.h"
#include "description_json.h"
#include "description_reader.h"
#include "description_text.h"
#include "json_text.h"
#include "layout_findings.h"
#include "object_records.h"
#include "reading_analysis.h"
#include "reading_trace.h"
#include "script_findings.h"

namespace {

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Message:
            return "message";
        case Severity::Warning:
            return "warning";
        case Severity::Note:
            return "note";
    }
    return "";
}

// The observer is set only while one reading runs.
class ObservedReading {
public:
    explicit ObservedReading(ReaderObserver& observer) { readerObserver = &observer; }
    ~ObservedReading() { readerObserver = nullptr; }
    ObservedReading(const ObservedReading&) = delete;
    ObservedReading& operator=(const ObservedReading&) = delete;
};

}  // namespace

Explanation ExplainDescription(const std::string& bytes, const std::string& folder,
                               bool checkFiles) {
    // What a new process starts from, as ReadDescriptionFile finds it.
    demoSettings = DemoSettings{};
    ReleaseObjectRecords();
    LoadDescriptionText(bytes.data(), bytes.size());
    ReadingTrace trace;
    {
        ObservedReading observed(trace);
        InterpretDescriptionText(trace);
    }
    const SourcePositions places(bytes);
    ReadingAnalysis reading = AnalyseReading(trace, places);
    Explanation explanation;
    explanation.findings = std::move(reading.findings);
    explanation.messages = trace.messages;
    if (places.EndsAtCtrlZ() &&
        bytes.find_first_not_of(" \t\r\n\x1A", places.TextEndOffset()) != std::string::npos) {
        explanation.findings.push_back(
            {static_cast<int32_t>(std::strlen(descriptionText)), Severity::Warning,
             "a Ctrl-Z byte ends the file here: what follows it is never read"});
    }
    FindLayoutProblems(reading, explanation.findings);
    if (checkFiles) {
        FindScriptProblems(reading, folder, explanation.findings);
        explanation.filesChecked = true;
        explanation.startUp = PredictStartUp(folder);
    }
    return explanation;
}

std::string FormatExplanation(const Explanation& explanation, const SourcePositions& places,
                              const std::string& fileName, const std::vector<int>& marks) {
    std::string out;
    for (size_t i = 0; i < explanation.findings.size(); ++i) {
        const Finding& finding = explanation.findings[i];
        const SourcePlace place = places.Place(finding.position);
        out += fileName + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) +
               ": " + SeverityName(finding.severity) + ": " + finding.text;
        if (i < marks.size() && marks[i] != 0) {
            out += " [" + std::to_string(marks[i]) + "]";
        }
        out += '\n';
    }
    return out;
}

std::string ExplanationAsJson(const Explanation& explanation, const SourcePositions& places) {
    std::string out = DescribeReadingAsJson(explanation.messages);
    out.resize(out.size() - 3);  // the closing "\n}\n"
    out += ",\n  \"findings\": [";
    for (size_t i = 0; i < explanation.findings.size(); ++i) {
        const Finding& finding = explanation.findings[i];
        const SourcePlace place = places.Place(finding.position);
        out += i == 0 ? "\n    {\"line\": " : ",\n    {\"line\": ";
        AppendJsonNumber(out, place.line);
        out += ", \"column\": ";
        AppendJsonNumber(out, place.column);
        out += ", \"severity\": ";
        AppendJsonString(out, SeverityName(finding.severity));
        out += ", \"text\": ";
        AppendJsonString(out, finding.text.c_str());
        if (finding.controlId >= 0) {
            out += ", \"controlId\": ";
            AppendJsonNumber(out, finding.controlId);
        }
        out += '}';
    }
    out += explanation.findings.empty() ? "]" : "\n  ]";
    if (explanation.filesChecked) {
        out += ",\n  " + StartUpAsJson(explanation.startUp);
    }
    return out + "\n}\n";
}

bool HasProblems(const Explanation& explanation) {
    for (const Finding& finding : explanation.findings) {
        if (finding.severity != Severity::Note) {
            return true;
        }
    }
    return false;
}
