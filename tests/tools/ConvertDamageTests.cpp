// Damaged files: every broken reference of a glTF file is refused, or converted with a
// warning for what was dropped, or noted when nothing converted uses it; Assimp's own
// reports take the same ways.
#include "DamagedGltf.h"
#include "TempDir.h"
#include "ToolTestSupport.h"

#include "convert/bake/Bake.h"
#include "convert/import/Import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

using namespace tooltest;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

bool AnyContains(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return Contains(l, part); });
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

const DamageCase& Case(const std::string& name)
{
    for (const DamageCase& c : DamageCases())
        if (c.name == name)
            return c;
    throw std::runtime_error("no damage case " + name);
}

struct Imported {
    bool ok = false;
    convert::Content content;
    std::string error;
};

Imported ImportCase(const DamageCase& c)
{
    std::vector<std::uint8_t> bytes = DamagedGlb(AssetsDir(), c);
    Imported r;
    EXPECT_FALSE(bytes.empty()) << c.model;
    r.ok = convert::ImportGltfBytes(bytes.data(), bytes.size(), &r.content, &r.error);
    return r;
}

std::vector<std::string> ClipLines(const convert::Content& content)
{
    std::vector<std::string> lines;
    for (const convert::Clip& clip : content.clips)
        lines.insert(lines.end(), clip.dropped.begin(), clip.dropped.end());
    return lines;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

std::string LastLine(const std::string& text)
{
    std::string t = text;
    while (!t.empty() && t.back() == '\n')
        t.pop_back();
    return t.substr(t.rfind('\n') + 1);
}

} // namespace

// The whole table: each damaged file meets its outcome, with the JSON path of its fault,
// and whatever is converted still bakes.
TEST(ConvertDamage, EveryFaultIsRefusedWarnedOrNotedWithItsPath)
{
    for (const DamageCase& c : DamageCases()) {
        SCOPED_TRACE(c.name);
        Imported r = ImportCase(c);
        const convert::Content& content = r.content;
        if (c.outcome == Outcome::Refused) {
            EXPECT_FALSE(r.ok);
            EXPECT_TRUE(Contains(r.error, c.message)) << r.error;
            continue;
        }
        ASSERT_TRUE(r.ok) << r.error;
        std::vector<std::string> warned = content.warnings, clipLines = ClipLines(content);
        warned.insert(warned.end(), clipLines.begin(), clipLines.end());
        if (c.outcome == Outcome::Warned) {
            EXPECT_TRUE(AnyContains(warned, c.message)) << Joined(warned);
        } else {
            EXPECT_TRUE(AnyContains(content.notes, c.message)) << Joined(content.notes);
            EXPECT_TRUE(warned.empty()) << Joined(warned);
        }
        convert::BakeOptions options;
        options.clip = !content.clips.empty() && !content.clips[0].channels.empty() ? 0 : -1;
        convert::BakedScene baked;
        std::string error;
        EXPECT_TRUE(convert::Bake(content, options, &baked, &error)) << error;
    }
}

