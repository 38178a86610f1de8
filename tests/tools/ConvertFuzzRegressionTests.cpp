// Inputs the import fuzzers found, each kept as a test of its fix. Run under the
// sanitizers (scripts/test.sh --sanitize) they fail again if the fault comes back.
#include "DamagedGltf.h"
#include "TempDir.h"
#include "ToolTestSupport.h"

#include "convert/Convert.h"
#include "convert/bake/Bake.h"
#include "convert/import/ImageDecode.h"
#include "convert/import/Import.h"
#include "convert/import/ObjCheck.h"
#include "orvex/foundation/WorkingFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

bool ImportObj(const std::string& text, std::string* error)
{
    convert::Content content;
    return convert::ImportAssimpBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), "obj", &content,
                                      error);
}

bool CheckObj(const std::string& text, std::string* error)
{
    return convert::CheckObjVertexIndices(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), error);
}

} // namespace

// Assimp's OBJ reader leaked the mesh of the first group when a face of a later group
// named a vertex before the first one (found by the OBJ fuzzer; LeakSanitizer reported
// 1428 bytes). The file is refused before Assimp reads it.
TEST(ConvertFuzzRegression, ObjFaceBeyondTheVerticesIsRefusedBeforeAssimp)
{
    const std::string found = "mtllib scene.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                              "vn 0 0 1\ng left\nusemtl red\nf 1//1 2//1 3//1\ng right\nusemtl blue\nf -8 -2 -1\n";
    std::string error;
    EXPECT_FALSE(ImportObj(found, &error));
    EXPECT_EQ(error, "line 16: vertex -8 is named, and 4 vertices come before it");

    struct Row {
        const char* text;
        const char* error; // empty: passes
    };
    const Row rows[] = {
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", ""},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf -3 -2 -1\n", ""},
        // Indices count all the file's vertices, also those after the face.
        {"f 1 2 3\nv 0 0 0\nv 1 0 0\nv 0 1 0\n", ""},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/4/9 2//7 3\n", ""}, // texture and normal indices are Assimp's to drop
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n", "line 4: vertex 4 is named, and the file has 3 vertices"},
        {"v 0 0 0\nv 1 0 0\nf -3 -2 -1\nv 0 1 0\n", "line 3: vertex -3 is named, and 2 vertices come before it"},
        {"v 0 0 0\r\nv 1 0 0\r\nl 1 2 3\r\n", "line 3: vertex 3 is named, and the file has 2 vertices"},
        {"vt 0 0\nvn 0 0 1\nv 0 0 0\nf 1 1 2\n", "line 4: vertex 2 is named, and the file has 1 vertex"},
        // Only lines of 3, 4 or 6 numbers are vertices (the fuzzer's second find); a
        // backslash continues a line.
        {"v 0 0 0\nv 1 0 0\nv 0 1 p\nv 1 1 1 0.5 0.5 0.5\nf -4 -2 -1\n",
         "line 5: vertex -4 is named, and 3 vertices come before it"},
        {"v 0 0 \\\n 0\nv 1 0 0\nv nan 1 -inf\nf 1 2 3\n", ""},
    };
    for (const Row& row : rows) {
        error.clear();
        EXPECT_EQ(CheckObj(row.text, &error), !*row.error) << row.text;
        EXPECT_EQ(error, row.error) << row.text;
    }
}

