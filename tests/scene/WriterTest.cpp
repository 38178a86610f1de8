// The format writer: exact byte layout of the example scene, the checks that keep the
// converter from writing files the engine refuses, and streaming equal to memory output.
#include "Fixtures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace fixtures;

TEST(FormatWriter, ExampleSceneIs250BytesWithTheCommonHeader)
{
    const SceneDesc scene = TriangleScene();
    const std::vector<std::uint8_t> bytes = EncodeScene(scene);
    ASSERT_EQ(bytes.size(), 250u);
    EXPECT_EQ(SceneFileSize(scene), 250u);
    const std::vector<std::uint8_t> header(bytes.begin(), bytes.begin() + 9);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0x04, 'R', 'I', 'F', 'F', 0x64, 0, 0, 0}));
    // Material count 1, then the name "m": 01 00 00 00 01 6d.
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 9, bytes.begin() + 15),
              (std::vector<std::uint8_t>{1, 0, 0, 0, 1, 'm'}));
    EXPECT_EQ(CheckScene(scene), "");
}

TEST(FormatWriter, AnimationAndTgaSizes)
{
    const AnimationDesc animation = StepAnimation(2, 3);
    EXPECT_EQ(EncodeAnimation(animation).size(), AnimationFileSize(animation));
    EXPECT_EQ(AnimationFileSize(animation), 9u + 12 + 2 * (1 + 6 + 4 + 3 * 28));
    const std::uint8_t rgb[3 * 2 * 3] = {};
    TgaDesc image = TgaFromPixels(3, 2, 3, rgb);
    image.id = "hello";
    EXPECT_EQ(EncodeTga(image).size(), 18u + 5 + 18);
}

TEST(FormatWriter, CheckSceneNamesWhatTheEngineWouldRefuse)
{
    struct Case {
        const char* what;
        void (*spoil)(SceneDesc&);
        const char* message;
    };
    const Case cases[] = {
        {"version", [](SceneDesc& s) { s.header.version = 101; }, "version is not 100"},
        {"signature", [](SceneDesc& s) { s.header.signature = "RIFX"; }, "signature does not begin with RIFF"},
        {"material name", [](SceneDesc& s) { s.materials[0].name.assign(80, 'a'); }, "name longer than 79"},
        {"texture name", [](SceneDesc& s) { s.materials[0].texture.assign(76, 't'); }, "texture name longer than 75"},
        {"node name", [](SceneDesc& s) { s.nodes[0].name.assign(80, 'n'); }, "name longer than 79"},
        {"parent", [](SceneDesc& s) { s.nodes[0].parent = 0; }, "parent must be -1"},
        {"node index", [](SceneDesc& s) { s.meshes[0].nodeIndices[2] = 1; }, "node index 1 out of range"},
        {"index count", [](SceneDesc& s) { s.meshes[0].nodeIndices.pop_back(); }, "one node index per vertex"},
        {"extra node index", [](SceneDesc& s) { s.meshes[0].nodeIndices.push_back(0); }, "one node index per vertex"},
        {"vertex index", [](SceneDesc& s) { s.meshes[0].groups[0].lists[0].indices[1] = 3; }, "vertex index 3"},
        {"material", [](SceneDesc& s) { s.meshes[0].groups[0].material = "M"; }, "material \"M\" is not defined"},
    };
    for (const Case& c : cases) {
        SceneDesc scene = TriangleScene();
        c.spoil(scene);
        EXPECT_NE(CheckScene(scene).find(c.message), std::string::npos) << c.what << ": " << CheckScene(scene);
    }

    // Every name at its limit is one the engine reads.
    SceneDesc limits = TriangleScene();
    limits.materials[0].name.assign(79, 'a');
    limits.materials[0].texture.assign(75, 't');
    limits.nodes[0].name.assign(79, 'n');
    limits.meshes[0].name.assign(79, 's');
    limits.meshes[0].groups[0].material = limits.materials[0].name;
    EXPECT_EQ(CheckScene(limits), "");
}

