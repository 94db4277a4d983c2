// Starting and ending Harpix.exe for a test.
#include "harpix_process.h"

#include <vector>

HarpixProcess::HarpixProcess(const std::string& exePath, const std::string& commandLine,
                             const std::string& currentDirectory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(exePath.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &info_)) {
        info_ = {};
    }
}

HarpixProcess::~HarpixProcess() {
    if (!Started()) {
        return;
    }
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool HarpixProcess::WaitForExit(DWORD milliseconds, DWORD& exitCode) const {
    if (!Started() || WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(info_.hProcess, &exitCode) != 0;
}
