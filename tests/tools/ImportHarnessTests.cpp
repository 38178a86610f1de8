// The import fuzzers' harness converts an input exactly as orvex-convert converts the same
// bytes as a file alone in its folder: a crash the fuzzers find is a crash of the program.
// One harness serves every input in turn, as in a fuzzing run.
#include "DamagedGltf.h"
#include "ImportHarness.h"
#include "TempDir.h"
#include "ToolTestSupport.h"

#include "convert/Output.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

struct Result {
    bool converted = false;
    std::string error;
    std::vector<std::string> warnings, notes;
    int clip = -1;
    std::vector<std::vector<std::uint8_t>> files; // the written files' bytes, in order
};

std::vector<std::uint8_t> Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every line of the converter's message starts with the input's path.
std::string WithoutPath(std::string message, const std::string& path)
{
    const std::string prefix = path + ": ";
    for (std::size_t at = 0; at != std::string::npos; at = message.find('\n', at), at += at != std::string::npos) {
        if (message.compare(at, prefix.size(), prefix) == 0)
            message.erase(at, prefix.size());
    }
    return message;
}

// The converter names the files beside its input by their paths; the harness's input has
// no folder.
std::string Relative(std::string text, const std::string& folder)
{
    for (std::size_t at = text.find(folder + "/"); at != std::string::npos; at = text.find(folder + "/", at))
        text.erase(at, folder.size() + 1);
    return text;
}

std::vector<std::string> Relative(std::vector<std::string> lines, const std::string& folder)
{
    for (std::string& line : lines)
        line = Relative(line, folder);
    return lines;
}

Result Written(bool converted, std::string error, const convert::ConvertReport& report,
               const std::vector<std::string>& files, const std::string& folder = "")
{
    Result r;
    r.converted = converted;
    r.error = folder.empty() ? error : Relative(error, folder);
    if (converted) {
        r.warnings = folder.empty() ? report.warnings : Relative(report.warnings, folder);
        r.notes = folder.empty() ? report.notes : Relative(report.notes, folder);
        r.clip = report.clip;
        for (const std::string& file : files)
            r.files.push_back(Bytes(file));
    }
    return r;
}

Result ByConverter(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    TempDir in("harness-in"), out("harness-out");
    convert::ConvertOptions options = fuzzimport::HarnessOptions();
    options.input = in.Write(name, bytes);
    options.outBase = out.File(options.outBase);
    convert::ConvertReport report;
    std::string error;
    const bool converted = convert::RunConversion(options, nullptr, &report, &error);
    return Written(converted, WithoutPath(error, options.input), report, report.files, in.Path());
}

Result ByHarness(fuzzimport::ImportHarness& harness, const std::vector<std::uint8_t>& bytes)
{
    convert::ConvertOptions options = fuzzimport::HarnessOptions();
    convert::ConvertReport report;
    std::string error;
    const fuzzimport::Outcome outcome = harness.Run(bytes.data(), bytes.size(), options, &report, &error);
    EXPECT_NE(outcome, fuzzimport::Outcome::ImportedOnly);
    if (outcome != fuzzimport::Outcome::Converted)
        return Written(false, error, report, {});
    TempDir out("harness-written");
    const std::string base = out.File(options.outBase);
    EXPECT_TRUE(convert::WriteOutput(report.baked.files, base, &error)) << error;
    return Written(true, error, report, convert::OutputFiles(report.baked.files, base));
}

void ExpectSameOutcome(fuzzimport::ImportHarness& harness, const std::vector<std::uint8_t>& bytes,
                       const std::string& label)
{
    const Result program = ByConverter(harness.FileName(), bytes);
    const Result fuzzed = ByHarness(harness, bytes);
    EXPECT_EQ(fuzzed.converted, program.converted) << label << ": " << program.error;
    EXPECT_EQ(fuzzed.error, program.error) << label;
    EXPECT_EQ(fuzzed.warnings, program.warnings) << label;
    EXPECT_EQ(fuzzed.notes, program.notes) << label;
    EXPECT_EQ(fuzzed.clip, program.clip) << label;
    EXPECT_EQ(fuzzed.files.size(), program.files.size()) << label;
    EXPECT_TRUE(fuzzed.files == program.files) << label << ": the written files differ";
}

std::vector<std::uint8_t> Text(const std::string& text)
{
    return {text.begin(), text.end()};
}

} // namespace