// The same leak, found again by the longer OBJ run: Assimp takes any line whose first
// character is f, l or p for an element ("pt 2/1 3//1" named vertices 2 and 3 of a file
// with none), and reads the text with other quirks the guard now follows. Each row leaked
// in Assimp 5.2 with a group before it, or is read alike by both.
TEST(ConvertFuzzRegression, ObjTextIsReadAsAssimpReadsIt)
{
    const std::string found = "v 0 0 0\nv 0 1 0\nv 1 0 0\nf 1 2 3\ng a\npt 2/1 4//1\n";
    std::string error;
    EXPECT_FALSE(ImportObj(found, &error));
    EXPECT_EQ(error, "line 6: vertex 4 is named, and the file has 3 vertices");

    struct Row {
        std::string text;
        const char* error; // empty: passes
    };
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    const Row rows[] = {
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nfx 1 2 3\nlump 3 2 1\n", ""},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nfx 1 2 4\n", "line 4: vertex 4 is named, and the file has 3 vertices"},
        // A line that starts with a blank is no statement: neither this vertex nor the face.
        {"v 0 0 0\nv 1 0 0\n v 0 1 0\n f 1 2 9\nf 1 2 3\n", "line 5: vertex 3 is named, and the file has 2 vertices"},
        // The digits of an index are stepped over by its value: "2-9" is 2 and -9.
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2-9 3\n", "line 4: vertex -9 is named, and 3 vertices come before it"},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 001 +2 3\n", ""},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 2147483648\n", "line 4: the index 2147483648 is beyond what Assimp reads"},
        // A backslash before a line's end drops itself and joins without a blank ("0 00")...
        {"v 0 0\\\n0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", "line 5: vertex 3 is named, and the file has 2 vertices"},
        // ...skips to the next line feed, taking the carriage return's line with it...
        {"v 0 0 0\\\rv 1 0 0\nv 0 1 0\nv 1 1 0\nf 1 2 3\n", "line 4: vertex 3 is named, and the file has 2 vertices"},
        // ...and takes the next character as it is, here the end of the joined line.
        {"v 0 0 0 \\\n\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", "line 5: vertex 3 is named, and the file has 2 vertices"},
        // A line element of one vertex (found by the longer OBJ run: "lp 4" after a group),
        // with or without its texture and normal indices; none, two or a point pass.
        {triangle + "f 1 2 3\ng a\nlp 3\n", "line 6: a line element needs two vertices, and this one names one"},
        {triangle + "l 1//1 \n", "line 4: a line element needs two vertices, and this one names one"},
        {triangle + "l\nl 1 2\np 3\n", ""},
    };
    for (const Row& row : rows) {
        error.clear();
        EXPECT_EQ(CheckObj(row.text, &error), !*row.error) << row.text;
        EXPECT_EQ(error, row.error) << row.text;
    }
}

