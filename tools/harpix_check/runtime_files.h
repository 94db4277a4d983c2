// The files harpix-check reads and writes: whole files, and the files of a demo's RuntimeFiles
// folder, found as Harpix finds them.
#pragma once

#include <string>

// False when the file cannot be opened or read (a folder, on some systems, opens and then fails).
bool ReadFileBytes(const std::string& path, std::string& bytes);

// False when the file cannot be made or not every byte was written.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

bool FileExists(const std::string& path);

// The folder part of `path`, "" when it names a file in the current folder.
std::string FolderOf(const std::string& path);

// The path of `name` in the RuntimeFiles folder beside a description file in `folder` ("" for
// the current one), or "" when there is no such file. `name` may hold backslashes, as Harpix's
// description files spell sub-folders. Every build finds what Windows finds: names compare
// without regard to case, trailing blanks and dots of the file's name do not count, nor one
// trailing dot of a folder's, and "." and ".." are the folders they are.
std::string FindRuntimeFile(const std::string& folder, const std::string& name);

// The bytes of `name` in that RuntimeFiles folder; false when it is not there or cannot be read.
bool ReadRuntimeFile(const std::string& folder, const std::string& name, std::string& bytes);
