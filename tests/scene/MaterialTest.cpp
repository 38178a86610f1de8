// Materials: the GL state Apply sets, the registry's first-name-wins lookup across files,
// textures found through materials, and sections that are refused as a whole.
#include "SceneTestSupport.h"

#include <filesystem>

using namespace fixtures;

namespace {

MaterialDesc Coloured(const std::string& name, float red, const std::string& texture = "")
{
    MaterialDesc material;
    material.name = name;
    material.ambient = {0.1f, 0.2f, 0.3f, 1.0f};
    material.diffuse = {red, 0.5f, 0.25f, 1.0f};
    material.specular = {0.0f, 0.0f, 0.0f, 0.5f};
    material.shininess = 16.0f;
    material.texture = texture;
    return material;
}

class MaterialTest : public SceneTest {
protected:
    std::string TextureFile(const std::string& name)
    {
        const std::uint8_t pixels[3] = {1, 2, 3};
        WriteBytes(dir.File(name + ".TGA"), EncodeTga(TgaFromPixels(1, 1, 3, pixels)));
        return dir.File(name);
    }
    // A scene of materials only.
    SceneDesc Materials(std::vector<MaterialDesc> materials)
    {
        SceneDesc scene;
        scene.materials = std::move(materials);
        return scene;
    }
};

} // namespace

TEST_F(MaterialTest, ApplySetsColoursAfterBindingTheTexture)
{
    MeshScene scene;
    ASSERT_TRUE(Load(scene, Materials({Coloured("plain", 0.75f), Coloured("textured", 1.0f, TextureFile("tex"))})));
    Material* plain = FindMaterial("plain");
    Material* textured = FindMaterial("textured");
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(textured, nullptr);
    EXPECT_EQ(plain->GetTexture(), nullptr);
    ASSERT_NE(textured->GetTexture(), nullptr);
    EXPECT_EQ(plain->GetDiffuse()[0], 0.75f);
    EXPECT_EQ(plain->GetShininess(), 16.0f);

    rec.Clear();
    textured->Apply();
    plain->Apply(); // untextured after textured: the earlier binding stays
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                               "glBindTexture(GL_TEXTURE_2D, 1)",
                               "glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)",
                               "glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, [0.1, 0.2, 0.3, 1])",
                               "glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, [1, 0.5, 0.25, 1])",
                               "glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, [0, 0, 0, 0.5])",
                               "glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 16)",
                               "glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, [0.1, 0.2, 0.3, 1])",
                               "glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, [0.75, 0.5, 0.25, 1])",
                               "glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, [0, 0, 0, 0.5])",
                               "glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 16)",
                           }));
}

TEST_F(MaterialTest, MissingTextureLeavesTheMaterialUntextured)
{
    MeshScene scene;
    ASSERT_TRUE(Load(scene, Materials({Coloured("m", 1.0f, dir.File("nowhere"))})));
    ASSERT_NE(FindMaterial("m"), nullptr);
    EXPECT_EQ(FindMaterial("m")->GetTexture(), nullptr);
    EXPECT_EQ(GetTextureCount(), 0);
}

TEST_F(MaterialTest, TwoMaterialsShareOneTextureByName)
{
    const std::string texture = TextureFile("shared");
    MeshScene scene;
    ASSERT_TRUE(Load(scene, Materials({Coloured("a", 1.0f, texture), Coloured("b", 1.0f, texture)})));
    EXPECT_EQ(FindMaterial("a")->GetTexture(), FindMaterial("b")->GetTexture());
    EXPECT_EQ(GetTextureCount(), 1);
}

// Textures are named relative to the working folder. Load keeps it so; LoadInFolder finds
// them beside the scene, from wherever the program is, and leaves the program where it was.
TEST_F(MaterialTest, LoadInFolderFindsTexturesBesideTheSceneAndComesBack)
{
    namespace fs = std::filesystem;
    fs::create_directories(dir.File("models"));
    const std::uint8_t pixels[3] = {1, 2, 3};
    WriteBytes(dir.File("models/wood.TGA"), EncodeTga(TgaFromPixels(1, 1, 3, pixels)));
    const std::string scenePath = Write("models/crate.mes", Materials({Coloured("crate", 1.0f, "wood")}));
    const fs::path start = fs::current_path();

    MeshScene scene;
    ASSERT_TRUE(scene.Load(scenePath.c_str()));
    EXPECT_EQ(FindMaterial("crate")->GetTexture(), nullptr) << "Load looks in the working folder";
    ClearMaterials();

    ASSERT_TRUE(scene.LoadInFolder(scenePath.c_str()));
    EXPECT_NE(FindMaterial("crate")->GetTexture(), nullptr);
    EXPECT_EQ(fs::current_path(), start);
    ClearMaterials();
    ClearTextures();

    // A path relative to the working folder.
    fs::current_path(dir.Path());
    const bool relative = scene.LoadInFolder("models/crate.mes");
    const bool textured = relative && FindMaterial("crate")->GetTexture() != nullptr;
    const fs::path after = fs::current_path();
    fs::current_path(start);
    EXPECT_TRUE(relative && textured);
    EXPECT_TRUE(fs::equivalent(after, dir.Path()));

    // A folder that cannot be entered refuses the scene, saying why.
    EXPECT_FALSE(scene.LoadInFolder(dir.File("missing/crate.mes").c_str()));
    EXPECT_EQ(fs::current_path(), start);
    EXPECT_EQ(scene.GetRefusal().GetSection(), FileSection::File);
    const std::string why = scene.GetRefusal().GetReason();
    EXPECT_EQ(why.rfind("cannot enter the folder \"" + dir.File("missing") + "\": ", 0), 0u) << why;
    EXPECT_EQ(scene.GetMeshCount(), 0);
}

