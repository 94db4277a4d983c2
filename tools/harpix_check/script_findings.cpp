// The script check: why the stand-in engine refuses the script file, from the verdict the
// start-up prediction also goes by, and the routines and variables its source defines.
#include "script_findings.h"

#include <cstring>
#include <vector>

#include "demo_layout.h"
#include "demo_settings.h"
#include "object_records.h"
#include "quoted_text.h"
#include "runtime_files.h"
#include "script_text.h"
#include "start_up_prediction.h"
#include "window_geometry.h"

namespace {

std::string ScriptLoadFailed() {
    return std::string("Harpix will show \"") + kScriptLoadFailedMessage + "\"";
}

// "RuntimeFiles\<name>", as the description file would name the file.
std::string InRuntimeFiles(const std::string& name) {
    return Quoted(std::string(kRuntimeFilesFolder) + "\\" + name);
}

int32_t SettingAt(const ReadingAnalysis& reading, const char* key) {
    auto at = reading.settingAt.find(key);
    return at != reading.settingAt.end() ? at->second : 0;
}

class NameCheck {
public:
    NameCheck(const Program& program, Findings& findings) : program(program), findings(findings) {}

    void Routine(const char* name, const std::string& what, int32_t at, int id) {
        for (const ::Routine& routine : program.routines) {
            if (SameName(routine.name, FromAscii(name))) {
                return;
            }
        }
        Missing("routine", name, what, at, id);
    }

    void Variable(const char* name, const std::string& what, int32_t at, int id) {
        for (const std::u16string& global : program.globals) {
            if (SameName(global, FromAscii(name))) {
                return;
            }
        }
        Missing("variable (a Dim outside the routines)", name, what, at, id);
    }

private:
    // `what` names the key and its owner, e.g. "Scriptroutine of Button 'Play'".
    void Missing(const char* kind, const char* name, const std::string& what, int32_t at, int id) {
        const std::string text = name[0] == '\0'
                                     ? "the " + what + " is empty: it names no " + kind
                                     : "the " + what + ", " + Quoted(name) + ", is no " + kind +
                                           " of the script " + Quoted(demoSettings.ScriptFileName);
        findings.push_back({at, Severity::Warning, text, id});
    }

    const Program& program;
    Findings& findings;
};

int32_t ValueAt(const SectionInfo& section, const char* key) {
    auto at = section.valueAt.find(key);
    return at != section.valueAt.end() ? at->second : section.keyword;
}

void CheckNames(const ReadingAnalysis& reading, const Program& program, Findings& findings) {
    NameCheck check(program, findings);
    if (demoSettings.AutoExecRoutine[0] != '\0') {
        check.Routine(demoSettings.AutoExecRoutine, "AutoExecRoutine",
                      SettingAt(reading, "AutoExecRoutine"), -1);
    }
    for (const SectionInfo& section : reading.sections) {
        if (section.record < 0) {
            continue;
        }
        if (section.kind == SectionKind::Button) {
            const ButtonDef& b = *buttons[section.record];
            check.Routine(b.Scriptroutine, "Scriptroutine of " + DescribeSection(section),
                          ValueAt(section, "Scriptroutine"), section.record);
        } else if (section.kind == SectionKind::Variable) {
            const VariableDef& v = *variables[section.record];
            const int id = kEditIdBase + section.record;
            check.Variable(v.Scriptvariable, "Scriptvariable of " + DescribeSection(section),
                           ValueAt(section, "Scriptvariable"), id);
            if (v.HasNotifyRoutine == 1) {
                check.Routine(v.NotifyRoutine, "NotifyRoutine of " + DescribeSection(section),
                              ValueAt(section, "NotifyRoutine"), id);
            }
        }
    }
}

void FindAudioPathProblems(const ReadingAnalysis& reading, const std::string& folder,
                           Findings& findings) {
    const AudioPathVerdict audioPath = JudgeAudioPath(folder);
    const int32_t at = SettingAt(reading, "AudioPathFileName");
    const std::string name = InRuntimeFiles(demoSettings.AudioPathFileName);
    if (audioPath.outcome == AudioPathLoad::TooLong) {
        // Refused before the file is looked for: the message box shows whether it exists or not.
        findings.push_back({at, Severity::Message, kInitializeFailedMessage});
        findings.push_back({at, Severity::Note,
                            "the AudioPathFileName is " +
                                std::to_string(std::strlen(demoSettings.AudioPathFileName)) +
                                " characters long, and Harpix refuses one longer than " +
                                std::to_string(kLongestAudioPathFileName) +
                                ": it opens the file as " +
                                Quoted(std::string(kRuntimeFilesFolder) + "\\") +
                                " and the name, in a path of at most " +
                                std::to_string(kAudioPathBufferSize - 1) + " characters"});
    } else if (audioPath.outcome == AudioPathLoad::Missing ||
               audioPath.outcome == AudioPathLoad::NotAnAudioPath) {
        findings.push_back(
            {at, Severity::Warning,
             (audioPath.outcome == AudioPathLoad::Missing
                  ? "the audiopath file " + name + " is missing"
                  : name + " is no audiopath configuration (" + audioPath.fault + ")") +
                 ": Harpix will show \"" +
                 std::string(kInitializeFailedMessage,
                             std::strcspn(kInitializeFailedMessage, ".")) +
                 "...\" and exit"});
    }
}

}  // namespace

void FindScriptProblems(const ReadingAnalysis& reading, const std::string& folder,
                        Findings& findings) {
    FindAudioPathProblems(reading, folder, findings);
    const int32_t at = SettingAt(reading, "ScriptFileName");
    const std::string name = InRuntimeFiles(demoSettings.ScriptFileName);
    const ScriptLoadVerdict load = JudgeScriptLoad(folder);
    switch (load.outcome) {
        case ScriptLoad::NoName:
            findings.push_back(
                {at, Severity::Warning, std::string("no ScriptFileName: ") + ScriptLoadFailed()});
            return;
        case ScriptLoad::Missing:
            findings.push_back({at, Severity::Warning,
                                "the script file " + name + " is missing: " + ScriptLoadFailed()});
            return;
        case ScriptLoad::NotAScript:
        case ScriptLoad::NoSource:
            findings.push_back({at, Severity::Warning,
                                (load.outcome == ScriptLoad::NoSource
                                     ? "the script file " + name + " cannot be loaded ("
                                     : name + " is no script file (") +
                                    DescribeScriptFileFault(load.fault) +
                                    "): " + ScriptLoadFailed()});
            return;
        case ScriptLoad::Language:
            findings.push_back({at, Severity::Warning,
                                "the script's language, " + Quoted(ToUtf8(load.file.language)) +
                                    ", is neither AudioVBScript nor VBScript: Wine's stand-in "
                                    "engine will not load it"});
            return;
        case ScriptLoad::DoesNotCompile:
            findings.push_back(
                {at, Severity::Warning,
                 "the script does not compile (line " + std::to_string(load.error.line) +
                     ", column " + std::to_string(load.error.column + 1) + ": " +
                     load.error.description + "): Wine's stand-in engine will not load it"});
            if (load.program.routines.empty() && load.program.globals.empty()) {
                return;
            }
            break;
        case ScriptLoad::Loaded:
            break;
    }
    CheckNames(reading, load.program, findings);
}