TEST(ImportHarness, ObjConvertsAsTheProgramDoes)
{
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    const std::string quad = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n";
    const std::string texts[] = {
        triangle + "f 1 2 3\n",
        "o quad\n" + quad + "s 1\nf 1/1/1 2/2/1 3/3/1 4/4/1\n",
        // A material library that is not there, and one named after the input, which
        // Assimp falls back on.
        "mtllib scene.mtl\n" + triangle + "usemtl red\nf 1 2 3\n",
        "mtllib input.mtl\n" + triangle + "g a\nusemtl red\nf 1 2 3\ng b\nusemtl blue\nf 3 2 1\n",
        // The input named as its own material library: read, and refused, as a library.
        "mtllib input.obj\n" + triangle + "f 1 2 3\n",
        // Names that hold the statement's word stay as they are.
        "o mtllibrary\n" + triangle + "usemtl mtllib\nf 1 2 3\n",
        triangle + "l 1 2\nl 2 3\n",
        triangle + "f 1 2 4\n", // refused by the guard
        "f 1 2 3\n" + triangle,
        triangle + "f 1 2 3\nf -1 -2 -3\np 1\n",
        "# nothing but a comment\n",
        "",
        std::string("\x00\x01\x02garbage\xff", 11),
        "v 0 0 0\nv nan 1 inf\nv 1 1e39 0\nf 1 2 3\n",
    };
    fuzzimport::ImportHarness harness(fuzzimport::Format::Obj);
    EXPECT_STREQ(harness.FileName(), "input.obj");
    int i = 0;
    for (const std::string& text : texts)
        ExpectSameOutcome(harness, Text(text), "text " + std::to_string(i++));
}

TEST(ImportHarness, GltfConvertsAsTheProgramDoes)
{
    fuzzimport::ImportHarness harness(fuzzimport::Format::Gltf);
    EXPECT_STREQ(harness.FileName(), "input.glb");
    ExpectSameOutcome(harness, tooltest::WriteGlb(tooltest::SmallModel()), "small model");
    ExpectSameOutcome(harness, Text("{\"asset\":{\"version\":\"2.0\"}}"), "JSON without scenes");
    ExpectSameOutcome(harness, Text("glTF"), "cut header");
    for (const tooltest::DamageCase& c : tooltest::DamageCases())
        ExpectSameOutcome(harness, tooltest::DamagedGlb(tooltest::AssetsDir(), c), c.name);
}

// A clip the converter would bake but that would take seconds under the sanitizers is
// imported only; the converter's own limit still applies beyond it.
TEST(ImportHarness, LongClipIsImportedOnly)
{
    // The small model's first sampler ends at 1 s; made to end later by its last key time.
    auto lasting = [](float seconds) {
        tooltest::Glb glb = tooltest::SmallModel();
        nlohmann::json& accessor = glb.json["accessors"][glb.json["animations"][0]["samplers"][0]["input"].get<int>()];
        const nlohmann::json& view = glb.json["bufferViews"][accessor["bufferView"].get<int>()];
        const std::size_t last = view["byteOffset"].get<std::size_t>() + accessor.value("byteOffset", 0) +
                                 (accessor["count"].get<std::size_t>() - 1) * sizeof(float);
        std::memcpy(glb.bin.data() + last, &seconds, sizeof seconds);
        accessor["max"] = {seconds};
        return tooltest::WriteGlb(glb);
    };
    fuzzimport::ImportHarness harness(fuzzimport::Format::Gltf);
    const convert::ConvertOptions options = fuzzimport::HarnessOptions();
    convert::ConvertReport report;
    std::string error;
    struct Row {
        float seconds;
        fuzzimport::Outcome outcome;
    };
    for (const Row& row : {Row{1, fuzzimport::Outcome::Converted}, Row{4000, fuzzimport::Outcome::ImportedOnly},
                           Row{1e6f, fuzzimport::Outcome::Converted}}) {
        const std::vector<std::uint8_t> bytes = lasting(row.seconds);
        EXPECT_EQ(harness.Run(bytes.data(), bytes.size(), options, &report, &error), row.outcome)
            << row.seconds << " s: " << error;
    }
    // Past the converter's limit the clip is left out with a warning, as orvex-convert does.
    ExpectSameOutcome(harness, lasting(1e6f), "a clip of a million seconds");
}
