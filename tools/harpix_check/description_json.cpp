// Turns the reader's settings, tables and messages into harpix-check's JSON.
#include "description_json.h"

#include "demo_settings.h"
#include "json_text.h"
#include "object_records.h"

namespace {

// Builds one JSON object on a single line, fields in the order they are added.
class JsonObject {
public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }

    JsonObject& Text(const char* name, const char* value) {
        Name(name);
        AppendJsonString(out_, value);
        return *this;
    }

    JsonObject& Number(const char* name, int32_t value) {
        Name(name);
        AppendJsonNumber(out_, value);
        return *this;
    }

private:
    void Name(const char* name) {
        if (!first_) {
            out_ += ", ";
        }
        first_ = false;
        AppendJsonString(out_, name);
        out_ += ": ";
    }

    std::string& out_;
    bool first_ = true;
};

template <typename Record, int Slots, typename Describe>
void AppendRecords(std::string& out, const char* name, Record* const (&table)[Slots], int32_t count,
                   Describe describe) {
    out += "  \"";
    out += name;
    out += "\": [";
    for (int32_t i = 0; i < count; ++i) {
        out += i == 0 ? "\n    " : ",\n    ";
        describe(out, *table[i]);
    }
    out += count == 0 ? "],\n" : "\n  ],\n";
}

void DescribeButton(std::string& out, const ButtonDef& b) {
    JsonObject(out)
        .Text("Label", b.Label)
        .Text("Scriptroutine", b.Scriptroutine)
        .Number("Coordx", b.Coordx)
        .Number("Coordy", b.Coordy)
        .Number("Width", b.Width)
        .Number("Height", b.Height);
}

void DescribeVariable(std::string& out, const VariableDef& v) {
    JsonObject(out)
        .Text("Label", v.Label)
        .Text("Scriptvariable", v.Scriptvariable)
        .Text("NotifyRoutine", v.NotifyRoutine)
        .Number("HasNotifyRoutine", v.HasNotifyRoutine)
        .Number("Coordx", v.Coordx)
        .Number("Coordy", v.Coordy)
        .Number("LabelX", v.LabelX)
        .Number("LabelY", v.LabelY)
        .Number("LabelWidth", v.LabelWidth);
}

void DescribeTextBox(std::string& out, const TextBoxDef& t) {
    JsonObject(out)
        .Text("Text", t.Text)
        .Number("TopLeftX", t.TopLeftX)
        .Number("TopLeftY", t.TopLeftY)
        .Number("Width", t.Width)
        .Number("Height", t.Height);
}

}  // namespace

std::string DescribeReadingAsJson(const std::vector<std::string>& messages) {
    std::string out = "{\n  \"settings\": ";
    {
        const DemoSettings& s = demoSettings;
        JsonObject(out)
            .Text("Title", s.Title)
            .Number("WindowWidth", s.WindowWidth)
            .Number("WindowHeight", s.WindowHeight)
            .Text("ScriptFileName", s.ScriptFileName)
            .Text("AutoExecRoutine", s.AutoExecRoutine)
            .Text("AudioPathFileName", s.AudioPathFileName);
    }
    out += ",\n";
    AppendRecords(out, "buttons", buttons, buttonCount, DescribeButton);
    AppendRecords(out, "variables", variables, variableCount, DescribeVariable);
    AppendRecords(out, "textBoxes", textBoxes, textBoxCount, DescribeTextBox);
    out += "  \"lyricView\": ";
    if (hasLyricView == 1 && lyricView != nullptr) {
        JsonObject(out)
            .Number("TopLeftX", lyricView->TopLeftX)
            .Number("TopLeftY", lyricView->TopLeftY)
            .Number("Width", lyricView->Width)
            .Number("Height", lyricView->Height);
    } else {
        out += "null";
    }
    out += ",\n  \"messages\": [";
    for (size_t i = 0; i < messages.size(); ++i) {
        out += i == 0 ? "\n    " : ",\n    ";
        AppendJsonString(out, messages[i].c_str());
    }
    out += messages.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string DescribeLocationAsJson(const std::string& descriptionFileName,
                                   const std::string& directory) {
    std::string out;
    JsonObject(out)
        .Text("descriptionFileName", descriptionFileName.c_str())
        .Text("directory", directory.c_str());
    out += '\n';
    return out;
}
