// Temporary demo folders, removed with everything in them when the test ends.
#include "demo_folder.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

std::string harpixExePath;

namespace {

std::string NewTemporaryFolder(const char* stem) {
    static std::atomic<int> serial{0};
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    for (;;) {
        char name[MAX_PATH + 64];
        std::snprintf(name, sizeof name, "%s%s %lu-%d", temp, stem, GetCurrentProcessId(),
                      serial++);
        if (CreateDirectoryA(name, nullptr)) {
            return name;
        }
    }
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

DemoFolder::DemoFolder(const char* stem, const char* exeName)
    : path_(NewTemporaryFolder(stem)), exeName_(exeName) {
    CopyFileA(harpixExePath.c_str(), ExePath().c_str(), FALSE);
}

void DemoFolder::Remove(const std::string& relativeName) const {
    const std::string full = path_ + "\\" + relativeName;
    if (!DeleteFileA(full.c_str())) {
        RemoveDirectoryA(full.c_str());
    }
}

DemoFolder::~DemoFolder() {
    RemoveTree(path_);
}

void DemoFolder::Write(const std::string& relativeName, const std::string& content) const {
    std::string full = path_ + "\\" + relativeName;
    for (size_t slash = full.find('\\', path_.size() + 1); slash != std::string::npos;
         slash = full.find('\\', slash + 1)) {
        CreateDirectoryA(full.substr(0, slash).c_str(), nullptr);
    }
    HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

ScratchFolder::ScratchFolder() : path_(NewTemporaryFolder("harpix elsewhere")) {}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}
