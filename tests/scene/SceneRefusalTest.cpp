// Malformed mesh files: each is refused without reading or writing outside the arrays,
// and what a refused load leaves behind still updates and renders safely.
//
// Byte offsets in the 250-byte example scene (TriangleScene):
//     0 header            9 material count    13 material "m"     68 node count
//    72 node "n"         74 parent           106 mesh count      110 mesh "s"
//   112 vertex count    116 vertices (3 x 32) 212 node indices   224 group count
//   228 group material  230 list count       234 index count     238 indices 0 1 2
#include "SceneTestSupport.h"

#include <cstring>

using namespace fixtures;

namespace {

std::vector<std::uint8_t> Patched(std::size_t offset, std::int32_t value)
{
    std::vector<std::uint8_t> bytes = EncodeScene(TriangleScene());
    std::memcpy(bytes.data() + offset, &value, sizeof value);
    return bytes;
}

class SceneRefusalTest : public SceneTest {
protected:
    // Loads the bytes into a fresh scene and expects a refusal; then runs a frame on
    // whatever the refused load left, which must be safe.
    void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& what)
    {
        ClearMaterials();
        MeshScene scene;
        EXPECT_FALSE(Load(scene, bytes)) << what;
        hasCompiledVertexArray = 1;
        scene.Update();
        scene.Render();
        hasCompiledVertexArray = 0;
    }
};

} // namespace

TEST_F(SceneRefusalTest, LayoutOfTheExampleMatchesTheOffsetsUsedHere)
{
    const std::vector<std::uint8_t> bytes = EncodeScene(TriangleScene());
    auto at = [&](std::size_t offset) {
        std::int32_t value;
        std::memcpy(&value, bytes.data() + offset, sizeof value);
        return value;
    };
    EXPECT_EQ(at(9), 1);
    EXPECT_EQ(at(68), 1);
    EXPECT_EQ(at(74), -1);
    EXPECT_EQ(at(106), 1);
    EXPECT_EQ(at(112), 3);
    EXPECT_EQ(at(224), 1);
    EXPECT_EQ(bytes[229], 'm');
    EXPECT_EQ(at(230), 1);
    EXPECT_EQ(at(234), 3);
    EXPECT_EQ(at(246), 2);
}

TEST_F(SceneRefusalTest, BadCountsAreRefusedBeforeAllocating)
{
    const struct {
        std::size_t offset;
        std::int32_t value;
        const char* what;
    } cases[] = {
        {9, -1, "negative material count"},
        {9, 0x7FFFFFFF, "material count beyond the file"},
        {68, -1, "negative node count"},
        {68, 0x7FFFFFFF, "node count beyond the file"},
        {106, -1, "negative mesh count"},
        {106, 0x7FFFFFFF, "mesh count beyond the file"},
        {106, 2, "second mesh missing"},
        {112, -1, "negative vertex count"},
        {112, 4, "vertex count one beyond the file"},
        {112, 0x7FFFFFFF, "vertex count far beyond the file"},
        {224, -1, "negative group count"},
        {224, 2, "second group missing"},
        {224, 0x7FFFFFFF, "group count beyond the file"},
        {230, -1, "negative list count"},
        {230, 2, "second list missing"},
        {230, 0x7FFFFFFF, "list count beyond the file"},
        {234, -1, "negative index count"},
        {234, 4, "index count one beyond the file"},
        {234, 0x7FFFFFFF, "index count far beyond the file"},
    };
    for (const auto& c : cases)
        ExpectRefused(Patched(c.offset, c.value), c.what);
}

TEST_F(SceneRefusalTest, IndicesOutOfRangeAreRefused)
{
    const struct {
        std::size_t offset;
        std::int32_t value;
        const char* what;
    } cases[] = {
        {74, 0, "parent equal to the node's own index"},
        {74, 5, "parent beyond the nodes"},
        {74, -2, "parent below -1"},
        {212, 1, "node index equal to the node count"},
        {220, -1, "negative node index"},
        {238, 3, "vertex index equal to the vertex count"},
        {246, -1, "negative vertex index"},
        {242, 0x7FFFFFFF, "vertex index far out"},
    };
    for (const auto& c : cases)
        ExpectRefused(Patched(c.offset, c.value), c.what);

    // A later node may not name itself or a later node either.
    SceneDesc desc = TriangleScene();
    desc.nodes.emplace_back().name = "second";
    desc.nodes[1].parent = 1;
    ExpectRefused(EncodeScene(desc), "second node its own parent");
    desc.nodes[1].parent = 0;
    MeshScene scene;
    EXPECT_TRUE(Load(scene, desc));
}

TEST_F(SceneRefusalTest, NamesThatDoNotFitAreRefused)
{
    const std::string long80(80, 'x');
    SceneDesc desc = TriangleScene();
    desc.nodes[0].name = long80;
    ExpectRefused(EncodeScene(desc), "node name of 80 bytes");
    desc = TriangleScene();
    desc.meshes[0].name = long80;
    ExpectRefused(EncodeScene(desc), "mesh name of 80 bytes");
    desc = TriangleScene();
    desc.materials[0].name = long80;
    desc.meshes[0].groups[0].material = long80;
    ExpectRefused(EncodeScene(desc), "material name of 80 bytes");
    desc = TriangleScene();
    desc.meshes[0].groups[0].material = "x";
    ExpectRefused(EncodeScene(desc), "unregistered group material");

    // 79 bytes fit everywhere.
    desc = TriangleScene();
    const std::string long79(79, 'y');
    desc.nodes[0].name = long79;
    desc.meshes[0].name = long79;
    desc.materials[0].name = long79;
    desc.meshes[0].groups[0].material = long79;
    MeshScene scene;
    EXPECT_TRUE(Load(scene, desc));
    EXPECT_EQ(std::strlen(scene.GetNodes()[0].GetName()), 79u);
}

TEST_F(SceneRefusalTest, EveryTruncationIsRefused)
{
    SceneDesc desc = TriangleScene();
    desc.meshes[0].groups.push_back(GroupDesc{"m", {TriangleListDesc{{1, 2, 0}}, TriangleListDesc{}}});
    const std::vector<std::uint8_t> bytes = EncodeScene(desc);
    for (std::size_t size = 0; size < bytes.size(); ++size)
        ExpectRefused({bytes.begin(), bytes.begin() + std::ptrdiff_t(size)}, "cut to " + std::to_string(size));
}

TEST_F(SceneRefusalTest, CorruptBytesNeverCrash)
{
    // Every byte of the example replaced by a few telling values: each file either loads
    // or is refused, and a frame runs on the result either way.
    const std::vector<std::uint8_t> bytes = EncodeScene(TriangleScene());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::vector<std::uint8_t> corrupt = bytes;
            corrupt[i] = value;
            ClearMaterials();
            MeshScene scene;
            Load(scene, corrupt);
            scene.Update();
            scene.Render();
        }
    }
}
