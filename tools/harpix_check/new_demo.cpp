// Choosing what each name becomes, and trying layouts from the narrowest window until one fits.
#include "new_demo.h"

#include <algorithm>

#include "code_page_1252.h"
#include "demo_description_text.h"
#include "demo_layout_plan.h"
#include "demo_names.h"
#include "demo_settings.h"
#include "description_reader.h"
#include "object_records.h"

namespace {

constexpr size_t kLongestTitle = sizeof(DemoSettings::Title) - 2;
// The reader gives up with its too-long message once its position reaches kPositionLimit.
constexpr size_t kLongestText = kPositionLimit - 1;

// What each usable name of the script is to become, before anything is left out.
struct Roles {
    std::vector<std::string> variables;  // at most kMaxVariables
    std::vector<std::string> notifyOf;   // per variable, its notify routine or ""
    std::vector<std::string> routines;   // every routine with a usable name
    std::string autoExec;
    std::vector<std::string> tooLong;     // names longer than a value holds
    std::vector<std::string> overTables;  // variables past the table's 25
};

bool Contains(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

Roles AssignRoles(const ScriptNames& names) {
    Roles roles;
    for (const std::string& routine : names.routines) {
        if (routine.size() > kLongestName) {
            roles.tooLong.push_back(routine);
        } else {
            roles.routines.push_back(routine);
            if (roles.autoExec.empty() && IsStartUpRoutineName(routine)) {
                roles.autoExec = routine;
            }
        }
    }
    for (const std::string& variable : names.variables) {
        if (variable.size() > kLongestName) {
            roles.tooLong.push_back(variable);
        } else if (roles.variables.size() == kMaxVariables) {
            roles.overTables.push_back(variable);
        } else {
            std::string notify;
            for (const std::string& routine : roles.routines) {
                if (notify.empty() && routine != roles.autoExec &&
                    !Contains(roles.notifyOf, routine) && IsNotifyRoutineName(routine, variable)) {
                    notify = routine;
                }
            }
            roles.variables.push_back(variable);
            roles.notifyOf.push_back(notify);
        }
    }
    return roles;
}

std::vector<std::string> Instructions(bool buttons, bool variables) {
    std::vector<std::string> lines;
    if (buttons) {
        lines.push_back("Click a button to run its routine.");
    }
    if (variables) {
        lines.push_back(
            "Type a number and leave the box to set its variable; Enter sends every box.");
    }
    lines.push_back("The lyrics and the script's messages show below.");
    return lines;
}

// The first `variableCount` variables and `buttonCount` buttons at one width; the variables with
// a notify routine go first, into the first row. The routine of one that finds no room there, or
// is left out, is a button.
DemoLayout Arrange(const Roles& roles, size_t variableCount, size_t buttonCount, int32_t width) {
    DemoLayout layout;
    for (bool notified : {true, false}) {
        for (size_t i = 0; i < variableCount; ++i) {
            if (roles.notifyOf[i].empty() != notified) {
                layout.variables.push_back(
                    {roles.variables[i], VariableLabel(roles.variables[i]), roles.notifyOf[i]});
            }
        }
    }
    for (size_t i = VariablesInFirstRow(layout.variables, width); i < layout.variables.size();
         ++i) {
        layout.variables[i].notifyRoutine.clear();
    }
    for (const std::string& routine : roles.routines) {
        const bool notifies =
            std::any_of(layout.variables.begin(), layout.variables.end(),
                        [&](const PlannedVariable& v) { return v.notifyRoutine == routine; });
        if (routine != roles.autoExec && !notifies && layout.buttons.size() < buttonCount) {
            layout.buttons.push_back({routine, ButtonLabel(routine)});
        }
    }
    layout.instructions = Instructions(!layout.buttons.empty(), !layout.variables.empty());
    return layout;
}

// In code page 1252, as Harpix reads it: one byte a character, so that the cut to the field's
// length takes whole characters.
std::string Title(const ScriptNames& names, const std::string& scriptFileName) {
    std::string title = ToCodePage1252(
        names.name.empty() ? scriptFileName.substr(0, scriptFileName.find_last_of('.'))
                           : names.name);
    for (char& c : title) {
        c = (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? ' ' : c;
    }
    title = ReadableName(title).substr(0, kLongestTitle);
    title.erase(0, std::min(title.find_first_not_of(' '), title.size()));
    title.erase(title.find_last_not_of(' ') + 1);
    return title.empty() ? "Harpix demo" : title;
}

std::string List(const std::vector<std::string>& names) {
    std::string out;
    for (size_t i = 0; i < names.size(); ++i) {
        out += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    }
    return out;
}

bool Fit(const Roles& roles, const DemoHeader& header, size_t variableCount, size_t buttonCount,
         DemoLayout& layout, std::string& text) {
    for (int32_t width : LayoutClientWidths()) {
        DemoLayout candidate = Arrange(roles, variableCount, buttonCount, width);
        if (LayOutDemo(candidate, width)) {
            std::string candidateText = DescriptionText(header, candidate);
            if (candidateText.size() <= kLongestText) {
                layout = std::move(candidate);
                text = std::move(candidateText);
                return true;
            }
        }
    }
    return false;
}

std::string Count(size_t count, const char* one) {
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

// The names of `names` that the layout does not hold.
std::vector<std::string> Missing(const std::vector<std::string>& names,
                                 const std::vector<std::string>& placed) {
    std::vector<std::string> missing;
    for (const std::string& name : names) {
        if (!Contains(placed, name)) {
            missing.push_back(name);
        }
    }
    return missing;
}

void ReportLeftOut(const Roles& roles, const std::vector<std::string>& placed,
                   std::vector<std::string>& report, bool& complete) {
    std::vector<std::string> variables = Missing(roles.variables, placed);
    variables.insert(variables.end(), roles.overTables.begin(), roles.overTables.end());
    const std::vector<std::string> routines = Missing(roles.routines, placed);
    if (!roles.tooLong.empty()) {
        report.push_back("warning: left out " + List(roles.tooLong) + ": a name longer than " +
                         std::to_string(kLongestName) +
                         " characters does not fit in a description file's value");
    }
    if (!variables.empty() || !routines.empty()) {
        report.push_back(
            "warning: too many controls for one window (at most " + std::to_string(kMaxButtons) +
            " buttons and " + std::to_string(kMaxVariables) + " variables, in at most " +
            std::to_string(kLargestWindowWidth) + " x " + std::to_string(kLargestWindowHeight) +
            "): left out " + std::to_string(variables.size()) + " of the " +
            std::to_string(roles.variables.size() + roles.overTables.size()) + " variables and " +
            std::to_string(routines.size()) + " of the " + std::to_string(roles.routines.size()) +
            " routines, the last of each");
    }
    if (!variables.empty()) {
        report.push_back("note: left out the variables " + List(variables));
    }
    if (!routines.empty()) {
        report.push_back("note: left out the routines " + List(routines));
    }
    complete = roles.tooLong.empty() && variables.empty() && routines.empty();
}

std::vector<std::string> Report(const Roles& roles, const DemoLayout& layout, bool& complete) {
    std::vector<std::string> report;
    report.push_back(
        Count(layout.buttons.size(), "button") + ", " + Count(layout.variables.size(), "variable") +
        ", a text box and the lyric view in a window of " + std::to_string(layout.windowWidth) +
        " x " + std::to_string(layout.windowHeight));
    if (!roles.autoExec.empty()) {
        report.push_back("AutoExecRoutine " + roles.autoExec);
    }
    std::vector<std::string> notified, placed{roles.autoExec};
    for (const PlannedVariable& variable : layout.variables) {
        placed.push_back(variable.variable);
        if (!variable.notifyRoutine.empty()) {
            notified.push_back(variable.notifyRoutine + " for " + variable.variable);
            placed.push_back(variable.notifyRoutine);
        }
    }
    for (const PlannedButton& button : layout.buttons) {
        placed.push_back(button.routine);
    }
    if (!notified.empty()) {
        report.push_back("NotifyRoutine " + List(notified));
    }
    for (size_t i = 0; i < roles.variables.size(); ++i) {
        if (Contains(placed, roles.variables[i]) && !roles.notifyOf[i].empty() &&
            !Contains(placed, roles.notifyOf[i])) {
            report.push_back(
                "note: the first row, where a variable with a NotifyRoutine must "
                "stand, has no room for " +
                roles.variables[i] + ": " + roles.notifyOf[i] + " is a button");
        }
    }
    if (roles.routines.empty() && roles.variables.empty()) {
        report.push_back("note: the script defines no routines and no variables");
    }
    ReportLeftOut(roles, placed, report, complete);
    return report;
}

}  // namespace

NewDemo MakeNewDemo(const ScriptNames& names, const std::string& scriptFileName) {
    const Roles roles = AssignRoles(names);
    const DemoHeader header{Title(names, scriptFileName), scriptFileName, roles.autoExec};
    // One name fewer at a time, from the end of the longer list, until some width holds them
    // all: a demo keeps buttons and boxes both. With neither, the instructions and the lyric
    // view always fit.
    size_t variableCount = roles.variables.size();
    size_t buttonCount = std::min<size_t>(roles.routines.size(), kMaxButtons);
    DemoLayout layout;
    std::string text;
    while (!Fit(roles, header, variableCount, buttonCount, layout, text)) {
        if (buttonCount >= variableCount) {
            --buttonCount;
        } else {
            --variableCount;
        }
    }
    NewDemo demo;
    demo.text = WithCrLf(text);
    demo.report = Report(roles, layout, demo.complete);
    return demo;
}
