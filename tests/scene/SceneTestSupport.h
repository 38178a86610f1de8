// Fixture for tests that load scenes: a recording GL table, empty registries before and
// after each test, and a temp folder for the files.
#pragma once

#include "Fixtures.h"

#include "RecordingGl.h"
#include "orvex/render/GlCapabilities.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

#include <gtest/gtest.h>

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearMaterials();
        ClearTextures();
        glCapabilities.hasCompiledVertexArray = 0;
        rec.Clear();
    }
    void TearDown() override
    {
        ClearMaterials();
        ClearTextures();
        glCapabilities.hasCompiledVertexArray = 0;
    }

    std::string Write(const std::string& name, const orvex::format::SceneDesc& scene)
    {
        return dir.Write(name, orvex::format::EncodeScene(scene));
    }
    bool Load(MeshScene& scene, const std::vector<std::uint8_t>& bytes)
    {
        return scene.Load(dir.Write("scene.mes", bytes).c_str());
    }
    bool Load(MeshScene& scene, const orvex::format::SceneDesc& desc)
    {
        return Load(scene, orvex::format::EncodeScene(desc));
    }

    RecordingGl rec;
    TempDir dir;
};