TEST_F(MaterialTest, LookupIsExactAndCountedOnly)
{
    EXPECT_EQ(FindMaterial("m"), nullptr) << "empty registry";
    MeshScene scene;
    ASSERT_TRUE(Load(scene, Materials({})));
    EXPECT_EQ(GetMaterialCount(), 0);
    ASSERT_TRUE(Load(scene, Materials({Coloured("Stone", 1.0f)})));
    EXPECT_NE(FindMaterial("Stone"), nullptr);
    EXPECT_EQ(FindMaterial("stone"), nullptr);
    EXPECT_EQ(FindMaterial("Ston"), nullptr);
    EXPECT_EQ(GetMaterialCount(), 1);
    ClearMaterials();
    EXPECT_EQ(GetMaterials(), nullptr);
    EXPECT_EQ(FindMaterial("Stone"), nullptr);
}

TEST_F(MaterialTest, EarlierFileShadowsALaterMaterialOfTheSameName)
{
    SceneDesc first = TriangleScene();
    first.materials[0] = Coloured("m", 0.25f);
    SceneDesc second = TriangleScene();
    second.materials[0] = Coloured("m", 0.9f);
    MeshScene a;
    MeshScene b;
    ASSERT_TRUE(a.Load(Write("a.mes", first).c_str()));
    ASSERT_TRUE(b.Load(Write("b.mes", second).c_str()));
    EXPECT_EQ(GetMaterialCount(), 2);
    Material* group = b.GetMeshes()[0].GetGroups()[0].GetMaterial();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group, a.GetMeshes()[0].GetGroups()[0].GetMaterial());
    EXPECT_EQ(group->GetDiffuse()[0], 0.25f);
    // Both are listed, in registration order, duplicate names included.
    EXPECT_EQ(GetMaterials(), group);
    EXPECT_EQ(static_cast<Material*>(GetMaterials()->GetNext())->GetDiffuse()[0], 0.9f);

    rec.Clear();
    b.Render();
    EXPECT_EQ(rec.CallsTo({"glMaterialfv"})[1], "glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, [0.25, 0.5, 0.25, 1])");
}

TEST_F(MaterialTest, RefusedSectionRegistersNoneOfItsMaterials)
{
    // The second material's name does not fit: the first, already read, is dropped too.
    MeshScene scene;
    ASSERT_FALSE(Load(scene, Materials({Coloured("first", 1.0f), Coloured(std::string(80, 'x'), 1.0f)})));
    EXPECT_EQ(GetMaterialCount(), 0);
    EXPECT_EQ(GetMaterials(), nullptr);
    EXPECT_EQ(FindMaterial("first"), nullptr);

    // A texture name over 75 bytes refuses the material (and the section).
    ASSERT_FALSE(Load(scene, Materials({Coloured("first", 1.0f), Coloured("t", 1.0f, std::string(76, 't'))})));
    EXPECT_EQ(GetMaterialCount(), 0);

    // A later good file registers and finds all of its materials.
    ASSERT_TRUE(Load(scene, Materials({Coloured("first", 1.0f), Coloured("second", 0.5f)})));
    EXPECT_EQ(GetMaterialCount(), 2);
    EXPECT_NE(FindMaterial("second"), nullptr);
    EXPECT_EQ(GetMaterials()->GetNext()->GetNext(), nullptr);
}

TEST_F(MaterialTest, MaterialsOfAFileRefusedLaterStayRegistered)
{
    SceneDesc desc = TriangleScene();
    desc.nodes[0].parent = 0; // refused in the node section, after the materials
    MeshScene scene;
    EXPECT_FALSE(Load(scene, desc));
    EXPECT_EQ(GetMaterialCount(), 1);
    EXPECT_NE(FindMaterial("m"), nullptr);
}
