// A temporary demo folder for one test: a copy of Harpix.exe and the files the test writes.
#pragma once

#include <string>

// Where the Harpix.exe under test is; set by the driver's main from its command line.
extern std::string harpixExePath;

class DemoFolder {
public:
    // The folder's name has a blank in it, as folders of real users often do; `stem` and
    // `exeName` are ANSI (Windows-1252) names.
    explicit DemoFolder(const char* stem = "harpix demo", const char* exeName = "Harpix.exe");
    ~DemoFolder();
    DemoFolder(const DemoFolder&) = delete;
    DemoFolder& operator=(const DemoFolder&) = delete;

    // Writes `content` byte for byte to `relativeName`, making any folder it needs.
    void Write(const std::string& relativeName, const std::string& content) const;

    // Removes a file or an empty folder of the demo.
    void Remove(const std::string& relativeName) const;

    const std::string& Path() const { return path_; }
    std::string ExePath() const { return path_ + "\\" + exeName_; }

private:
    std::string path_;
    std::string exeName_;
};

// A second empty folder, to start the program from somewhere else.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};
