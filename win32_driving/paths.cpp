// Paths and whole files.
#include "paths.h"

#include <fstream>
#include <iterator>

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

std::string WindowsFolderOf(const std::string& path) {
    const size_t separator = path.find_last_of('\\');
    return separator == std::string::npos ? "." : path.substr(0, separator);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}
