// The writer's checks and the engine's loaders accept exactly the same files: writer-made
// files, every one-byte change and every truncation of them, and descriptions at the edge
// of each rule. A refused file is refused by both, for the same fault.
#include "WriterAgreement.h"
#include "SceneTestSupport.h"

#include <functional>

using namespace fixtures;
using agreement::FileKind;

namespace {

// Two materials, a chain of three nodes, a mesh of two groups (one list of 7 indices, one
// empty list) and a mesh without vertices.
SceneDesc Richer()
{
    SceneDesc scene = TriangleScene();
    MaterialDesc& second = scene.materials.emplace_back();
    second.name = "second";
    second.texture = "paint";
    scene.nodes.push_back(NodeDesc{"b", 0, {1, 2, 3}, {}});
    scene.nodes.push_back(NodeDesc{"c", 1, {}, {}});
    MeshDesc mesh = LineMesh("line", 4, 2, "second");
    mesh.groups.push_back(GroupDesc{"m", {TriangleListDesc{{3, 2, 1, 0, 1, 2, 3}}, TriangleListDesc{}}});
    scene.meshes.push_back(mesh);
    scene.meshes.emplace_back().name = "hollow";
    return scene;
}

TgaDesc Identified()
{
    const std::uint8_t pixels[2 * 2 * 4] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    TgaDesc image = TgaFromPixels(2, 2, 4, pixels);
    image.id = "id";
    return image;
}

TgaDesc Blank(std::uint16_t width, std::uint16_t height)
{
    TgaDesc image;
    image.imageType = 0;
    image.width = width;
    image.height = height;
    image.depth = 24;
    return image;
}

class WriterAgreementTest : public SceneTest {
protected:
    agreement::Verdicts Judge(FileKind kind, const std::vector<std::uint8_t>& bytes)
    {
        return agreement::Judge(kind, bytes, dir.Write("judged", bytes).c_str());
    }

    // The verdicts agree, and a file the writer could describe encodes back to itself.
    void ExpectAgreement(FileKind kind, const std::vector<std::uint8_t>& bytes, const std::string& what)
    {
        const agreement::Verdicts verdicts = Judge(kind, bytes);
        EXPECT_EQ(verdicts.writer, verdicts.loader) << what << ": " << agreement::Describe(verdicts);
        if (verdicts.decoded) {
            EXPECT_TRUE(verdicts.roundTrip) << what;
        }
    }

    // Every file one byte away from `bytes` (a few telling values in each place) and every
    // truncation; returns how many of them both accepted.
    int MutateAndTruncate(FileKind kind, const std::vector<std::uint8_t>& bytes, const std::string& name)
    {
        int accepted = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            for (int value : {0x00, 0x01, 0x7F, 0x80, 0xFF, bytes[i] + 1, bytes[i] - 1}) {
                std::vector<std::uint8_t> changed = bytes;
                changed[i] = static_cast<std::uint8_t>(value);
                const agreement::Verdicts verdicts = Judge(kind, changed);
                EXPECT_EQ(verdicts.writer, verdicts.loader)
                    << name << " byte " << i << " = " << value << ": " << agreement::Describe(verdicts);
                accepted += verdicts.writer && verdicts.loader;
            }
        }
        for (std::size_t size = 0; size < bytes.size(); ++size)
            ExpectAgreement(kind, {bytes.begin(), bytes.begin() + std::ptrdiff_t(size)},
                            name + " cut to " + std::to_string(size));
        return accepted;
    }
};

} // namespace

TEST_F(WriterAgreementTest, WriterMadeFilesAreAcceptedByBothAndDecodeToThemselves)
{
    const struct {
        FileKind kind;
        std::vector<std::uint8_t> bytes;
    } files[] = {
        {FileKind::Scene, EncodeScene(SceneDesc{})},
        {FileKind::Scene, EncodeScene(TriangleScene())},
        {FileKind::Scene, EncodeScene(Richer())},
        {FileKind::Animation, EncodeAnimation(StepAnimation(0, 0))},
        {FileKind::Animation, EncodeAnimation(StepAnimation(3, 2))},
        {FileKind::Texture, EncodeTga(Identified())},
        {FileKind::Texture, EncodeTga(TgaFromPixels(1, 2, 1, std::vector<std::uint8_t>{7, 8}.data()))},
        {FileKind::Texture, EncodeTga(Blank(3, 1))},
    };
    for (const auto& file : files) {
        const agreement::Verdicts verdicts = Judge(file.kind, file.bytes);
        EXPECT_TRUE(verdicts.writer) << agreement::Describe(verdicts);
        EXPECT_TRUE(verdicts.loader) << agreement::Describe(verdicts);
        EXPECT_TRUE(verdicts.roundTrip);
    }
}

TEST_F(WriterAgreementTest, EveryOneByteChangeAndTruncationOfAWriterMadeFile)
{
    // Each family keeps some changed files acceptable (colours, positions, names), so the
    // agreement is tested on both sides of the rules.
    EXPECT_GT(MutateAndTruncate(FileKind::Scene, EncodeScene(Richer()), "scene"), 100);
    EXPECT_GT(MutateAndTruncate(FileKind::Animation, EncodeAnimation(StepAnimation(2, 2)), "animation"), 100);
    EXPECT_GT(MutateAndTruncate(FileKind::Texture, EncodeTga(Identified()), "texture"), 50);
}

