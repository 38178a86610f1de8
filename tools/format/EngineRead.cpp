#include "format/EngineRead.h"

#include "format/GlStub.h"

#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

#include <filesystem>
#include <memory>

namespace orvex::format {

namespace {

std::string NameOf(const char* name)
{
    return name ? name : "";
}

std::string Why(const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    refusal.Format(text, sizeof text);
    return text;
}

void DescribeMaterials(SceneFiles* out)
{
    std::int32_t count = GetMaterialCount();
    Material* material = GetMaterials();
    for (std::int32_t m = 0; m < count && material; ++m, material = static_cast<Material*>(material->GetNext())) {
        MaterialDesc d;
        d.name = NameOf(material->GetName());
        std::copy(material->GetAmbient(), material->GetAmbient() + 4, d.ambient.begin());
        std::copy(material->GetDiffuse(), material->GetDiffuse() + 4, d.diffuse.begin());
        std::copy(material->GetSpecular(), material->GetSpecular() + 4, d.specular.begin());
        d.shininess = material->GetShininess();
        if (const Texture* texture = material->GetTexture()) {
            // Materials sharing a texture find it described already; the first takes the pixels.
            d.texture = NameOf(texture->GetName());
            UploadedTexture uploaded;
            if (!out->FindTexture(d.texture)) {
                if (TakeUploadedTexture(texture->GetTextureId(), &uploaded))
                    out->textures.push_back(TextureDesc{d.texture, uploaded.width, uploaded.height, uploaded.channels,
                                                        std::move(uploaded.pixels)});
                else
                    d.texture.clear();
            }
        }
        out->scene.materials.push_back(std::move(d));
    }
}

void DescribeNodes(const MeshScene& scene, SceneDesc* out)
{
    for (std::int32_t n = 0; n < scene.GetNodeCount(); ++n) {
        const SceneNode& node = scene.GetNodes()[n];
        NodeDesc d;
        d.name = NameOf(node.GetName());
        d.parent = node.GetParent();
        d.position = {node.GetPosition().x, node.GetPosition().y, node.GetPosition().z};
        d.rotation = {node.GetRotation().x, node.GetRotation().y, node.GetRotation().z, node.GetRotation().w};
        out->nodes.push_back(std::move(d));
    }
}

void DescribeMeshes(const MeshScene& scene, SceneDesc* out)
{
    for (std::int32_t k = 0; k < scene.GetMeshCount(); ++k) {
        const Mesh& mesh = scene.GetMeshes()[k];
        MeshDesc d;
        d.name = NameOf(mesh.GetName());
        const std::int32_t count = mesh.GetVertexCount();
        d.vertices.resize(count);
        for (std::int32_t v = 0; v < count; ++v) {
            // The skinned array changes with every Update; the rest positions are the file's.
            const MeshVertex& source = mesh.GetVertices()[v];
            const Vector3& rest = mesh.GetRestPositions()[v];
            d.vertices[v] = VertexDesc{
                source.s, source.t, {source.normal.x, source.normal.y, source.normal.z}, {rest.x, rest.y, rest.z}};
        }
        d.nodeIndices.assign(mesh.GetNodeIndices(), mesh.GetNodeIndices() + count);
        for (std::int32_t g = 0; g < mesh.GetGroupCount(); ++g) {
            const MaterialGroup& group = mesh.GetGroups()[g];
            GroupDesc gd;
            gd.material = group.GetMaterial() ? NameOf(group.GetMaterial()->GetName()) : "";
            for (std::int32_t l = 0; l < group.GetListCount(); ++l) {
                const TriangleList& list = group.GetLists()[l];
                gd.lists.push_back(TriangleListDesc{{list.GetIndices(), list.GetIndices() + list.GetIndexCount()}});
            }
            d.groups.push_back(std::move(gd));
        }
        out->meshes.push_back(std::move(d));
    }
}

void DescribeAnimation(const KeyframeAnimation& animation, AnimationDesc* out)
{
    out->reserved = animation.GetReserved();
    out->frameCount = animation.GetFrameCount();
    for (std::int32_t t = 0; t < animation.GetTrackCount(); ++t) {
        const AnimationTrack& track = animation.GetTracks()[t];
        TrackDesc d;
        d.name = NameOf(track.GetName());
        d.parent = track.GetParent();
        d.keys.resize(out->frameCount);
        for (std::uint32_t f = 0; f < out->frameCount; ++f) {
            const AnimationKey& key = track.GetKeys()[f];
            d.keys[f] = KeyDesc{{key.position.x, key.position.y, key.position.z},
                                {key.rotation.x, key.rotation.y, key.rotation.z, key.rotation.w}};
        }
        out->tracks.push_back(std::move(d));
    }
}

// Empties the registries when it goes, with the stand-ins still in place for the textures.
struct Registries {
    Registries() { Clear(); }
    ~Registries() { Clear(); }
    static void Clear()
    {
        ClearMaterials();
        ClearTextures();
    }
};

} // namespace

bool ReadWithEngine(const std::string& scenePath, const std::string& animationPath, SceneFiles* out, std::string* error)
{
    *out = SceneFiles{};
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(scenePath, ec)) {
        *error = scenePath + ": " + (fs::exists(scenePath, ec) ? "not a file" : "no such file");
        return false;
    }

    SavedGlTable saved;
    InstallGlStub();
    Registries registries;
    auto loaded = std::make_unique<MeshScene>();
    if (!loaded->LoadInFolder(scenePath.c_str())) {
        *error = scenePath + ": refused by the engine's scene loader: " + Why(loaded->GetRefusal());
        return false;
    }
    if (!animationPath.empty()) {
        KeyframeAnimation animation;
        if (!animation.Load(animationPath.c_str())) {
            *error = animationPath + ": refused by the engine's animation loader: " + Why(animation.GetRefusal());
            return false;
        }
        if (!loaded->SetAnimation(&animation)) {
            *error = animationPath + ": the engine does not bind it to " + scenePath + " (it has " +
                     std::to_string(animation.GetTrackCount()) + " tracks, the scene " +
                     std::to_string(loaded->GetNodeCount()) + " nodes)";
            return false;
        }
        loaded->SetAnimation(nullptr);
        DescribeAnimation(animation, &out->animation.emplace());
    }
    DescribeMaterials(out);
    DescribeNodes(*loaded, &out->scene);
    DescribeMeshes(*loaded, &out->scene);
    loaded.reset();
    return true;
}

} // namespace orvex::format