// What is left of a file after a drop: only the broken part is gone.
TEST(ConvertDamage, OnlyTheBrokenPartIsLeftOut)
{
    // The intact box draws its picture; with a broken texture reference it keeps its colour.
    Imported intact = ImportCase({"intact", "BoxTextured", [](nlohmann::json&) {}, Outcome::Noted, ""});
    ASSERT_TRUE(intact.ok) << intact.error;
    EXPECT_EQ(intact.content.materials.at(0).image, 0);
    EXPECT_TRUE(intact.content.warnings.empty() && intact.content.notes.empty());
    for (const char* name : {"material-texture", "texture-image", "image-view-range", "image-uri"}) {
        Imported r = ImportCase(Case(name));
        ASSERT_TRUE(r.ok) << name << ": " << r.error;
        EXPECT_EQ(r.content.materials.at(0).image, -1) << name;
        EXPECT_EQ(r.content.warnings.size(), 1u) << name << ": " << Joined(r.content.warnings);
    }

    // Texture coordinates the primitive lacks: it draws with a copy of the material
    // without the texture; the material itself keeps it.
    Imported texCoord = ImportCase(Case("material-texcoord"));
    ASSERT_TRUE(texCoord.ok) << texCoord.error;
    const int used = texCoord.content.meshes.at(0).parts.at(0).material;
    ASSERT_EQ(texCoord.content.materials.size(), 2u);
    EXPECT_EQ(texCoord.content.materials[used].image, -1);
    EXPECT_EQ(texCoord.content.materials[0].image, 0);

    // One channel lost, the other kept; an unknown interpolation reads as linear.
    Imported channel = ImportCase(Case("channel-node"));
    ASSERT_TRUE(channel.ok) << channel.error;
    ASSERT_EQ(channel.content.clips.at(0).channels.size(), 1u);
    EXPECT_EQ(channel.content.clips[0].channels[0].target, convert::Target::Rotation);
    EXPECT_TRUE(channel.content.warnings.empty()) << "a clip's losses belong to the clip";
    Imported smooth = ImportCase(Case("sampler-interpolation"));
    ASSERT_TRUE(smooth.ok) << smooth.error;
    ASSERT_EQ(smooth.content.clips.at(0).channels.size(), 2u);
    EXPECT_EQ(smooth.content.clips[0].channels[0].interpolation, convert::Interpolation::Linear);

    // Every fault of a refused file is listed, one line each.
    Imported two = ImportCase({"two", "BoxTextured",
                               [](nlohmann::json& d) {
                                   d["meshes"][0]["primitives"][0]["material"] = 999;
                                   d["nodes"][0]["children"] = {1, 9};
                               },
                               Outcome::Refused, ""});
    EXPECT_FALSE(two.ok);
    EXPECT_EQ(two.error,
              "nodes[0].children[1]: 9 is not a node\nmeshes[0].primitives[0].material: 999 is not a material");
}

// The small model made in code, which the glTF fuzzer starts from, uses every kind of
// reference and converts without a word.
TEST(ConvertDamage, SmallModelConvertsWhole)
{
    std::vector<std::uint8_t> bytes = WriteGlb(SmallModel());
    convert::Content content;
    std::string error;
    ASSERT_TRUE(convert::ImportGltfBytes(bytes.data(), bytes.size(), &content, &error)) << error;
    EXPECT_TRUE(content.warnings.empty()) << Joined(content.warnings);
    EXPECT_TRUE(content.notes.empty()) << Joined(content.notes);
    ASSERT_EQ(content.clips.size(), 1u);
    EXPECT_EQ(content.clips[0].channels.size(), 3u);
    EXPECT_EQ(content.skins.size(), 1u);
    EXPECT_EQ(content.materials.at(0).image, 0);
    convert::BakeOptions options;
    options.clip = 0;
    convert::BakedScene baked;
    ASSERT_TRUE(convert::Bake(content, options, &baked, &error)) << error;
    EXPECT_TRUE(baked.warnings.empty()) << Joined(baked.warnings);
    EXPECT_EQ(baked.files.textures.at(0).width, 2);
}

// The engine's exact material values that orvex-convert's export keeps in a material's
// extras are taken back only when whole and finite; otherwise the glTF colours are mapped.
TEST(ConvertDamage, EngineValuesInExtrasOnlyWhenWholeAndFinite)
{
    auto imported = [](const std::function<void(nlohmann::json&)>& extras, const std::string& from,
                       const std::string& to, convert::Content* content) {
        Glb glb = SmallModel();
        extras(glb.json["materials"][0]["extras"]["orvex"]);
        std::vector<std::uint8_t> bytes = WriteGlb(glb);
        // A number nlohmann::json would write otherwise, put in over one of the same length.
        auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
        if (!from.empty() && at != bytes.end())
            std::copy(to.begin(), to.end(), at);
        std::string error;
        EXPECT_TRUE(convert::ImportGltfBytes(bytes.data(), bytes.size(), content, &error)) << error;
    };
    auto whole = [](nlohmann::json& e) {
        e = {{"ambient", {0.25, 0.5, 0.75, 1.0}},
             {"diffuse", {0.5, 0.5, 0.5, 1.0}},
             {"specular", {1.0, 1.0, 1.0, 1.0}},
             {"shininess", 7777.5}};
    };
    convert::Content content;
    imported(whole, "", "", &content);
    ASSERT_TRUE(content.materials.at(0).engine.has_value());
    EXPECT_FLOAT_EQ(content.materials[0].engine->ambient.g, 0.5f);
    EXPECT_FLOAT_EQ(content.materials[0].engine->shininess, 7777.5f);

    for (const char* to : {"1e300 ", "-1e300"}) { // finite as a double, not as a float
        content = convert::Content{};
        imported(whole, "7777.5", to, &content);
        EXPECT_FALSE(content.materials.at(0).engine.has_value()) << to;
    }
    content = convert::Content{};
    imported([&](nlohmann::json& e) { whole(e), e["diffuse"] = {0.5, 0.5, 0.5}; }, "", "", &content);
    EXPECT_FALSE(content.materials.at(0).engine.has_value()) << "three channels";
    content = convert::Content{};
    imported([&](nlohmann::json& e) { whole(e), e.erase("specular"); }, "", "", &content);
    EXPECT_FALSE(content.materials.at(0).engine.has_value()) << "no specular";
}