TEST(FormatWriter, CheckAnimationAndTga)
{
    AnimationDesc animation = StepAnimation(2, 4);
    EXPECT_EQ(CheckAnimation(animation), "");
    animation.tracks[1].parent = 1;
    EXPECT_NE(CheckAnimation(animation), "");
    animation = StepAnimation(1, 0);
    EXPECT_NE(CheckAnimation(animation).find("at least one frame"), std::string::npos);
    for (bool extra : {false, true}) {
        animation = StepAnimation(1, 4);
        if (extra)
            animation.tracks[0].keys.push_back({});
        else
            animation.tracks[0].keys.pop_back();
        EXPECT_NE(CheckAnimation(animation).find("one key per frame"), std::string::npos) << extra;
    }

    const std::uint8_t grey[4] = {1, 2, 3, 4};
    TgaDesc image = TgaFromPixels(2, 2, 1, grey);
    EXPECT_EQ(image.imageType, 3);
    EXPECT_EQ(CheckTga(image), "");
    image.depth = 16;
    EXPECT_NE(CheckTga(image), "");
    image = TgaFromPixels(2, 2, 1, grey);
    image.data.pop_back();
    EXPECT_NE(CheckTga(image), "");

    // Length-prefixed texts: 255 bytes fit their length byte, 256 do not.
    image = TgaFromPixels(2, 2, 1, grey);
    image.id.assign(255, 'i');
    EXPECT_EQ(CheckTga(image), "");
    image.id.push_back('i');
    EXPECT_NE(CheckTga(image), "");
    animation = StepAnimation(1, 1);
    animation.header.signature = "RIFF" + std::string(251, 's');
    EXPECT_EQ(CheckAnimation(animation), "");
    animation.header.signature.push_back('s');
    EXPECT_NE(CheckAnimation(animation), "");
}

TEST(FormatWriter, TgaFromPixelsStoresBlueGreenRed)
{
    const std::uint8_t rgba[4] = {10, 20, 30, 40};
    const TgaDesc image = TgaFromPixels(1, 1, 4, rgba);
    EXPECT_EQ(image.depth, 32);
    EXPECT_EQ(image.descriptor, 8) << "eight alpha bits, so other readers keep the alpha";
    EXPECT_EQ(image.data, (std::vector<std::uint8_t>{30, 20, 10, 40}));
    const TgaDesc opaque = TgaFromPixels(1, 1, 3, rgba);
    EXPECT_EQ(opaque.depth, 24);
    EXPECT_EQ(opaque.descriptor, 0);
    EXPECT_EQ(opaque.data, (std::vector<std::uint8_t>{30, 20, 10}));
}

TEST(FormatWriter, StreamedFileEqualsMemoryEncoding)
{
    // Large enough to cross the writer's 64 KiB flush several times.
    SceneDesc scene = TriangleScene();
    scene.meshes.push_back(LineMesh("long", 5000, 0, "m"));
    TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteScene(dir.File("big.mes"), scene, &error)) << error;
    std::ifstream in(dir.File("big.mes"), std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(file, EncodeScene(scene));
    EXPECT_EQ(file.size(), SceneFileSize(scene));

    scene.nodes[0].parent = 5;
    EXPECT_FALSE(WriteScene(dir.File("bad.mes"), scene, &error));
    EXPECT_NE(error.find("parent"), std::string::npos);
    EXPECT_FALSE(WriteScene(dir.File("missing/folder.mes"), TriangleScene(), &error));
}

TEST(FormatWriter, StringsOver255BytesCannotBeEncoded)
{
    ByteWriter writer;
    writer.String(std::string(255, 'a'));
    EXPECT_TRUE(writer.Ok());
    EXPECT_EQ(writer.Size(), 256u);
    writer.String(std::string(256, 'a'));
    EXPECT_FALSE(writer.Ok());
    EXPECT_EQ(writer.Size(), 256u);
}
