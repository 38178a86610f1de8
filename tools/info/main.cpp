// orvex-info: checks .mes, .knx and .tga files with the engine's own loaders and prints
// what they hold. Exit 0 when every file loads, 1 when one is refused, 2 on usage errors.
#include "format/GlStub.h"
#include "info/Inspect.h"
#include "info/Json.h"

#include "CommandLine.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const Usage = "usage: orvex-info FILE... [--json]\n"
                          "\n"
                          "Loads mesh scenes (.mes), keyframe animations (.knx) and textures (.tga) with the\n"
                          "engine's loaders and prints their structure; a refused file is reported with the\n"
                          "loader's reason: the section and record at fault, the byte offset and a sentence.\n"
                          "A scene's textures are looked up next to it.\n"
                          "\n"
                          "  --json      print one JSON array with an object per file\n"
                          "  -h, --help  this text\n"
                          "  --version   prints the version\n"
                          "\n"
                          "Exit status: 0 every file loads, 1 a file is refused, 2 usage error.\n";

constexpr double FramesPerSecond = 20.0;

std::string Kind(info::Kind k)
{
    switch (k) {
    case info::Kind::Scene:
        return "mesh scene";
    case info::Kind::Animation:
        return "keyframe animation";
    case info::Kind::Texture:
        return "texture";
    }
    return "";
}

std::string Plural(long long n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Color(const float c[4])
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "(%.3g %.3g %.3g %.3g)", c[0], c[1], c[2], c[3]);
    return buffer;
}

double Duration(std::uint32_t frames)
{
    return frames > 1 ? (frames - 1) / FramesPerSecond : 0.0;
}

void PrintTree(const std::vector<info::NodeInfo>& nodes, int parent, int depth)
{
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].parent != parent)
            continue;
        const info::NodeInfo& n = nodes[i];
        std::printf("    %*s%zu \"%s\"  at (%.4g %.4g %.4g)\n", 2 * depth, "", i, n.name.c_str(), n.position[0],
                    n.position[1], n.position[2]);
        PrintTree(nodes, static_cast<int>(i), depth + 1);
    }
}

void PrintText(const info::FileInfo& f)
{
    if (!f.ok) {
        std::printf("%s: %s, refused: %s: %s", f.path.c_str(), Kind(f.kind).c_str(), f.where.c_str(), f.why.c_str());
        if (f.haveOffset)
            std::printf(" (byte %llu)", static_cast<unsigned long long>(f.offset));
        std::printf("\n");
        return;
    }
    std::printf("%s: %s, %llu bytes, ok\n", f.path.c_str(), Kind(f.kind).c_str(),
                static_cast<unsigned long long>(f.size));
    switch (f.kind) {
    case info::Kind::Scene: {
        std::printf("  %s:\n", Plural(static_cast<long long>(f.materials.size()), "material", "materials").c_str());
        for (std::size_t i = 0; i < f.materials.size(); ++i) {
            const info::MaterialInfo& m = f.materials[i];
            std::printf("    %zu \"%s\"  ambient %s  diffuse %s  specular %s  shininess %.3g\n", i, m.name.c_str(),
                        Color(m.ambient).c_str(), Color(m.diffuse).c_str(), Color(m.specular).c_str(), m.shininess);
            if (m.texture.empty())
                std::printf("      no texture\n");
            else if (m.image.found)
                std::printf("      texture \"%s\": %dx%d, %d-bit\n", m.texture.c_str(), m.image.width, m.image.height,
                            m.image.bitsPerPixel);
            else
                std::printf("      texture \"%s\": %s.TGA: %s; drawn untextured\n", m.texture.c_str(),
                            m.texture.c_str(), m.image.problem.empty() ? "not loaded" : m.image.problem.c_str());
        }
        std::printf("  %s:\n", Plural(static_cast<long long>(f.nodes.size()), "node", "nodes").c_str());
        PrintTree(f.nodes, -1, 0);
        std::printf("  %s:\n", Plural(static_cast<long long>(f.meshes.size()), "mesh", "meshes").c_str());
        for (std::size_t i = 0; i < f.meshes.size(); ++i) {
            const info::MeshInfo& m = f.meshes[i];
            std::printf(
                "    %zu \"%s\": %s, %s on %s\n", i, m.name.c_str(), Plural(m.vertices, "vertex", "vertices").c_str(),
                Plural(m.triangles, "triangle", "triangles").c_str(), Plural(m.nodesUsed, "node", "nodes").c_str());
            for (std::size_t g = 0; g < m.groups.size(); ++g)
                std::printf("      group %zu \"%s\": %s, %s\n", g, m.groups[g].material.c_str(),
                            Plural(m.groups[g].lists, "list", "lists").c_str(),
                            Plural(m.groups[g].indices, "index", "indices").c_str());
        }
        break;
    }
    case info::Kind::Animation: {
        std::printf("  %s, %.3f s at %g fps, %s\n", Plural(f.frames, "frame", "frames").c_str(), Duration(f.frames),
                    FramesPerSecond, Plural(static_cast<long long>(f.tracks.size()), "track", "tracks").c_str());
        for (std::size_t i = 0; i < f.tracks.size(); ++i)
            std::printf("    %zu \"%s\"  parent %d\n", i, f.tracks[i].name.c_str(), f.tracks[i].parent);
        break;
    }
    case info::Kind::Texture:
        std::printf("  %dx%d, %d-bit %s\n", f.width, f.height, f.bitsPerPixel,
                    f.imageType == 2   ? "true colour"
                    : f.imageType == 3 ? "greyscale (alpha texture)"
                                       : "without pixel data");
        break;
    }
    if (f.trailingBytes > 0)
        std::printf("  %llu bytes after the last record, never read\n",
                    static_cast<unsigned long long>(f.trailingBytes));
}

