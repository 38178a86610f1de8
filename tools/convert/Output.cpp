#include "convert/Output.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace convert {

namespace fmt = orvex::format;

fmt::SceneDesc ToSceneDesc(const BakedScene& scene)
{
    fmt::SceneDesc desc;
    for (const OutMaterial& m : scene.materials) {
        fmt::MaterialDesc d;
        d.name = m.name;
        std::copy(m.ambient, m.ambient + 4, d.ambient.begin());
        std::copy(m.diffuse, m.diffuse + 4, d.diffuse.begin());
        std::copy(m.specular, m.specular + 4, d.specular.begin());
        d.shininess = m.shininess;
        d.texture = m.texture;
        desc.materials.push_back(std::move(d));
    }
    for (const OutNode& n : scene.nodes) {
        fmt::NodeDesc d;
        d.name = n.name;
        d.parent = n.parent;
        d.position = {n.position[0], n.position[1], n.position[2]};
        d.rotation = {n.rotation[0], n.rotation[1], n.rotation[2], n.rotation[3]};
        desc.nodes.push_back(std::move(d));
    }
    for (const OutMesh& m : scene.meshes) {
        fmt::MeshDesc d;
        d.name = m.name;
        d.vertices.reserve(m.vertices.size());
        for (const OutVertex& v : m.vertices) {
            fmt::VertexDesc vd;
            vd.s = v.s;
            vd.t = v.t;
            vd.normal = {v.normal[0], v.normal[1], v.normal[2]};
            vd.position = {v.position[0], v.position[1], v.position[2]};
            d.vertices.push_back(vd);
        }
        d.nodeIndices = m.nodes;
        for (const OutGroup& g : m.groups) {
            fmt::GroupDesc gd;
            gd.material = g.material;
            for (const auto& list : g.lists)
                gd.lists.push_back(fmt::TriangleListDesc{list});
            d.groups.push_back(std::move(gd));
        }
        desc.meshes.push_back(std::move(d));
    }
    return desc;
}

fmt::AnimationDesc ToAnimationDesc(const BakedScene& scene)
{
    fmt::AnimationDesc desc;
    desc.frameCount = scene.animation.frameCount;
    for (const OutTrack& t : scene.animation.tracks) {
        fmt::TrackDesc d;
        d.name = t.name;
        d.parent = t.parent;
        d.keys.reserve(t.keys.size());
        for (const OutKey& k : t.keys) {
            fmt::KeyDesc kd;
            kd.position = {k.position[0], k.position[1], k.position[2]};
            kd.rotation = {k.rotation[0], k.rotation[1], k.rotation[2], k.rotation[3]};
            d.keys.push_back(kd);
        }
        desc.tracks.push_back(std::move(d));
    }
    return desc;
}

fmt::TgaDesc ToTgaDesc(const OutTexture& texture)
{
    fmt::TgaDesc desc = fmt::TgaFromPixels(static_cast<std::uint16_t>(texture.width),
                                           static_cast<std::uint16_t>(texture.height), texture.channels,
                                           texture.pixels.data());
    desc.descriptor |= 0x20; // rows stored top first
    return desc;
}

std::vector<std::string> OutputFiles(const BakedScene& scene, const std::string& base)
{
    std::vector<std::string> files{base + ".mes"};
    if (scene.animated)
        files.push_back(base + ".knx");
    std::filesystem::path folder = std::filesystem::path(base).parent_path();
    for (const OutTexture& t : scene.textures)
        files.push_back((folder / (t.name + ".TGA")).string());
    return files;
}

bool WriteOutput(const BakedScene& scene, const std::string& base, std::string* error)
{
    for (const OutTexture& t : scene.textures) {
        if (t.width <= 0 || t.height <= 0 || t.width > 65535 || t.height > 65535) {
            *error = "texture '" + t.name + "' is " + std::to_string(t.width) + "x" + std::to_string(t.height) +
                     " pixels; a TGA file holds at most 65535 a side";
            return false;
        }
    }
    std::vector<std::string> files = OutputFiles(scene, base);
    std::vector<std::string> temporary;
    std::string suffix = ".part" + std::to_string(getpid());
    auto removeTemporary = [&] {
        for (const std::string& t : temporary)
            std::remove(t.c_str());
    };

    std::size_t next = 0;
    auto write = [&](auto&& writer) {
        std::string target = files[next++];
        std::string part = target + suffix;
        temporary.push_back(part);
        std::string reason;
        if (!writer(part, &reason)) {
            *error = target + ": " + (reason.empty() ? "cannot be written" : reason);
            return false;
        }
        return true;
    };
    bool ok = write([&](const std::string& p, std::string* r) { return fmt::WriteScene(p, ToSceneDesc(scene), r); });
    if (ok && scene.animated)
        ok = write([&](const std::string& p, std::string* r) { return fmt::WriteAnimation(p, ToAnimationDesc(scene), r); });
    for (std::size_t t = 0; ok && t < scene.textures.size(); ++t)
        ok = write([&](const std::string& p, std::string* r) { return fmt::WriteTga(p, ToTgaDesc(scene.textures[t]), r); });
    if (!ok) {
        removeTemporary();
        return false;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        // filesystem::rename replaces an existing file on every system (std::rename does not
        // on Windows).
        std::error_code renamed;
        std::filesystem::rename(temporary[i], files[i], renamed);
        if (renamed) {
            *error = files[i] + ": cannot be written";
            // Take back what was already put in place, then the rest of the temporaries.
            for (std::size_t k = 0; k < i; ++k)
                std::remove(files[k].c_str());
            for (std::size_t k = i; k < temporary.size(); ++k)
                std::remove(temporary[k].c_str());
            return false;
        }
    }
    return true;
}

} // namespace convert
