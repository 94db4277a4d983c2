// Running harpix-check from the driver and reading the messages out of its JSON.
#include "expected_messages.h"

#include <gtest/gtest.h>
#include <windows.h>

std::string harpixCheckPath;

namespace {

// Runs `commandLine`, returning everything it writes to its standard output.
bool CaptureOutput(const std::string& application, std::string commandLine, std::string& output) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return false;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    bool started = CreateProcessA(application.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                  nullptr, nullptr, &startup, &process) != 0;
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            output.append(buffer, got);
        }
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return started;
}

}  // namespace

bool ReadJsonString(const std::string& json, size_t& position, std::string& text) {
    if (position >= json.size() || json[position] != '"') {
        return false;
    }
    text.clear();
    for (size_t i = position + 1; i < json.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(json[i]);
        if (c == '"') {
            position = i + 1;
            return true;
        }
        if (c == '\\' && i + 1 < json.size()) {
            char escaped = json[++i];
            switch (escaped) {
                case 'n':
                    text += '\n';
                    break;
                case 'r':
                    text += '\r';
                    break;
                case 't':
                    text += '\t';
                    break;
                case 'b':
                    text += '\b';
                    break;
                case 'f':
                    text += '\f';
                    break;
                case 'u':
                    if (i + 4 >= json.size()) {
                        return false;
                    }
                    text += static_cast<char>(std::stoi(json.substr(i + 1, 4), nullptr, 16));
                    i += 4;
                    break;
                default:
                    text += escaped;
            }
        } else if (c >= 0xC0 && i + 1 < json.size()) {
            // Two-byte UTF-8: the checker writes U+0080 to U+00FF so.
            text += static_cast<char>(((c & 0x1F) << 6) | (json[++i] & 0x3F));
        } else {
            text += static_cast<char>(c);
        }
    }
    return false;
}

std::vector<std::string> CheckerMessages(const std::string& descriptionFile) {
    std::string json;
    if (!CaptureOutput(harpixCheckPath, "harpix-check \"" + descriptionFile + "\"", json)) {
        ADD_FAILURE() << "cannot run " << harpixCheckPath;
        return {};
    }
    size_t position = json.find("\"messages\": [");
    if (position == std::string::npos) {
        ADD_FAILURE() << "no messages in harpix-check's output: " << json.substr(0, 200);
        return {};
    }
    position += 13;
    std::vector<std::string> messages;
    for (;;) {
        while (position < json.size() &&
               (json[position] == ' ' || json[position] == '\n' || json[position] == ',')) {
            ++position;
        }
        std::string text;
        if (!ReadJsonString(json, position, text)) {
            break;
        }
        messages.push_back(text);
    }
    return messages;
}
