#include "info/Inspect.h"

#include "info/FileWalk.h"

#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace info {

namespace {

// The engine's own words for a refused file.
void Refuse(FileInfo* f, const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    f->ok = false;
    refusal.FormatWhere(text, sizeof text);
    f->where = text;
    refusal.FormatRecord(text, sizeof text);
    f->record = text;
    f->section = FileSectionName(refusal.GetSection());
    refusal.FormatReason(text, sizeof text);
    f->why = text;
    f->haveOffset = refusal.GetOffset() >= 0;
    f->offset = f->haveOffset ? static_cast<std::uint64_t>(refusal.GetOffset()) : 0;
}

int BitsOf(const Image& image)
{
    switch (image.GetFormat()) {
    case ImageFormatRgb:
        return 24;
    case ImageFormatRgba:
        return 32;
    case ImageFormatTwoByte:
        return 16;
    default:
        return 8;
    }
}

// How many distinct nodes carry the mesh's vertices; the loader has checked every index
// against the node count.
int CountCarriers(const Mesh& mesh, std::int32_t nodeCount)
{
    std::vector<bool> carries(static_cast<std::size_t>(nodeCount), false);
    int count = 0;
    const std::int32_t* nodes = mesh.GetNodeIndices();
    for (std::int32_t i = 0; i < mesh.GetVertexCount(); ++i) {
        if (!carries[static_cast<std::size_t>(nodes[i])]) {
            carries[static_cast<std::size_t>(nodes[i])] = true;
            ++count;
        }
    }
    return count;
}

void InspectScene(FileInfo* f)
{
    // Judge every file on its own: no materials or textures of an earlier one.
    ClearMaterials();
    ClearTextures();
    std::filesystem::path file(f->path);
    auto scene = std::make_unique<MeshScene>();
    // Textures are found beside the scene, as the viewer finds them.
    if (!scene->LoadInFolder(f->path.c_str())) {
        Refuse(f, scene->GetRefusal());
        ClearMaterials();
        ClearTextures();
        return;
    }
    f->ok = true;
    const FileLayout layout = WalkMes(f->path);
    f->trailingBytes = layout.trailingBytes;
    std::size_t m = 0;
    for (Material* mat = GetMaterials(); mat && m < static_cast<std::size_t>(GetMaterialCount());
         mat = static_cast<Material*>(mat->GetNext()), ++m) {
        MaterialInfo info;
        info.name = mat->GetName() ? mat->GetName() : "";
        std::copy(mat->GetAmbient(), mat->GetAmbient() + 4, info.ambient);
        std::copy(mat->GetDiffuse(), mat->GetDiffuse() + 4, info.diffuse);
        std::copy(mat->GetSpecular(), mat->GetSpecular() + 4, info.specular);
        info.shininess = mat->GetShininess();
        info.texture = m < layout.textures.size() ? layout.textures[m] : "";
        // The engine leaves a texture it could not load out; its loader says why.
        if (!info.texture.empty()) {
            const std::string name = mat->GetTexture() ? mat->GetTexture()->GetName() : info.texture.c_str();
            TgaLoader loader;
            std::unique_ptr<Image> image(loader.Load((file.parent_path() / (name + ".TGA")).string().c_str()));
            info.image.found = mat->GetTexture() != nullptr;
            if (image) {
                info.image.width = image->GetWidth();
                info.image.height = image->GetHeight();
                info.image.bitsPerPixel = BitsOf(*image);
            } else {
                char text[FileRefusal::kTextSize];
                loader.GetRefusal().Format(text, sizeof text);
                info.image.problem = text;
            }
        }
        f->materials.push_back(info);
    }
    for (std::int32_t n = 0; n < scene->GetNodeCount(); ++n) {
        const SceneNode& node = scene->GetNodes()[n];
        NodeInfo info;
        info.name = node.GetName() ? node.GetName() : "";
        info.parent = node.GetParent();
        const Vector3& p = node.GetPosition();
        const Quaternion& q = node.GetRotation();
        info.position[0] = p.x, info.position[1] = p.y, info.position[2] = p.z;
        info.rotation[0] = q.x, info.rotation[1] = q.y, info.rotation[2] = q.z, info.rotation[3] = q.w;
        f->nodes.push_back(info);
    }
    for (std::int32_t k = 0; k < scene->GetMeshCount(); ++k) {
        const Mesh& mesh = scene->GetMeshes()[k];
        MeshInfo info;
        info.name = mesh.GetName() ? mesh.GetName() : "";
        info.vertices = mesh.GetVertexCount();
        info.nodesUsed = CountCarriers(mesh, scene->GetNodeCount());
        for (std::int32_t g = 0; g < mesh.GetGroupCount(); ++g) {
            const MaterialGroup& group = mesh.GetGroups()[g];
            GroupInfo gi;
            gi.material = group.GetMaterial() && group.GetMaterial()->GetName() ? group.GetMaterial()->GetName() : "";
            gi.lists = group.GetListCount();
            for (std::int32_t l = 0; l < group.GetListCount(); ++l) {
                gi.indices += group.GetLists()[l].GetIndexCount();
                info.triangles += group.GetLists()[l].GetIndexCount() / 3;
            }
            info.groups.push_back(gi);
        }
        f->meshes.push_back(info);
    }
    scene.reset();
    ClearMaterials();
    ClearTextures();
}

void InspectAnimation(FileInfo* f)
{
    KeyframeAnimation animation;
    if (!animation.Load(f->path.c_str())) {
        Refuse(f, animation.GetRefusal());
        return;
    }
    f->ok = true;
    f->trailingBytes = WalkKnx(f->path).trailingBytes;
    f->frames = animation.GetFrameCount();
    f->reserved = animation.GetReserved();
    for (std::int32_t t = 0; t < animation.GetTrackCount(); ++t) {
        const AnimationTrack& track = animation.GetTracks()[t];
        f->tracks.push_back({track.GetName() ? track.GetName() : "", track.GetParent()});
    }
}

void InspectTexture(FileInfo* f)
{
    TgaLoader loader;
    std::unique_ptr<Image> image(loader.Load(f->path.c_str()));
    if (!image) {
        Refuse(f, loader.GetRefusal());
        return;
    }
    f->ok = true;
    const FileLayout layout = WalkTga(f->path);
    f->trailingBytes = layout.trailingBytes;
    f->width = image->GetWidth();
    f->height = image->GetHeight();
    f->bitsPerPixel = BitsOf(*image);
    f->imageType = layout.imageType;
}

} // namespace

bool KindOfPath(const std::string& path, Kind* kind)
{
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".mes")
        *kind = Kind::Scene;
    else if (ext == ".knx")
        *kind = Kind::Animation;
    else if (ext == ".tga")
        *kind = Kind::Texture;
    else
        return false;
    return true;
}

FileInfo Inspect(const std::string& path, Kind kind)
{
    FileInfo f;
    f.path = path;
    f.kind = kind;
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(path, ec);
    if (!std::filesystem::is_regular_file(path, ec) || size == static_cast<std::uint64_t>(-1) ||
        !std::ifstream(path, std::ios::binary)) {
        f.where = "file";
        f.why = std::filesystem::exists(path, ec) ? "cannot be read" : "no such file";
        return f;
    }
    // The file is not read here: the engine's loader reads it, and the record walk reads the
    // little the loader does not keep.
    f.size = size;
    switch (kind) {
    case Kind::Scene:
        InspectScene(&f);
        break;
    case Kind::Animation:
        InspectAnimation(&f);
        break;
    case Kind::Texture:
        InspectTexture(&f);
        break;
    }
    return f;
}

} // namespace info
