// Whole-file reading and writing with the C library, and the look-up of RuntimeFiles, which
// Linux is told to make as Windows makes it.
#include "runtime_files.h"

#include <cstdio>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>

#include <vector>
#endif

#include "ascii_text.h"
#include "code_page_1252.h"
#include "demo_layout.h"
#include "script_text.h"

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

#ifdef _WIN32

std::string FindRuntimeFile(const std::string& folder, const std::string& name) {
    const std::string path =
        (folder.empty() ? std::string(".") : folder) + "/" + kRuntimeFilesFolder + "/" + name;
    return FileExists(path) ? path : std::string();
}

#else

namespace {

// The folders and the file that `path` names, as Windows reads a path: '\\' and '/' both part
// it; empty parts and "." go, ".." takes the part before it away; a folder loses one trailing
// dot, the file every trailing blank and dot.
std::vector<std::string> WindowsPathParts(const std::string& path) {
    std::vector<std::string> parts;
    size_t from = 0;
    while (from <= path.size()) {
        size_t end = path.find_first_of("\\/", from);
        if (end == std::string::npos) {
            end = path.size();
        }
        std::string part = path.substr(from, end - from);
        const bool folder = end < path.size();
        from = end + 1;
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else {
                parts.push_back(part);
            }
        } else if (!part.empty() && part != ".") {
            if (folder && part.back() == '.') {
                part.pop_back();
            }
            parts.push_back(part);
        }
    }
    // A last part of blanks and dots only leaves the path naming its folder.
    if (!parts.empty()) {
        parts.back().erase(parts.back().find_last_not_of(" .") + 1);
    }
    return parts;
}

// The entry of `folder` that Windows takes for `part`: spelt so, else the first that differs only
// in case. `part` is as the description file spells it, in 1252, or as a command line gave it.
std::string EntryFor(const std::string& folder, const std::string& part) {
    struct stat status;
    if (part == ".." || stat((folder + "/" + part).c_str(), &status) == 0) {
        return part;
    }
    std::string found;
    if (DIR* dir = opendir(folder.c_str())) {
        const std::u16string wanted = FromCodePage1252(part);
        while (dirent* entry = readdir(dir)) {
            std::u16string entryName;
            if (EqualsIgnoringCase(entry->d_name, part.c_str()) ||
                (Utf8ToUtf16(entry->d_name, entryName) && SameFileName(entryName, wanted))) {
                found = entry->d_name;
                break;
            }
        }
        closedir(dir);
    }
    return found;
}

}  // namespace

// Harpix finds a file that differs in case, or that the description names with trailing blanks
// or dots, and so must harpix-check wherever it runs.
std::string FindRuntimeFile(const std::string& folder, const std::string& name) {
    std::string path = folder.empty() ? std::string(".") : folder;
    for (const std::string& part :
         WindowsPathParts(std::string(kRuntimeFilesFolder) + "\\" + name)) {
        const std::string entry = EntryFor(path, part);
        if (entry.empty()) {
            return {};
        }
        path += "/" + entry;
    }
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) ? path : std::string();
}

#endif

bool ReadRuntimeFile(const std::string& folder, const std::string& name, std::string& bytes) {
    const std::string path = FindRuntimeFile(folder, name);
    return !path.empty() && ReadFileBytes(path, bytes);
}
