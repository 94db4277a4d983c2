// Binding the names of a parsed Program: what each name stands for, and the faults that can be
// seen before anything runs.
//
// A routine sees its own locals (declared with Dim, or simply used: undeclared names are locals
// that start at 0 and end with the routine), then the global Dims, the routines, the built-ins
// and the container's objects. Compile errors: a name defined twice (globals, routines, a local
// Dim, or a built-in's name), assigning to a routine, built-in or object, a routine or built-in
// used as a value or given arguments it does not take, a string anywhere but as Trace's argument.
// A call of a name that is none of these is left for run time, where it is an error if reached.
#pragma once

#include <string>
#include <vector>

#include "script_error.h"
#include "syntax_tree.h"

bool BindNames(Program& program, const std::vector<std::u16string>& objectAliases,
               const std::u16string& source, ScriptError& error);

// The built-in of this name, or Builtin::None.
Builtin FindBuiltin(const std::u16string& name, MasterValue& master);