// Assimp's material library reader wrote through a material it had not made when a
// statement came before the first newmtl: a segmentation fault. The OBJ fuzzer found it
// three times, with map_d, bump2 and an "a" line, because from memory Assimp read the
// input itself as its material library; a .mtl file beside an .obj crashes orvex-convert
// the same way. Such libraries are refused before Assimp reads them, and from memory no
// library is read at all.
TEST(ConvertFuzzRegression, StatementBeforeAnyMaterialIsRefusedBeforeAssimp)
{
    const std::string found[] = {std::string("\0mtllib 1\0map_d\n", 16), std::string("mtllib s\0\0bump2\n", 16),
                                 std::string("\0\0a\0\0\0mtllib 1\0 ", 16)};
    const char* const errors[] = {"line 1: \"mtllib\" comes before any newmtl",
                                  "line 1: \"mtllib\" comes before any newmtl",
                                  "line 1: \"a\" comes before any newmtl"};
    TempDir dir("fuzz-mtl");
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    std::string error;
    for (std::size_t i = 0; i < std::size(found); ++i) {
        ImportObj(found[i], &error); // from memory: no library read, no crash
        std::ofstream(dir.File("found.mtl"), std::ios::binary) << found[i];
        std::ofstream(dir.File("found.obj")) << "mtllib found.mtl\n" << triangle;
        tooltest::RunResult r = tooltest::RunTool("orvex-convert", {dir.File("found.obj"), "-o", dir.File("found")});
        EXPECT_EQ(r.exitCode, 1) << i;
        EXPECT_EQ(r.err,
                  "orvex-convert: " + dir.File("found.obj") + ": " + dir.File("found.mtl") + " " + errors[i] + "\n");
    }

    auto check = [](const std::string& text, std::string* why) {
        return convert::CheckMaterialLibrary(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), why);
    };
    EXPECT_TRUE(check("newmtl red\nmap_Kd red.png\nKd 1 0 0\n", &error));
    EXPECT_TRUE(check("\xEF\xBB\xBF# colours\n\n  # of the wall\nnewmtl red\nmap_d mask.png\n", &error));
    EXPECT_FALSE(check("# colours\r\n  Kd 1 0 0\r\nnewmtl stone\r\n", &error));
    EXPECT_EQ(error, "line 2: \"Kd\" comes before any newmtl");
    EXPECT_FALSE(check("newmtlx\nnewmtl y\n", &error)) << "only newmtl itself makes a material";
    // Found in review, each a crash past the first guard: the first line is not read at all
    // when it starts with a blank, and a library's lines are not joined by a backslash.
    EXPECT_FALSE(check(" newmtl red\nmap_Kd red.png\n", &error));
    EXPECT_EQ(error, "line 2: \"map_Kd\" comes before any newmtl");
    EXPECT_FALSE(check("\xEF\xBB\xBF\tnewmtl red\nmap_Kd red.png\n", &error));
    EXPECT_FALSE(check("# red \\\nmap_Kd red.png\nnewmtl red\n", &error));
    EXPECT_EQ(error, "line 2: \"map_Kd\" comes before any newmtl");
    EXPECT_TRUE(check("# red\n  newmtl red\n map_Kd red.png\n", &error)) << error;

    const std::string names = "mtllib a.mtl b.mtl\nv 0 0 0\n mtllib  with space.mtl \n";
    EXPECT_EQ(convert::MaterialLibraries(reinterpret_cast<const std::uint8_t*>(names.data()), names.size()),
              (std::vector<std::string>{"a.mtl", "b.mtl", "a.mtl b.mtl", "with", "space.mtl", "with space.mtl",
                                        "with space.mtl "}));

    // Assimp puts the name after the OBJ's folder as it is written: an absolute name, and
    // one with blanks at its end, are files inside the folder.
    std::ofstream(dir.File("blanks.mtl  ")) << "map_Kd x.png\nnewmtl red\n";
    std::ofstream(dir.File("rooted.obj")) << "mtllib /blanks.mtl  \n" << triangle;
    tooltest::RunResult rooted = tooltest::RunTool("orvex-convert", {dir.File("rooted.obj"), "-o", dir.File("rooted")});
    EXPECT_EQ(rooted.exitCode, 1);
    EXPECT_TRUE(rooted.err.find("//blanks.mtl   line 1: \"map_Kd\" comes before any newmtl") != std::string::npos)
        << rooted.err;

    // The library Assimp falls back on, named after the OBJ, is checked as well.
    std::ofstream(dir.File("floor.mtl")) << "map_Ka tiles.png\n";
    std::ofstream(dir.File("floor.obj")) << "mtllib missing.mtl\n" << triangle;
    tooltest::RunResult r = tooltest::RunTool("orvex-convert", {dir.File("floor.obj"), "-o", dir.File("floor")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.find("floor.mtl line 1: \"map_Ka\" comes before any newmtl") != std::string::npos) << r.err;

    // From memory the text is the only file there is, as an OBJ alone in its folder: its
    // library, the fallback named after it and so its materials are missing, and Assimp says so.
    convert::Content content;
    const std::string text = "mtllib colours.mtl\nnewmtl red\n" + triangle + "usemtl red\n";
    ASSERT_TRUE(convert::ImportAssimpBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), "obj",
                                           &content, &error))
        << error;
    EXPECT_EQ(content.warnings, (std::vector<std::string>{
                                    "Assimp: OBJ: Unable to locate material file colours.mtl",
                                    "Assimp: OBJ: Unable to locate fallback material file input.mtl",
                                    "Assimp: OBJ: failed to locate material red, creating new material",
                                }));
}

// One damaged key time (the small model's last key at 100000 s instead of 1 s) asked the
// baker for two million frames: minutes of work and a file of hundreds of megabytes from
// a few bytes, which the glTF fuzzer meets as a timeout. Such a clip is not baked.
TEST(ConvertFuzzRegression, ClipTooLongToBakeIsLeftOut)
{
    tooltest::Glb glb = tooltest::SmallModel();
    const nlohmann::json& d = glb.json;
    const nlohmann::json& times = d["accessors"][d["animations"][0]["samplers"][0]["input"].get<int>()];
    const std::size_t offset = d["bufferViews"][times["bufferView"].get<int>()]["byteOffset"].get<std::size_t>();
    const float late = 100000;
    std::memcpy(&glb.bin[offset + 2 * sizeof(float)], &late, sizeof late);
    const std::vector<std::uint8_t> bytes = tooltest::WriteGlb(glb);
    convert::Content content;
    std::string error;
    ASSERT_TRUE(convert::ImportGltfBytes(bytes.data(), bytes.size(), &content, &error)) << error;

    convert::ConvertOptions options;
    convert::ConvertReport report;
    ASSERT_TRUE(convert::BakeContent(content, options, "", &report, &error)) << error;
    EXPECT_EQ(report.clip, -1);
    EXPECT_FALSE(report.baked.files.animation.has_value());
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.warnings[0], "animation 0 \"wave\" lasts 100000 s: 3 nodes at 2000002 frames are more keys "
                                  "than the converter writes (2097152), so no animation is written");

    options.animation = "wave";
    EXPECT_FALSE(convert::BakeContent(content, options, "", &report, &error));
    EXPECT_EQ(error, "animation 0 \"wave\" lasts 100000 s: 3 nodes at 2000002 frames are more keys than the "
                     "converter writes (2097152)");
}