// orvex-convert on damaged files as a user meets them: the exit status, the lines on
// stderr, the last line on stdout, and what lands in the folder.
TEST(ConvertDamage, ProgramRefusesWarnsAndSaysPartial)
{
    TempDir dir("convert-damage");
    auto write = [&](const std::string& name) {
        std::string path = dir.File(name + ".glb");
        WriteBytes(path, DamagedGlb(AssetsDir(), Case(name)));
        return path;
    };

    // Refused: the fault's path on stderr, nothing written.
    std::string refused = write("primitive-material");
    RunResult r = RunTool("orvex-convert", {refused, "-o", dir.File("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "orvex-convert: " + refused + ": meshes[0].primitives[0].material: 999 is not a material\n");
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"primitive-material.glb"}));

    // Converted without the texture: one warning, and the last line says partial.
    std::string texture = write("texture-image");
    r = RunTool("orvex-convert", {texture, "-o", dir.File("box")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "orvex-convert: warning: textures[0].source: 7 is not an image")) << r.err;
    EXPECT_EQ(LastLine(r.out).rfind("partial conversion in ", 0), 0u) << r.out;
    EXPECT_TRUE(Contains(LastLine(r.out), ": 1 warning says what was dropped or replaced")) << r.out;
    EXPECT_FALSE(Contains(r.out, "done")) << r.out;
    EXPECT_TRUE(std::filesystem::exists(dir.File("box_Texture_color.TGA")));

    // A fault in a part nothing uses is a note; the conversion is whole.
    std::string sampler = write("texture-sampler");
    r = RunTool("orvex-convert", {sampler, "-o", dir.File("sampled")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "orvex-convert: note: textures[0].sampler: 4 is not a sampler")) << r.err;
    EXPECT_EQ(LastLine(r.out).rfind("done in ", 0), 0u) << r.out;
}

