// The start-up prediction: the two loads that can end start-up, in the order Harpix makes them.
#include "start_up_prediction.h"

#include <cstring>

#include "demo_layout.h"
#include "demo_settings.h"
#include "json_text.h"
#include "runtime_files.h"

namespace {

// A name too long for the engine's path buffer is refused; otherwise DirectMusic's loader must
// find the file and take it as an audiopath configuration, a RIFF form 'DMAP'.
bool AudioPathStarts(const std::string& folder) {
    const char* name = demoSettings.AudioPathFileName;
    if (name[0] == '\0') {
        return true;
    }
    std::string bytes;
    return std::strlen(name) <= kLongestAudioPathFileName && ReadRuntimeFile(folder, name, bytes) &&
           bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 &&
           bytes.compare(8, 4, "DMAP") == 0;
}

}  // namespace

StartUpPrediction PredictStartUp(const std::string& folder) {
    StartUpPrediction prediction;
    if (!AudioPathStarts(folder)) {
        prediction.failure = kInitializeFailedMessage;
    } else if (JudgeScriptLoad(folder).outcome != ScriptLoad::Loaded) {
        prediction.failure = kScriptLoadFailedMessage;
    }
    // The window destroys itself from inside its creation: the process ends with 0 all the same.
    prediction.mainWindow = prediction.failure.empty();
    return prediction;
}

std::string StartUpAsJson(const StartUpPrediction& prediction) {
    std::string out = "\"startUp\": {\"mainWindow\": ";
    out += prediction.mainWindow ? "true" : "false";
    out += ", \"exitCode\": ";
    AppendJsonNumber(out, prediction.exitCode);
    out += ", \"box\": ";
    if (prediction.failure.empty()) {
        out += "null";
    } else {
        out += "{\"caption\": ";
        AppendJsonString(out, kScriptLoadErrorCaption);
        out += ", \"owner\": \"main\", \"icon\": \"stop\", \"text\": ";
        AppendJsonString(out, prediction.failure.c_str());
        out += '}';
    }
    return out + '}';
}

ScriptLoadVerdict JudgeScriptLoad(const std::string& folder) {
    ScriptLoadVerdict verdict;
    std::string bytes;
    if (demoSettings.ScriptFileName[0] == '\0') {
        return verdict;
    }
    verdict.outcome = ScriptLoad::Missing;
    if (!ReadRuntimeFile(folder, demoSettings.ScriptFileName, bytes)) {
        return verdict;
    }
    verdict.fault =
        ReadScriptFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), verdict.file);
    // Load takes only a file with its source inside it.
    if (verdict.fault == ScriptFileFault::SourceByReference ||
        verdict.fault == ScriptFileFault::NoSource) {
        verdict.outcome = ScriptLoad::NoSource;
    } else if (verdict.fault != ScriptFileFault::None) {
        verdict.outcome = ScriptLoad::NotAScript;
    } else if (!ScriptLanguageSupported(verdict.file.language)) {
        verdict.outcome = ScriptLoad::Language;
    } else {
        verdict.outcome = CompileScriptFile(verdict.file, verdict.program, verdict.error)
                              ? ScriptLoad::Loaded
                              : ScriptLoad::DoesNotCompile;
    }
    return verdict;
}
