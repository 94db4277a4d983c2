// Script files: what the writer makes reads back the same; chunks in any order, padding, names,
// the container's objects; and every kind of broken file refused for its own reason.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "riff_writer.h"
#include "script_file.h"
#include "script_file_writer.h"
#include "script_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Id(const char* text) {
    return FourCc(text[0], text[1], text[2], text[3]);
}

Bytes Le32(uint32_t value) {
    Bytes out;
    RiffWriter::AppendLe32(out, value);
    return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// A chunk exactly as given: `size` is written as is, whatever the data's length, and nothing
// is padded; the broken files are made from these.
Bytes RawChunk(const char* id, uint32_t size, const Bytes& data) {
    return Join({Le32(Id(id)), Le32(size), data});
}

Bytes RawList(const char* id, const char* type, const Bytes& content) {
    return RawChunk(id, static_cast<uint32_t>(content.size() + 4), Join({Le32(Id(type)), content}));
}

Bytes Text(const std::string& utf8) {
    return RiffWriter::Utf16Le(U16(utf8));
}

// A well-formed chunk with its pad byte.
Bytes Chunk(const char* id, const Bytes& data) {
    Bytes out = RawChunk(id, static_cast<uint32_t>(data.size()), data);
    if (data.size() % 2 == 1) {
        out.push_back(0);
    }
    return out;
}

Bytes Form(const Bytes& content) {
    return RawList("RIFF", "DMSC", content);
}

ScriptFileFault Read(const Bytes& bytes, ScriptFile& file) {
    return ReadScriptFile(bytes.data(), bytes.size(), file);
}

ScriptFileContents SampleContents() {
    ScriptFileContents contents;
    contents.name = U16("Demo \xE2\x99\xAA");
    contents.source = U16("Dim a\r\nSub Start\r\n  a = 1\r\nEnd Sub\r\n");
    contents.guid = GuidFromContent(contents.name, contents.source);
    contents.version = {0x00020003, 0x00040005};
    contents.scriptVersion = {0x00080000, 1};
    contents.headerFlags = 0x1;
    return contents;
}

TEST(ScriptFileTest, WhatTheWriterMakesReadsBackTheSame) {
    ScriptFileContents contents = SampleContents();
    Bytes bytes = WriteScriptFile(contents);
    ScriptFile file;
    ASSERT_EQ(Read(bytes, file), ScriptFileFault::None);
    EXPECT_EQ(ToUtf8(file.name), ToUtf8(contents.name));
    EXPECT_EQ(ToUtf8(file.source), ToUtf8(contents.source));
    EXPECT_EQ(ToUtf8(file.language), "AudioVBScript");
    EXPECT_TRUE(file.hasGuid);
    EXPECT_EQ(FormatGuid(file.guid), FormatGuid(contents.guid));
    EXPECT_TRUE(file.hasVersion && file.hasScriptVersion && file.hasHeader);
    EXPECT_EQ(file.version.ms, 0x00020003u);
    EXPECT_EQ(file.version.ls, 0x00040005u);
    EXPECT_EQ(file.scriptVersion.ms, 0x00080000u);
    EXPECT_EQ(file.scriptVersion.ls, 1u);
    EXPECT_EQ(file.headerFlags, 1u);
    EXPECT_TRUE(file.hasContainer);
    EXPECT_TRUE(file.objects.empty());
    // Every size even, the form's size the file's less its header.
    EXPECT_EQ(bytes.size() % 2, 0u);
    EXPECT_EQ(ReadLe32(bytes.data() + 4), bytes.size() - 8);
}

TEST(ScriptFileTest, ChunksMayComeInAnyOrderAmongUnknownOnes) {
    const Bytes source = Chunk("scsr", Text("Sub T\nEnd Sub"));
    const Bytes language = Chunk("scla", Text("AudioVBScript"));
    const Bytes name = RawList("LIST", "UNFO", Chunk("UNAM", Text("Ordered")));
    const Bytes guid = Chunk("guid", Bytes(16, 0xAB));
    const Bytes unknown = Chunk("zzzz", Bytes{1, 2, 3});  // odd: padded
    const Bytes unknownList = RawList("LIST", "abcd", Chunk("efgh", Bytes{9}));
    const Bytes orders[] = {
        Form(Join({source, language, name, guid})),
        Form(Join({guid, name, language, source})),
        Form(Join({unknown, source, unknownList, guid, unknown, name, language})),
        Form(Join({name, unknownList, unknownList, language, guid, source, unknown})),
    };
    for (size_t i = 0; i < sizeof orders / sizeof orders[0]; ++i) {
        SCOPED_TRACE("order " + std::to_string(i));
        ScriptFile file;
        ASSERT_EQ(Read(orders[i], file), ScriptFileFault::None);
        EXPECT_EQ(ToUtf8(file.source), "Sub T\nEnd Sub");
        EXPECT_EQ(ToUtf8(file.language), "AudioVBScript");
        EXPECT_EQ(ToUtf8(file.name), "Ordered");
        EXPECT_EQ(file.guid.bytes[15], 0xAB);
        EXPECT_FALSE(file.hasHeader || file.hasVersion || file.hasContainer);
    }
}

TEST(ScriptFileTest, OddChunksArePaddedToAnEvenSize) {
    // A source chunk of odd size (one stray byte after the terminator), its pad byte, then a
    // guid that is only found where it is if the pad was skipped.
    Bytes oddSource = Join({Text("Sub T\nEnd Sub"), Bytes{0x55}});
    Bytes file = Form(Join({Chunk("scsr", oddSource), Chunk("guid", Bytes(16, 0x42))}));
    ScriptFile parsed;
    ASSERT_EQ(Read(file, parsed), ScriptFileFault::None);
    EXPECT_EQ(ToUtf8(parsed.source), "Sub T\nEnd Sub");
    ASSERT_TRUE(parsed.hasGuid);
    EXPECT_EQ(parsed.guid.bytes[0], 0x42);

    // The last chunk of a file sometimes comes without its pad byte: still a script.
    Bytes unpadded =
        Form(Join({Chunk("scsr", Text("Sub T\nEnd Sub")), RawChunk("zzzz", 3, Bytes{1, 2, 3})}));
    EXPECT_EQ(Read(unpadded, parsed), ScriptFileFault::None);
}

TEST(ScriptFileTest, TheNameComesFromUnamOrAUnicodeInam) {
    const struct {
        const char* label;
        Bytes unfo;
        const char* expected;
    } rows[] = {
        {"UNAM", Chunk("UNAM", Text("From UNAM")), "From UNAM"},
        {"INAM", Chunk("INAM", Text("From INAM")), "From INAM"},
        {"INAM then UNAM", Join({Chunk("INAM", Text("old")), Chunk("UNAM", Text("new"))}), "new"},
        {"UNAM then INAM", Join({Chunk("UNAM", Text("new")), Chunk("INAM", Text("old"))}), "new"},
        {"no terminator", Chunk("UNAM", Bytes{'O', 0, 'p', 0, 'e', 0, 'n', 0}), "Open"},
        {"other chunks only", Chunk("UCMT", Text("a comment")), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Bytes file = Form(Join({RawList("LIST", "UNFO", row.unfo), Chunk("scsr", Text(""))}));
        ScriptFile parsed;
        ASSERT_EQ(Read(file, parsed), ScriptFileFault::None);
        EXPECT_EQ(ToUtf8(parsed.name), row.expected);
    }
}

TEST(ScriptFileTest, TheContainerGivesEachObjectsAliasAndHeader) {
    Bytes classId(16);
    for (int i = 0; i < 16; ++i) {
        classId[i] = static_cast<uint8_t>(0x10 + i);
    }
    Bytes header = Join({classId, Le32(0x2), Le32(Id("RIFF")), Le32(Id("DMSG"))});
    Bytes segment = RawList("LIST", "cobl",
                            Join({Chunk("coba", Text("Intro")), Chunk("cobh", header),
                                  // The object itself: never decoded, so any bytes will do.
                                  RawList("RIFF", "DMSG", Chunk("junk", Bytes{0xFF, 0xFE}))}));
    Bytes reference = RawList(
        "LIST", "cobl",
        Join({Chunk("cobh", header), RawList("LIST", "DMRF", Chunk("name", Text("x.sgt")))}));
    Bytes container = RawList(
        "RIFF", "DMCN",
        Join({Chunk("conh", Le32(0)), RawList("LIST", "cosl", Join({segment, reference}))}));
    Bytes file = Form(Join({container, Chunk("scsr", Text("Sub T\nEnd Sub"))}));
    ScriptFile parsed;
    ASSERT_EQ(Read(file, parsed), ScriptFileFault::None);
    ASSERT_TRUE(parsed.hasContainer);
    ASSERT_EQ(parsed.objects.size(), 2u);
    EXPECT_EQ(ToUtf8(parsed.objects[0].alias), "Intro");
    EXPECT_TRUE(parsed.objects[0].hasHeader);
    EXPECT_EQ(std::memcmp(parsed.objects[0].classId.bytes, classId.data(), 16), 0);
    EXPECT_EQ(parsed.objects[0].flags, 2u);
    EXPECT_EQ(parsed.objects[0].chunkId, Id("RIFF"));
    EXPECT_EQ(parsed.objects[0].chunkType, Id("DMSG"));
    EXPECT_EQ(ToUtf8(parsed.objects[1].alias), "") << "an object without an alias";
    EXPECT_TRUE(parsed.objects[1].hasHeader);
}

TEST(ScriptFileTest, BytesAfterTheFormAreNotLookedAt) {
    Bytes file = Join({Form(Chunk("scsr", Text("Sub T\nEnd Sub"))), Bytes{0xDE, 0xAD, 0xBE}});
    ScriptFile parsed;
    EXPECT_EQ(Read(file, parsed), ScriptFileFault::None);
}

struct FaultRow {
    const char* label;
    Bytes bytes;
    ScriptFileFault expected;
};

TEST(ScriptFileTest, BrokenFilesAreRefusedForTheirOwnReason) {
    const Bytes source = Chunk("scsr", Text("Sub T\nEnd Sub"));
    const Bytes good = Form(source);
    const FaultRow rows[] = {
        {"empty", Bytes(), ScriptFileFault::NotRiff},
        {"three bytes", Bytes{'R', 'I', 'F'}, ScriptFileFault::NotRiff},
        {"RIFX", Join({Le32(Id("RIFX")), Bytes(good.begin() + 4, good.end())}),
         ScriptFileFault::NotRiff},
        {"a LIST first", RawList("LIST", "DMSC", source), ScriptFileFault::NotRiff},
        {"a segment", RawList("RIFF", "DMSG", source), ScriptFileFault::NotScript},
        {"header only", Bytes(good.begin(), good.begin() + 8), ScriptFileFault::Truncated},
        {"no form type", RawChunk("RIFF", 2, Bytes{'D', 'M'}), ScriptFileFault::Truncated},
        {"cut in the middle", Bytes(good.begin(), good.end() - 6), ScriptFileFault::Truncated},
        {"chunk header cut", Form(Join({source, Bytes{'g', 'u', 'i', 'd', 16}})),
         ScriptFileFault::Truncated},
        {"list without type", Form(Join({source, RawChunk("LIST", 2, Bytes{'U', 'N'})})),
         ScriptFileFault::Truncated},
        {"chunk overruns the form", Form(Join({source, RawChunk("guid", 40, Bytes(16, 0))})),
         ScriptFileFault::Overrun},
        {"chunk overruns UNFO",
         Form(Join({source, RawList("LIST", "UNFO", RawChunk("UNAM", 30, Text("ab")))})),
         ScriptFileFault::Overrun},
        {"chunk overruns an object",
         Form(Join(
             {source, RawList("RIFF", "DMCN",
                              RawList("LIST", "cosl",
                                      RawList("LIST", "cobl", RawChunk("coba", 99, Text("x")))))})),
         ScriptFileFault::Overrun},
        {"small guid", Form(Join({source, Chunk("guid", Bytes(8, 0))})),
         ScriptFileFault::ChunkTooSmall},
        {"small header", Form(Join({source, Chunk("schd", Bytes(2, 0))})),
         ScriptFileFault::ChunkTooSmall},
        {"small version", Form(Join({source, Chunk("vers", Bytes(4, 0))})),
         ScriptFileFault::ChunkTooSmall},
        {"small object header",
         Form(Join(
             {source, RawList("RIFF", "DMCN",
                              RawList("LIST", "cosl",
                                      RawList("LIST", "cobl", Chunk("cobh", Bytes(10, 0)))))})),
         ScriptFileFault::ChunkTooSmall},
        {"source by reference",
         Form(Join({Chunk("scla", Text("AudioVBScript")),
                    RawList("LIST", "DMRF", Chunk("file", Text("script.vbs")))})),
         ScriptFileFault::SourceByReference},
        {"no source", Form(Chunk("scla", Text("AudioVBScript"))), ScriptFileFault::NoSource},
    };
    for (const FaultRow& row : rows) {
        SCOPED_TRACE(row.label);
        ScriptFile file;
        ScriptFileFault fault = Read(row.bytes, file);
        EXPECT_EQ(fault, row.expected)
            << "got \"" << DescribeScriptFileFault(fault) << "\", expected \""
            << DescribeScriptFileFault(row.expected) << "\"";
    }
}

TEST(ScriptFileTest, TheContentGuidIsStableAndTellsScriptsApart) {
    FileGuid first = GuidFromContent(u"Demo", u"Sub A\nEnd Sub");
    FileGuid again = GuidFromContent(u"Demo", u"Sub A\nEnd Sub");
    EXPECT_EQ(FormatGuid(first), FormatGuid(again));
    const FileGuid others[] = {GuidFromContent(u"Demo", u"Sub B\nEnd Sub"),
                               GuidFromContent(u"Demo2", u"Sub A\nEnd Sub"),
                               GuidFromContent(u"DemoS", u"ub A\nEnd Sub")};
    for (const FileGuid& other : others) {
        EXPECT_NE(FormatGuid(other), FormatGuid(first));
    }
    EXPECT_EQ(first.bytes[7] >> 4, 8) << "version nibble of " << FormatGuid(first);
    EXPECT_EQ(first.bytes[8] >> 6, 2) << "variant bits of " << FormatGuid(first);
}

TEST(ScriptFileTest, GuidsAreWrittenAsWindowsDoes) {
    FileGuid guid;
    for (int i = 0; i < 16; ++i) {
        guid.bytes[i] = static_cast<uint8_t>(i);
    }
    EXPECT_EQ(FormatGuid(guid), "{03020100-0504-0706-0809-0A0B0C0D0E0F}");
}

}  // namespace