void WriteJson(info::Json& j, const info::FileInfo& f)
{
    j.BeginObject();
    j.Key("file").String(f.path);
    j.Key("kind").String(f.kind == info::Kind::Scene       ? "scene"
                         : f.kind == info::Kind::Animation ? "animation"
                                                           : "texture");
    j.Key("ok").Bool(f.ok);
    if (!f.ok) {
        j.Key("error").BeginObject();
        j.Key("where").String(f.where);
        j.Key("section").String(f.section);
        j.Key("record").String(f.record);
        j.Key("reason").String(f.why);
        if (f.haveOffset)
            j.Key("offset").Integer(static_cast<long long>(f.offset));
        j.EndObject();
        j.EndObject();
        return;
    }
    j.Key("size").Integer(static_cast<long long>(f.size));
    j.Key("trailingBytes").Integer(static_cast<long long>(f.trailingBytes));
    switch (f.kind) {
    case info::Kind::Scene:
        j.Key("materials").BeginArray();
        for (const info::MaterialInfo& m : f.materials) {
            j.BeginObject();
            j.Key("name").String(m.name);
            j.Key("ambient").Numbers(m.ambient, 4);
            j.Key("diffuse").Numbers(m.diffuse, 4);
            j.Key("specular").Numbers(m.specular, 4);
            j.Key("shininess").Number(m.shininess);
            j.Key("texture").String(m.texture);
            if (!m.texture.empty()) {
                j.Key("textureLoaded").Bool(m.image.found);
                if (!m.image.problem.empty())
                    j.Key("textureProblem").String(m.image.problem);
                if (m.image.found) {
                    j.Key("textureWidth").Integer(m.image.width);
                    j.Key("textureHeight").Integer(m.image.height);
                    j.Key("textureBits").Integer(m.image.bitsPerPixel);
                }
            }
            j.EndObject();
        }
        j.EndArray();
        j.Key("nodes").BeginArray();
        for (const info::NodeInfo& n : f.nodes) {
            j.BeginObject();
            j.Key("name").String(n.name);
            j.Key("parent").Integer(n.parent);
            j.Key("position").Numbers(n.position, 3);
            j.Key("rotation").Numbers(n.rotation, 4);
            j.EndObject();
        }
        j.EndArray();
        j.Key("meshes").BeginArray();
        for (const info::MeshInfo& m : f.meshes) {
            j.BeginObject();
            j.Key("name").String(m.name);
            j.Key("vertices").Integer(m.vertices);
            j.Key("triangles").Integer(m.triangles);
            j.Key("nodesUsed").Integer(m.nodesUsed);
            j.Key("groups").BeginArray();
            for (const info::GroupInfo& g : m.groups) {
                j.BeginObject();
                j.Key("material").String(g.material);
                j.Key("lists").Integer(g.lists);
                j.Key("indices").Integer(g.indices);
                j.EndObject();
            }
            j.EndArray();
            j.EndObject();
        }
        j.EndArray();
        break;
    case info::Kind::Animation:
        j.Key("frames").Integer(f.frames);
        j.Key("framesPerSecond").Number(FramesPerSecond);
        j.Key("duration").Number(Duration(f.frames));
        j.Key("reserved").Integer(f.reserved);
        j.Key("tracks").BeginArray();
        for (const info::TrackInfo& t : f.tracks) {
            j.BeginObject();
            j.Key("name").String(t.name);
            j.Key("parent").Integer(t.parent);
            j.EndObject();
        }
        j.EndArray();
        break;
    case info::Kind::Texture:
        j.Key("width").Integer(f.width);
        j.Key("height").Integer(f.height);
        j.Key("bitsPerPixel").Integer(f.bitsPerPixel);
        j.Key("imageType").Integer(f.imageType);
        break;
    }
    j.EndObject();
}

} // namespace

int main(int argc, char** argv)
{
    bool json = false;
    std::vector<std::pair<std::string, info::Kind>> files;
    cli::CommandLine line("orvex-info", Usage);
    line.Flag("--json", &json);
    line.Operands([&files](const std::string& arg) -> std::string {
        info::Kind kind;
        if (!info::KindOfPath(arg, &kind))
            return arg + ": not a .mes, .knx or .tga file";
        files.push_back({arg, kind});
        return "";
    });
    if (const std::optional<int> status = line.Parse(argc, argv))
        return *status;
    if (files.empty())
        return line.Refuse("no files");

    orvex::format::InstallGlStub();
    bool allOk = true;
    info::Json j;
    j.BeginArray();
    for (const auto& [path, kind] : files) {
        info::FileInfo f = info::Inspect(path, kind);
        allOk = allOk && f.ok;
        if (json)
            WriteJson(j, f);
        else
            PrintText(f);
    }
    j.EndArray();
    if (json)
        std::printf("%s\n", j.Text().c_str());
    return allOk ? 0 : 1;
}
