// What Harpix started in a demo folder does once its description file is read: the start-up
// failure that ends it, with its box, or the main window.
#pragma once

#include <string>

#include "script_compiler.h"

struct StartUpPrediction {
    bool mainWindow = true;
    int exitCode = 0;  // once the main window, if any, is closed
    // The text of the box that ends start-up ("Script Load Error", owned by the main window,
    // the stop icon); empty when none comes.
    std::string failure;
};

// From the reader's settings and the files of RuntimeFiles beside the description file in
// `folder`, judged as Harpix under Wine with the stand-in script engine loads them: DirectMusic's
// own engine on Windows may also load a script that the stand-in cannot compile.
StartUpPrediction PredictStartUp(const std::string& folder);

// `"startUp": {...}`, one line, as harpix-check's JSON holds it.
std::string StartUpAsJson(const StartUpPrediction& prediction);

// How the stand-in engine takes the ScriptFileName: the first step that refuses it (the loader
// finds the file, Load reads it, Init checks its language and compiles it), or Loaded. Every
// refusal ends start-up with the script's box; --explain says why from the same verdict.
enum class ScriptLoad { Loaded, NoName, Missing, NotAScript, NoSource, Language, DoesNotCompile };

struct ScriptLoadVerdict {
    ScriptLoad outcome = ScriptLoad::NoName;
    ScriptFileFault fault = ScriptFileFault::None;  // what NotAScript and NoSource found
    ScriptFile file;
    Program program;    // as far as it compiled
    ScriptError error;  // where and why it did not
};
ScriptLoadVerdict JudgeScriptLoad(const std::string& folder);

// How the engine takes the AudioPathFileName: none (the standard audiopath), too long for its
// path buffer, not found, not taken by Wine's DirectMusic, or taken. Every refusal ends
// start-up with the initialisation box; --explain says why from the same verdict.
enum class AudioPathLoad { NoName, TooLong, Missing, NotAnAudioPath, Usable };

struct AudioPathVerdict {
    AudioPathLoad outcome = AudioPathLoad::NoName;
    std::string fault;  // what NotAnAudioPath found, e.g. "a RIFF form 'WAVE', not 'DMAP'"
};
AudioPathVerdict JudgeAudioPath(const std::string& folder);
