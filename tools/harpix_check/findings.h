// What --explain reports: each finding at a place in the text the reader saw.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Severity { Message, Warning, Note };

struct Finding {
    int32_t position;  // in descriptionText
    Severity severity;
    std::string text;
    int controlId = -1;  // the control a finding is about, for the preview's marks
};

using Findings = std::vector<Finding>;
