// Malformed mesh files: each is refused without reading or writing outside the arrays, the
// scene says why (the records at fault, the sentence and the byte offset), and what a
// refused load leaves behind still updates and renders safely.
//
// Byte offsets in the 250-byte example scene (TriangleScene):
//     0 header            9 material count    13 material "m"     68 node count
//    72 node "n"         74 parent           106 mesh count      110 mesh "s"
//   112 vertex count    116 vertices (3 x 32) 212 node indices   224 group count
//   228 group material  230 list count       234 index count     238 indices 0 1 2
#include "SceneTestSupport.h"
#include "TempDir.h"

#include "orvex/scene/CheckedRead.h"

#include <cstring>
#include <fstream>

using namespace fixtures;

namespace {

std::vector<std::uint8_t> Patched(std::size_t offset, std::int32_t value)
{
    std::vector<std::uint8_t> bytes = EncodeScene(TriangleScene());
    std::memcpy(bytes.data() + offset, &value, sizeof value);
    return bytes;
}

std::string Described(const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    refusal.Format(text, sizeof text);
    return text;
}

class SceneRefusalTest : public SceneTest {
protected:
    // Loads the bytes into a fresh scene and expects a refusal with a reason, and when
    // given, exactly this reason found at this offset; then runs a frame on whatever the
    // refused load left, which must be safe.
    void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& what, const std::string& reason = "",
                       std::int64_t offset = -1)
    {
        ClearMaterials();
        MeshScene scene;
        EXPECT_FALSE(Load(scene, bytes)) << what;
        EXPECT_TRUE(scene.GetRefusal().IsSet()) << what;
        if (!reason.empty()) {
            EXPECT_EQ(Described(scene.GetRefusal()), reason) << what;
            EXPECT_EQ(scene.GetRefusal().GetOffset(), offset) << what;
        }
        glCapabilities.hasCompiledVertexArray = 1;
        scene.Update();
        scene.Render();
        glCapabilities.hasCompiledVertexArray = 0;
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

// A count is refused at its own offset; a record that is missing is refused where the file
// ends, at byte 250.
TEST_F(SceneRefusalTest, BadCountsAreRefusedBeforeAllocating)
{
    const struct {
        std::size_t offset;
        std::int32_t value;
        const char* what;
        const char* reason;
        std::int64_t at;
    } cases[] = {
        {9, -1, "negative material count", "material section: negative material count -1", 9},
        {9, 0x7FFFFFFF, "material count beyond the file",
         "material section: material count 2147483647 needs at least 115964116938 bytes, the file has 237 left", 9},
        {68, -1, "negative node count", "node section: negative node count -1", 68},
        {68, 0x7FFFFFFF, "node count beyond the file",
         "node section: node count 2147483647 needs at least 70866960351 bytes, the file has 178 left", 68},
        {106, -1, "negative mesh count", "mesh section: negative mesh count -1", 106},
        {106, 0x7FFFFFFF, "mesh count beyond the file",
         "mesh section: mesh count 2147483647 needs at least 19327352823 bytes, the file has 140 left", 106},
        {106, 2, "second mesh missing", "mesh 1: the file ends before the name", 250},
        {112, -1, "negative vertex count", "mesh 0 \"s\": negative vertex count -1", 112},
        {112, 4, "vertex count one beyond the file",
         "mesh 0 \"s\": vertex count 4 needs at least 148 bytes, the file has 134 left", 112},
        {112, 0x7FFFFFFF, "vertex count far beyond the file",
         "mesh 0 \"s\": vertex count 2147483647 needs at least 77309411296 bytes, the file has 134 left", 112},
        {224, -1, "negative group count", "mesh 0 \"s\": negative group count -1", 224},
        {224, 2, "second group missing", "mesh 0 \"s\", group 1: the file ends before the material name", 250},
        {224, 0x7FFFFFFF, "group count beyond the file",
         "mesh 0 \"s\": group count 2147483647 needs at least 10737418235 bytes, the file has 22 left", 224},
        {230, -1, "negative list count", "mesh 0 \"s\", group 0: negative list count -1", 230},
        {230, 2, "second list missing", "mesh 0 \"s\", group 0, list 1: the file ends before the index count", 250},
        {230, 0x7FFFFFFF, "list count beyond the file",
         "mesh 0 \"s\", group 0: list count 2147483647 needs at least 8589934588 bytes, the file has 16 left", 230},
        {234, -1, "negative index count", "mesh 0 \"s\", group 0, list 0: negative index count -1", 234},
        {234, 4, "index count one beyond the file",
         "mesh 0 \"s\", group 0, list 0: index count 4 needs at least 16 bytes, the file has 12 left", 234},
        {234, 0x7FFFFFFF, "index count far beyond the file",
         "mesh 0 \"s\", group 0, list 0: index count 2147483647 needs at least 8589934588 bytes, the file has 12 left",
         234},
    };
    for (const auto& c : cases)
        ExpectRefused(Patched(c.offset, c.value), c.what, c.reason, c.at);
}

// Each bad index is named with the record it belongs to and refused at its own offset.
TEST_F(SceneRefusalTest, IndicesOutOfRangeAreRefused)
{
    const struct {
        std::size_t offset;
        std::int32_t value;
        const char* what;
        const char* reason;
    } cases[] = {
        {74, 0, "parent equal to the node's own index",
         "node 0 \"n\": parent 0 is neither -1 nor below the node's own index"},
        {74, 5, "parent beyond the nodes", "node 0 \"n\": parent 5 is neither -1 nor below the node's own index"},
        {74, -2, "parent below -1", "node 0 \"n\": parent -2 is neither -1 nor below the node's own index"},
        {212, 1, "node index equal to the node count",
         "mesh 0 \"s\": node index 1 of vertex 0 is not below the node count 1"},
        {220, -1, "negative node index", "mesh 0 \"s\": node index -1 of vertex 2 is not below the node count 1"},
        {238, 3, "vertex index equal to the vertex count",
         "mesh 0 \"s\", group 0, list 0: index 3 is not below the vertex count 3"},
        {246, -1, "negative vertex index", "mesh 0 \"s\", group 0, list 0: index -1 is not below the vertex count 3"},
        {242, 0x7FFFFFFF, "vertex index far out",
         "mesh 0 \"s\", group 0, list 0: index 2147483647 is not below the vertex count 3"},
    };
    for (const auto& c : cases)
        ExpectRefused(Patched(c.offset, c.value), c.what, c.reason, static_cast<std::int64_t>(c.offset));

    // A later node may not name itself or a later node either.
    SceneDesc desc = TriangleScene();
    desc.nodes.emplace_back().name = "second";
    desc.nodes[1].parent = 1;
    ExpectRefused(EncodeScene(desc), "second node its own parent",
                  "node 1 \"second\": parent 1 is neither -1 nor below the node's own index", 113);
    desc.nodes[1].parent = 0;
    MeshScene scene;
    EXPECT_TRUE(Load(scene, desc));
}

// A mesh larger than the loader's read pieces (2048 vertices, 16384 indices) and than the
// index check's 16 lanes: every piece is checked and kept, not only the first.
TEST_F(SceneRefusalTest, LargeMeshesAreCheckedAndKeptPieceByPiece)
{
    constexpr int kVertices = 20001;
    SceneDesc desc = TriangleScene();
    desc.meshes[0] = LineMesh("long", kVertices, 0, "m"); // vertex i at (i, 0, 0), list 0, 1, ...
    const std::vector<std::uint8_t> bytes = EncodeScene(desc);
    // Offsets: the vertices start at 119 (behind the 4-byte name "long"), then the node
    // indices, the group count, the group's material "m", the list count and the index count.
    const std::size_t nodeIndices = 119 + 32 * std::size_t(kVertices);
    const std::size_t indices = nodeIndices + 4 * std::size_t(kVertices) + 4 + 2 + 4 + 4;
    ASSERT_EQ(bytes.size(), indices + 4 * std::size_t(kVertices));
    auto patched = [&](std::size_t offset, std::int32_t value) {
        std::vector<std::uint8_t> copy = bytes;
        std::memcpy(copy.data() + offset, &value, sizeof value);
        return copy;
    };

    MeshScene scene;
    ASSERT_TRUE(Load(scene, bytes));
    scene.Update();
    const MeshVertex* vertices = scene.GetMeshes()[0].GetVertices();
    for (int i : {0, 2047, 2048, 4096, 17000, kVertices - 1})
        EXPECT_EQ(vertices[i].position.x, static_cast<float>(i)) << "vertex " << i;

    ExpectRefused(patched(nodeIndices + 4 * 17000, 1), "node index in the second piece",
                  "mesh 0 \"long\": node index 1 of vertex 17000 is not below the node count 1",
                  static_cast<std::int64_t>(nodeIndices + 4 * 17000));
    ExpectRefused(patched(indices + 4 * 18000, kVertices), "vertex index in the second piece",
                  "mesh 0 \"long\", group 0, list 0: index 20001 is not below the vertex count 20001",
                  static_cast<std::int64_t>(indices + 4 * 18000));
    ExpectRefused(patched(indices + 4 * 5, kVertices), "vertex index among the first 16",
                  "mesh 0 \"long\", group 0, list 0: index 20001 is not below the vertex count 20001",
                  static_cast<std::int64_t>(indices + 4 * 5));
}

TEST_F(SceneRefusalTest, NamesThatDoNotFitAreRefused)
{
    const std::string long80(80, 'x');
    SceneDesc desc = TriangleScene();
    desc.nodes[0].name = long80;
    ExpectRefused(EncodeScene(desc), "node name of 80 bytes", "node 0: name of 80 bytes, at most 79 fit", 72);
    desc = TriangleScene();
    desc.meshes[0].name = long80;
    ExpectRefused(EncodeScene(desc), "mesh name of 80 bytes", "mesh 0: name of 80 bytes, at most 79 fit", 110);
    desc = TriangleScene();
    desc.materials[0].name = long80;
    desc.meshes[0].groups[0].material = long80;
    ExpectRefused(EncodeScene(desc), "material name of 80 bytes", "material 0: name of 80 bytes, at most 79 fit", 13);
    desc = TriangleScene();
    desc.materials[0].texture = std::string(76, 't');
    ExpectRefused(EncodeScene(desc), "texture name of 76 bytes",
                  "material 0 \"m\": texture name of 76 bytes, at most 75 fit", 67);
    desc = TriangleScene();
    desc.meshes[0].groups[0].material = long80;
    ExpectRefused(EncodeScene(desc), "group material name of 80 bytes",
                  "mesh 0 \"s\", group 0: material name of 80 bytes, at most 79 fit", 228);
    desc = TriangleScene();
    desc.meshes[0].groups[0].material = "x";
    ExpectRefused(EncodeScene(desc), "unregistered group material",
                  "mesh 0 \"s\", group 0: material \"x\" is not defined", 228);

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
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        ClearMaterials();
        MeshScene scene;
        EXPECT_FALSE(Load(scene, {bytes.begin(), bytes.begin() + std::ptrdiff_t(size)})) << size;
        // The fault is found at or before the end of the file, never beyond it.
        EXPECT_TRUE(scene.GetRefusal().IsSet()) << size;
        EXPECT_GE(scene.GetRefusal().GetOffset(), 0) << size;
        EXPECT_LE(scene.GetRefusal().GetOffset(), static_cast<std::int64_t>(size)) << size;
    }

    // The example cut short: a record that ends early is named, with the byte where the file
    // ends; a count whose records cannot fit is refused at the count.
    const struct {
        std::size_t size;
        const char* reason;
        std::int64_t at;
    } cuts[] = {
        {0, "the file is empty", 0},
        {3, "header: the file ends inside the signature", 3},
        {7, "header: the file ends inside the version", 7},
        {11, "material section: the file ends before the material count", 11},
        {14, "material section: material count 1 needs at least 54 bytes, the file has 1 left", 9},
        {100, "node section: node count 1 needs at least 33 bytes, the file has 28 left", 68},
        {170, "mesh 0 \"s\": vertex count 3 needs at least 112 bytes, the file has 54 left", 112},
        {240, "mesh 0 \"s\", group 0, list 0: index count 3 needs at least 12 bytes, the file has 2 left", 234},
    };
    const std::vector<std::uint8_t> example = EncodeScene(TriangleScene());
    for (const auto& cut : cuts) {
        ExpectRefused({example.begin(), example.begin() + std::ptrdiff_t(cut.size)},
                      "cut to " + std::to_string(cut.size), cut.reason, cut.at);
    }

    // Long names make records longer than the smallest a count is checked against: then the
    // record itself finds the end. Material "mmm..." is at 13, its colours at 74; node
    // "nnn..." is at 72, its position at 117.
    const std::string material(60, 'm');
    const std::string node(40, 'n');
    SceneDesc named = TriangleScene();
    named.materials[0].name = material;
    named.meshes[0].groups[0].material = material;
    std::vector<std::uint8_t> namedBytes = EncodeScene(named);
    namedBytes.resize(70);
    ExpectRefused(namedBytes, "material name cut", "material 0: the file ends inside the name", 70);
    namedBytes = EncodeScene(named);
    namedBytes.resize(100);
    ExpectRefused(namedBytes, "material colours cut",
                  "material 0 \"" + material + "\": the file ends inside the colours", 100);
    named = TriangleScene();
    named.nodes[0].name = node;
    namedBytes = EncodeScene(named);
    namedBytes.resize(120);
    ExpectRefused(namedBytes, "node cut", "node 0 \"" + node + "\": the file ends inside the record", 120);
}

TEST_F(SceneRefusalTest, HeaderAndFileFaultsAreNamed)
{
    SceneDesc desc = TriangleScene();
    desc.header.version = 101;
    ExpectRefused(EncodeScene(desc), "version 101", "header: the version is 101; only version 100 is read", 5);
    desc = TriangleScene();
    desc.header.signature = "RIFX";
    ExpectRefused(EncodeScene(desc), "RIFX",
                  "header: the signature does not begin with \"RIFF\": not a file of the engine's formats", 1);
    // A text file is told apart from a mesh file even though its first byte, taken as the
    // signature's length, promises more than the file holds.
    const std::string notes = "just some notes\n";
    ExpectRefused({notes.begin(), notes.end()}, "text file",
                  "header: the signature does not begin with \"RIFF\": not a file of the engine's formats", 1);

    MeshScene scene;
    EXPECT_FALSE(scene.Load(dir.File("missing.mes").c_str()));
    EXPECT_EQ(scene.GetRefusal().GetSection(), FileSection::File);
    EXPECT_EQ(scene.GetRefusal().GetOffset(), -1);
    EXPECT_EQ(Described(scene.GetRefusal()), "the file cannot be opened (No such file or directory)");

    // A load that succeeds clears the reason of the one before.
    EXPECT_TRUE(Load(scene, TriangleScene()));
    EXPECT_FALSE(scene.GetRefusal().IsSet());
}

TEST_F(SceneRefusalTest, CorruptBytesNeverCrash)
{
    // Every byte of the example replaced by a few telling values: each file either loads
    // or is refused with a reason, and a frame runs on the result either way.
    const std::vector<std::uint8_t> bytes = EncodeScene(TriangleScene());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::vector<std::uint8_t> corrupt = bytes;
            corrupt[i] = value;
            ClearMaterials();
            MeshScene scene;
            if (!Load(scene, corrupt)) {
                EXPECT_TRUE(scene.GetRefusal().IsSet()) << i << " = " << int(value);
                EXPECT_LE(scene.GetRefusal().GetOffset(), static_cast<std::int64_t>(corrupt.size()));
            }
            scene.Update();
            scene.Render();
        }
    }
}

