// Whole-file reading and writing with the C library, and the case-blind look-up of RuntimeFiles.
#include "runtime_files.h"

#include <cstdio>

#ifndef _WIN32
#include <dirent.h>
#endif

#include "ascii_text.h"
#include "demo_layout.h"

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[8192];
    size_t got = 0;
    bytes.clear();
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool FileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file != nullptr) {
        std::fclose(file);
    }
    return file != nullptr;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Windows finds files whatever the letter case; elsewhere the folder is searched for one that
// matches in any case.
std::string FindRuntimeFile(const std::string& folder, const std::string& name) {
    std::string relative = name;
#ifndef _WIN32
    for (char& c : relative) {
        if (c == '\\') {
            c = '/';
        }
    }
#endif
    const std::string runtime =
        (folder.empty() ? std::string(".") : folder) + "/" + kRuntimeFilesFolder;
    const std::string path = runtime + "/" + relative;
    if (FileExists(path)) {
        return path;
    }
#ifndef _WIN32
    if (DIR* dir = opendir(runtime.c_str())) {
        std::string found;
        while (dirent* entry = readdir(dir)) {
            if (EqualsIgnoringCase(entry->d_name, relative.c_str())) {
                found = runtime + "/" + entry->d_name;
                break;
            }
        }
        closedir(dir);
        return found;
    }
#endif
    return {};
}
