// The start-up prediction: the two loads that can end start-up, in the order Harpix makes them.
#include "start_up_prediction.h"

#include <cstring>

#include "demo_layout.h"
#include "demo_settings.h"
#include "json_text.h"
#include "quoted_text.h"
#include "riff_reader.h"
#include "runtime_files.h"

StartUpPrediction PredictStartUp(const std::string& folder) {
    StartUpPrediction prediction;
    const AudioPathLoad audioPath = JudgeAudioPath(folder).outcome;
    if (audioPath != AudioPathLoad::NoName && audioPath != AudioPathLoad::Usable) {
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

AudioPathVerdict JudgeAudioPath(const std::string& folder) {
    AudioPathVerdict verdict;
    const char* name = demoSettings.AudioPathFileName;
    std::string bytes;
    if (name[0] == '\0') {
        return verdict;
    }
    verdict.outcome = AudioPathLoad::TooLong;
    if (std::strlen(name) > kLongestAudioPathFileName) {
        return verdict;
    }
    verdict.outcome = AudioPathLoad::Missing;
    if (!ReadRuntimeFile(folder, name, bytes)) {
        return verdict;
    }
    // Wine's DirectMusic takes a RIFF form 'DMAP' whose chunks lie inside it, pad bytes and all,
    // whatever follows the form. It looks no deeper: a chunk or a list may hold anything.
    verdict.outcome = AudioPathLoad::NotAnAudioPath;
    RiffReader file(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    RiffChunk form, chunk;
    RiffStatus status = RiffStatus::Chunk;
    if (bytes.compare(0, 4, "RIFF") != 0 || file.Next(form) != RiffStatus::Chunk) {
        verdict.fault = "no RIFF file, or one cut short";
    } else if (form.listType != FourCc('D', 'M', 'A', 'P')) {
        verdict.fault = "a RIFF form " + Quoted(bytes.substr(8, 4)) + ", not 'DMAP'";
    } else {
        for (RiffReader inside(form); status == RiffStatus::Chunk;) {
            status = inside.Next(chunk);
        }
        if (status == RiffStatus::End) {
            verdict.outcome = AudioPathLoad::Usable;
        } else {
            verdict.fault = "a chunk of its form is cut short";
        }
    }
    return verdict;
}