// An animation whose every channel was dropped is never written as if it were the clip.
TEST(ConvertDamage, AnimationThatLostEveryChannelIsNotWritten)
{
    TempDir dir("convert-clip");
    std::string input = dir.File("broken.glb");
    WriteBytes(input, DamagedGlb(AssetsDir(), Case("channels-all")));

    RunResult r = RunTool("orvex-convert", {input, "-o", dir.File("box")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "warning: animations[0].channels[0].target.node: 99 is not a node")) << r.err;
    EXPECT_TRUE(Contains(r.err, "warning: animation 0 has no channel left to convert, so no animation is written"))
        << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("box.mes")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("box.knx")));
    EXPECT_EQ(LastLine(r.out).rfind("partial conversion in ", 0), 0u) << r.out;

    // Asked for by number, the clip that is not there any more is refused.
    r = RunTool("orvex-convert", {input, "-o", dir.File("asked"), "--animation", "0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, input + ": animation 0 has no channel left to convert")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("asked.mes")));

    // A clip that lost one channel of two is written with the other.
    WriteBytes(input, DamagedGlb(AssetsDir(), Case("channel-sampler")));
    r = RunTool("orvex-convert", {input, "-o", dir.File("half")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("half.knx")));
    EXPECT_TRUE(Contains(r.err, "animations[0].channels[0] is dropped")) << r.err;
}

// A .gltf beside its resources: the files its URIs name are read from its folder, and a
// missing one is told with the path it was looked for at.
TEST(ConvertDamage, MissingResourceFilesAreNamed)
{
    TempDir dir("convert-uri");
    const std::filesystem::path source = AssetsDir() / "BoxTextured" / "glTF";
    std::filesystem::copy_file(source / "BoxTextured0.bin", dir.File("BoxTextured0.bin"));
    std::ifstream in(source / "BoxTextured.gltf");
    nlohmann::json d = nlohmann::json::parse(in);

    d["images"][0]["uri"] = "gone.png";
    WriteText(dir.File("picture.gltf"), d.dump());
    RunResult r = RunTool("orvex-convert", {dir.File("picture.gltf"), "-o", dir.File("picture")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "warning: images[0].uri: \"gone.png\" names the file \"" + dir.File("gone.png") +
                                    "\", which cannot be read"))
        << r.err;

    d["buffers"][0]["uri"] = "gone%20too.bin";
    WriteText(dir.File("buffer.gltf"), d.dump());
    r = RunTool("orvex-convert", {dir.File("buffer.gltf"), "-o", dir.File("buffer")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "buffers[0].uri: \"gone%20too.bin\" names the file \"" + dir.File("gone too.bin") +
                                    "\", which cannot be read"))
        << r.err;
}

// Assimp's path: what its validation rejects is refused; what it reports and steps
// around becomes a warning.
TEST(ConvertDamage, AssimpReportsBecomeRefusalsAndWarnings)
{
    TempDir dir("convert-assimp-damage");
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    WriteText(dir.File("colours.mtl"), "newmtl red\nKd 1 0 0\n");
    WriteText(dir.File("unknown.obj"), "mtllib colours.mtl\n" + triangle + "usemtl blue\nf 1 2 3\n");
    WriteText(dir.File("nolib.obj"), "mtllib gone.mtl\n" + triangle + "usemtl red\nf 1 2 3\n");
    WriteText(dir.File("lines.obj"), "o lines\n" + triangle + "l 1 2\no face\nf 1 2 3\n");
    WriteText(dir.File("clean.obj"), "mtllib colours.mtl\no thing\n" + triangle + "usemtl red\nf 1 2 3\n");
    WriteText(dir.File("faces.ply"), "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
                                     "property float z\nelement face 1\nproperty list uchar int vertex_indices\n"
                                     "end_header\n0 0 0\n1 0 0\n0 1 0\n3 0 1 9\n");
    struct Row {
        const char* file;
        int exitCode;
        const char* message; // on stderr; empty: nothing on stderr
    };
    for (const Row& row :
         {Row{"unknown.obj", 0, "warning: Assimp: OBJ: failed to locate material blue"},
          Row{"nolib.obj", 0, "warning: Assimp: OBJ: Unable to locate material file gone.mtl"},
          Row{"lines.obj", 0, "warning: mesh 'lines': points and lines are not converted"},
          Row{"faces.ply", 1, "faces.ply: Validation failed: aiMesh::mFaces[0]::mIndices[2] is out of range"},
          Row{"clean.obj", 0, ""}}) {
        RunResult r = RunTool("orvex-convert", {dir.File(row.file), "-o", dir.File("out")});
        EXPECT_EQ(r.exitCode, row.exitCode) << row.file << ": " << r.err;
        if (*row.message)
            EXPECT_TRUE(Contains(r.err, row.message)) << row.file << ": " << r.err;
        else
            EXPECT_TRUE(r.err.empty()) << row.file << ": " << r.err;
        if (row.exitCode == 0) {
            EXPECT_EQ(LastLine(r.out).rfind(*row.message ? "partial conversion in " : "done in ", 0), 0u)
                << row.file << ": " << r.out;
        }
    }

    // From memory no other file is read, even one that is there.
    const std::string text = "mtllib " + dir.File("colours.mtl") + "\n" + triangle + "usemtl red\nf 1 2 3\n";
    convert::Content content;
    std::string error;
    ASSERT_TRUE(convert::ImportAssimpBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), "obj",
                                           &content, &error))
        << error;
    EXPECT_TRUE(AnyContains(content.warnings, "failed to locate material red")) << Joined(content.warnings);
    EXPECT_FALSE(convert::ImportAssimpBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), "nosuch",
                                            &content, &error));
}