// Not a number in the data: the Khronos validator's ACCESSOR_INVALID_FLOAT, met in the glTF
// fuzzer's corpus, where orvex-convert said "done". A position refuses the file; a key
// value costs its channel.
TEST(ConvertFuzzRegression, FloatsThatAreNotNumbersAreFaults)
{
    auto withNan = [](const char* accessorOf, int element) {
        tooltest::Glb glb = tooltest::SmallModel();
        const nlohmann::json& d = glb.json;
        const nlohmann::json pointer = nlohmann::json::parse(accessorOf);
        int accessor = d.at(nlohmann::json::json_pointer(pointer.get<std::string>())).get<int>();
        const nlohmann::json& a = d["accessors"][accessor];
        std::size_t offset = d["bufferViews"][a["bufferView"].get<int>()]["byteOffset"].get<std::size_t>();
        const float nan = std::nanf("");
        std::memcpy(&glb.bin[offset + element * sizeof(float)], &nan, sizeof nan);
        return tooltest::WriteGlb(glb);
    };
    convert::Content content;
    std::string error;
    std::vector<std::uint8_t> position = withNan("\"/meshes/0/primitives/0/attributes/POSITION\"", 4);
    EXPECT_FALSE(convert::ImportGltfBytes(position.data(), position.size(), &content, &error));
    EXPECT_EQ(error, "meshes[0].primitives[0].attributes.POSITION: accessors[0]: element 1 holds a value that is not a "
                     "finite number");

    std::vector<std::uint8_t> key = withNan("\"/animations/0/samplers/0/output\"", 3);
    ASSERT_TRUE(convert::ImportGltfBytes(key.data(), key.size(), &content, &error)) << error;
    ASSERT_EQ(content.clips.at(0).channels.size(), 2u);
    EXPECT_EQ(content.clips[0].dropped,
              (std::vector<std::string>{"animations[0].channels[0]: accessors[8]: element 1 holds a value that is "
                                        "not a finite number; animations[0].channels[0] is dropped"}));
}

// Named without an extension Assimp knows, OBJ text reached Assimp's reader by its content,
// past the OBJ guards (the longer run's leak, saved without a name). The name must say.
TEST(ConvertFuzzRegression, AssimpFilesAreReadByTheirExtensionOnly)
{
    const std::string dir = ::testing::TempDir();
    const std::string text = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\ng a\nf 1 2 4\n";
    for (const char* name : {"leak", "leak.dat"}) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        convert::Content content;
        std::string error;
        EXPECT_FALSE(convert::ImportAssimp(path, &content, &error)) << name;
        EXPECT_EQ(error, std::string(name) == "leak" ? "the file name has no extension to tell its format"
                                                     : "the extension \".dat\" names no format this build reads");
        std::filesystem::remove(path);
    }
}