// The checked reads on their own: the scene loader checks a count against the bytes left
// before it reads, but the functions say where a file ends early for any caller.
TEST(CheckedRead, AFileEndingInsideTheArrayIsRefusedNamingTheArray)
{
    TempDir dir;
    // Three indices' worth of bytes: short of four indices, and of three vertices.
    std::vector<std::uint8_t> bytes(3 * sizeof(std::int32_t), 0);
    const std::string path = dir.File("short.bin");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const IndexRule rule{"index", "indices", "", "vertex count"};

    FileRefusal refusal;
    FileStream stream;
    stream.SetRefusal(&refusal);
    ASSERT_TRUE(stream.Open(path.c_str(), FileStreamRead));
    std::int32_t indices[4] = {};
    EXPECT_FALSE(ReadIndicesBelow(stream, indices, 4, 3, rule));
    EXPECT_STREQ(refusal.GetReason(), "the file ends inside the indices");

    refusal.Clear();
    stream.Close();
    ASSERT_TRUE(stream.Open(path.c_str(), FileStreamRead));
    MeshVertex vertices[3] = {};
    Vector3 positions[3] = {};
    EXPECT_FALSE(ReadVertices(stream, vertices, positions, 3));
    EXPECT_STREQ(refusal.GetReason(), "the file ends inside the vertices");
}
