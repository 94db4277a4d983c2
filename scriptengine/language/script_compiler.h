// Compiling a script's source: tokens, syntax tree, names bound. Compile errors carry the line
// (from 1), the column (from 0), a description and the text of the line.
#pragma once

#include <string>
#include <vector>

#include "script_error.h"
#include "script_file.h"
#include "syntax_tree.h"

// `objectAliases` are the names the script's container holds: the objects of Name.Play.
bool CompileScript(const std::u16string& source, const std::vector<std::u16string>& objectAliases,
                   Program& program, ScriptError& error);

// A script file's source, with the aliases of the objects the file contains as known names.
bool CompileScriptFile(const ScriptFile& file, Program& program, ScriptError& error);

// The languages whose scripts the stand-in engine takes: DirectMusic's own, and VBScript, of
// which it is a subset. A file that names none is taken as AudioVBScript, DirectMusic's default.
bool ScriptLanguageSupported(const std::u16string& language);