// A PNG chunk stating more bytes than the file holds: stb_image allocated the stated 1.5 GB
// before it found them missing (the glTF fuzzer's timeout, 11 s under the sanitizers for a
// 3 kB file). The picture is refused before stb_image reads it, and only the texture is lost.
TEST(ConvertFuzzRegression, PngChunkLongerThanTheFileIsRefusedBeforeTheDecoder)
{
    tooltest::Glb glb = tooltest::SmallModel();
    const nlohmann::json& d = glb.json;
    const nlohmann::json& view = d["bufferViews"][d["images"][0]["bufferView"].get<int>()];
    const std::size_t png = view["byteOffset"].get<std::size_t>();
    const std::size_t idatLength = png + 8 + 25; // after the signature and the IHDR chunk
    ASSERT_EQ(std::memcmp(&glb.bin[idatLength + 4], "IDAT", 4), 0);
    const std::uint8_t stated[4] = {0x5B, 0x00, 0x00, 0x19}; // 1,526,726,681
    std::memcpy(&glb.bin[idatLength], stated, 4);
    const std::vector<std::uint8_t> bytes = tooltest::WriteGlb(glb);

    convert::Content content;
    std::string error;
    ASSERT_TRUE(convert::ImportGltfBytes(bytes.data(), bytes.size(), &content, &error)) << error;
    convert::ConvertReport report;
    ASSERT_TRUE(convert::BakeContent(content, convert::ConvertOptions{}, "", &report, &error)) << error;
    const std::size_t follow = view["byteLength"].get<std::size_t>() - 8 - 25 - 8;
    EXPECT_EQ(report.warnings,
              (std::vector<std::string>{
                  "texture 'images[0]' cannot be decoded (PNG chunk 'IDAT' states 1526726681 bytes, "
                  "but only " +
                  std::to_string(follow) + " follow); its materials get their diffuse colour instead"}));

    // Bytes after the end chunk are not the picture's: it still decodes.
    convert::Image padded;
    tooltest::Glb intact = tooltest::SmallModel();
    padded.encoded.assign(intact.bin.begin() + static_cast<std::ptrdiff_t>(png),
                          intact.bin.begin() +
                              static_cast<std::ptrdiff_t>(png + view["byteLength"].get<std::size_t>()));
    padded.encoded.insert(padded.encoded.end(), {0xFF, 0xFF, 0xFF, 0xFF, 'j', 'u', 'n', 'k', 0});
    convert::Pixels pixels;
    EXPECT_TRUE(convert::DecodeImage(padded, &pixels, &error)) << error;
    EXPECT_EQ(pixels.width, 2);
}

// An OBJ file that names itself as its material library: Assimp read the OBJ text as a
// library and wrote through a material it had not made (the OBJ fuzzer, running without
// AddressSanitizer, saw the crash). The converter's guard reads the library it names, the file
// itself, and refuses it; read from memory, the one file there is gets the same check.
TEST(ConvertFuzzRegression, ObjNamingItselfAsItsMaterialLibraryIsRefusedBeforeAssimp)
{
    const std::string text = "map_Kd x.png\nv 1 0 0\nmtllib input.obj\nv 0 1 0\nv 0 0 1\nf 1 2 3\n";
    std::string error;
    EXPECT_FALSE(ImportObj(text, &error));
    EXPECT_EQ(error, "input.obj line 1: \"map_Kd\" comes before any newmtl");

    TempDir dir("obj-self-library");
    for (const char* name : {"input.obj", "other.obj"}) {
        std::ofstream(dir.File(name), std::ios::binary) << text;
        convert::Content content;
        EXPECT_FALSE(convert::Import(dir.File(name), convert::Importer::Automatic, &content, &error)) << name;
        EXPECT_EQ(error, dir.File("input.obj") + " line 1: \"map_Kd\" comes before any newmtl") << name;
    }
}

// A material library named by two backslashes alone: Assimp's path clean-up, trying the name
// again after it failed to open, steps over them as the start of a network path and reads
// on past the name's end (the OBJ fuzzer's crash, which took the fuzzer's own handler down
// with it). Refused when Assimp would take the name as it stands: for an OBJ file read from
// its own folder, and from memory.
TEST(ConvertFuzzRegression, MaterialLibraryOfTwoBackslashesAloneIsRefusedBeforeAssimp)
{
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    const std::string refused = "material library \"\\\\\": a name of two backslashes alone is refused (Assimp 5.2 "
                                "reads past its end)";
    std::string error;
    // Three backslashes, the last of which joins the next line to this one as Assimp reads a
    // backslash before a line end: an empty line, whose end Assimp keeps, and the line after.
    for (const std::string line : {"mtllib \\\\\\\n\n\n", "mtllib \\\\\\\r\n\n\n"}) {
        EXPECT_FALSE(ImportObj(line + triangle, &error)) << line;
        EXPECT_EQ(error, refused) << line;
    }
    // The same at the end of the file, where Assimp reads line feeds past the last byte.
    EXPECT_FALSE(ImportObj(triangle + "mtllib \\\\\\", &error));
    EXPECT_EQ(error, refused);
    EXPECT_TRUE(ImportObj("mtllib \\\\x\n" + triangle, &error)) << error;

    TempDir dir("obj-backslashes");
    const std::string text = "mtllib \\\\\\\n\n\n" + triangle;
    dir.Write("input.obj", std::vector<std::uint8_t>(text.begin(), text.end()));
    convert::Content content;
    {
        const WorkingFolder folder(dir.Path());
        ASSERT_TRUE(folder.Entered());
        EXPECT_FALSE(convert::Import("input.obj", convert::Importer::Automatic, &content, &error));
        EXPECT_EQ(error, refused);
    }
}
