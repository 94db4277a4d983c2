// Paths as Wine's programs see them, and a file's bytes.
#pragma once

#include <string>

// A Unix path on drive Z:, with backslashes; a Windows path as it is.
std::string WindowsPath(std::string path);
// The folder part of a Windows path, without the last backslash; "." when it has none.
std::string WindowsFolderOf(const std::string& path);
// Every byte of the file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