TEST_F(WriterAgreementTest, DescriptionsAtTheEdgeOfEachRule)
{
    const std::string long79(79, 'n');
    const std::string long80(80, 'n');
    const struct {
        const char* what;
        std::function<void(SceneDesc&)> edit;
    } scenes[] = {
        {"3-byte signature", [](SceneDesc& s) { s.header.signature = "RIF"; }},
        {"signature RIFF and more", [](SceneDesc& s) { s.header.signature = std::string("RIFF\0x", 6); }},
        {"signature with a zero byte inside RIFF", [](SceneDesc& s) { s.header.signature = std::string("RI\0F", 4); }},
        {"version 99", [](SceneDesc& s) { s.header.version = 99; }},
        {"79-byte names", [&](SceneDesc& s) { s.nodes[0].name = s.meshes[0].name = long79; }},
        {"80-byte node name", [&](SceneDesc& s) { s.nodes[0].name = long80; }},
        {"80-byte mesh name", [&](SceneDesc& s) { s.meshes[0].name = long80; }},
        {"75-byte texture name", [](SceneDesc& s) { s.materials[0].texture = std::string(75, 't'); }},
        {"76-byte texture name", [](SceneDesc& s) { s.materials[0].texture = std::string(76, 't'); }},
        {"parent equal to its own index", [](SceneDesc& s) { s.nodes[0].parent = 0; }},
        {"parent below -1", [](SceneDesc& s) { s.nodes[0].parent = -2; }},
        {"node index equal to the node count", [](SceneDesc& s) { s.meshes[0].nodeIndices[1] = 1; }},
        {"vertex index equal to the vertex count", [](SceneDesc& s) { s.meshes[0].groups[0].lists[0].indices[0] = 3; }},
        {"list of 7 indices", [](SceneDesc& s) { s.meshes[0].groups[0].lists[0].indices = {0, 1, 2, 2, 1, 0, 1}; }},
        {"group material not defined", [](SceneDesc& s) { s.meshes[0].groups[0].material = "M"; }},
        // The engine keeps names up to their first zero byte and finds materials by that.
        {"material name with a zero byte",
         [](SceneDesc& s) {
             s.materials[0].name = std::string("m\0left out", 10);
             s.meshes[0].groups[0].material = std::string("m\0other", 7);
         }},
        {"group material cut at a zero byte",
         [](SceneDesc& s) { s.meshes[0].groups[0].material = std::string("m\0", 2); }},
        {"empty material name", [](SceneDesc& s) { s.materials[0].name = s.meshes[0].groups[0].material = ""; }},
    };
    for (const auto& edge : scenes) {
        SceneDesc scene = TriangleScene();
        edge.edit(scene);
        ExpectAgreement(FileKind::Scene, EncodeScene(scene), edge.what);
    }

    const struct {
        const char* what;
        std::function<void(AnimationDesc&)> edit;
    } animations[] = {
        {"tracks without frames",
         [](AnimationDesc& a) {
             a.frameCount = 0;
             for (auto& t : a.tracks)
                 t.keys.clear();
         }},
        {"80-byte track name", [&](AnimationDesc& a) { a.tracks[1].name = long80; }},
        {"parent equal to its own index", [](AnimationDesc& a) { a.tracks[1].parent = 1; }},
        {"parent before it", [](AnimationDesc& a) { a.tracks[1].parent = 0; }},
        {"reserved value", [](AnimationDesc& a) { a.reserved = -7; }},
    };
    for (const auto& edge : animations) {
        AnimationDesc animation = StepAnimation(2, 3);
        edge.edit(animation);
        ExpectAgreement(FileKind::Animation, EncodeAnimation(animation), edge.what);
    }

    const struct {
        const char* what;
        TgaDesc image;
    } textures[] = {
        {"blank at the largest side", Blank(TgaLoader::kMaxBlankSide, 1)},
        {"blank one pixel wider", Blank(TgaLoader::kMaxBlankSide + 1, 1)},
        {"blank one pixel taller", Blank(1, TgaLoader::kMaxBlankSide + 1)},
        {"16-bit true colour",
         [] {
             TgaDesc t = Blank(1, 1);
             t.imageType = 2;
             t.depth = 16;
             t.data = {1, 2};
             return t;
         }()},
        {"run-length encoded",
         [] {
             TgaDesc t = Identified();
             t.imageType = 10;
             return t;
         }()},
    };
    for (const auto& edge : textures)
        ExpectAgreement(FileKind::Texture, EncodeTga(edge.image), edge.what);
}

// The two disagreements this test first found, each now settled the loader's way.
TEST_F(WriterAgreementTest, WriterRefusesLargeBlankImagesAndFindsMaterialsAsTheEngineDoes)
{
    EXPECT_NE(CheckTga(Blank(TgaLoader::kMaxBlankSide + 1, 1)), "");
    EXPECT_EQ(CheckTga(Blank(TgaLoader::kMaxBlankSide, TgaLoader::kMaxBlankSide)), "");

    SceneDesc scene = TriangleScene();
    scene.materials[0].name = std::string("m\0left out", 10);
    EXPECT_EQ(CheckScene(scene), "") << "the group's \"m\" finds the material the engine stores as \"m\"";
    MeshScene loaded;
    EXPECT_TRUE(Load(loaded, scene));
}
