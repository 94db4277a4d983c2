// The new demo written, then read back exactly as Harpix and --explain read it: a file that would
// show a message or a warning is a fault of harpix-check, and is said as such.
#include "new_demo_command.h"

#include <cstdio>

#include "demo_layout.h"
#include "demo_settings.h"
#include "explain.h"
#include "new_demo.h"
#include "object_records.h"
#include "quoted_text.h"
#include "runtime_files.h"
#include "script_names.h"
#include "source_positions.h"

namespace {

constexpr size_t kLongestScriptFileName = sizeof(DemoSettings::ScriptFileName) - 2;

void Say(const std::string& where, const std::string& text) {
    std::printf("%s: %s\n", where.c_str(), text.c_str());
}

int Refuse(const std::string& text) {
    std::fprintf(stderr, "harpix-check: %s\n", text.c_str());
    return 2;
}

std::string List(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) {
        out += (out.empty() ? "" : ", ") + name;
    }
    return out.empty() ? "none" : out;
}

// A script the stand-in engine cannot compile: where it stopped, what was found, and the
// declarations that gave no name.
void TellPartialReading(const std::string& scriptPath, const ScriptNames& names) {
    Say(scriptPath + ":" + std::to_string(names.errorLine) + ":" +
            std::to_string(names.errorColumn),
        "warning: the script does not compile (" + names.error +
            "): Wine's stand-in engine will not run it; its names were read line by line");
    Say(scriptPath, "note: found the routines " + List(names.routines) + "; the variables " +
                        List(names.variables));
    for (const ScriptNames::Unread& unread : names.unread) {
        Say(scriptPath + ":" + std::to_string(unread.line),
            "warning: no name could be read from " + Quoted(unread.text));
    }
}

// Reads `text` as Harpix would, without looking at RuntimeFiles; true when nothing is found.
bool ReadsClean(const std::string& text, const std::string& outPath) {
    const Explanation explanation = ExplainDescription(text, "", false);
    const bool clean = explanation.findings.empty() && explanation.messages.empty();
    if (!clean) {
        std::printf("%s: warning: harpix-check made a file it does not read clean:\n%s",
                    outPath.c_str(),
                    FormatExplanation(explanation, SourcePositions(text), outPath).c_str());
    }
    ReleaseObjectRecords();
    return clean;
}

}  // namespace

int RunNewDemo(const std::string& scriptPath, const std::string& outPath, bool force) {
    if (!force && FileExists(outPath)) {
        return Refuse(outPath + " already exists: --new-demo --force replaces it");
    }
    std::string bytes;
    if (!ReadFileBytes(scriptPath, bytes)) {
        return Refuse("cannot read " + scriptPath);
    }
    ScriptNames names;
    std::string why;
    const ScriptNamesFault fault = ReadScriptNames(bytes, names, why);
    if (fault == ScriptNamesFault::NotAScript) {
        return Refuse(scriptPath + " is no DirectMusic script file (" + why + ")");
    }
    if (fault == ScriptNamesFault::NoSource) {
        return Refuse(scriptPath +
                      " carries no source text: its routines and variables cannot be read");
    }
    const size_t slash = scriptPath.find_last_of("/\\");
    const std::string fileName =
        slash == std::string::npos ? scriptPath : scriptPath.substr(slash + 1);
    if (fileName.size() > kLongestScriptFileName) {
        return Refuse("the script's file name is longer than the " +
                      std::to_string(kLongestScriptFileName) + " characters of ScriptFileName");
    }
    const NewDemo demo = MakeNewDemo(names, fileName);
    if (!WriteFileBytes(outPath, demo.text)) {
        return Refuse("cannot write " + outPath);
    }
    if (!names.compiled) {
        TellPartialReading(scriptPath, names);
    }
    for (const std::string& line : demo.report) {
        Say(outPath, line);
    }
    if (FindRuntimeFile(FolderOf(outPath), fileName).empty()) {
        Say(outPath, "note: Harpix looks for the script in " + std::string(kRuntimeFilesFolder) +
                         " beside " + outPath + ", and " + fileName + " is not there yet");
    }
    const bool clean = ReadsClean(demo.text, outPath);
    return demo.complete && names.compiled && names.unread.empty() && clean ? 0 : 1;
}
