#include "SceneCompare.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace tooltest {

namespace fmt = orvex::format;

namespace {

class Differences {
public:
    Differences(const CompareOptions& options) : options(options) {}

    bool Full() const { return found.size() >= 20; }

    void Add(const std::string& where, const std::string& what)
    {
        if (!Full())
            found.push_back(where + ": " + what);
    }

    template <typename T>
    void Same(const std::string& where, const T& a, const T& b)
    {
        if (!(a == b)) {
            std::ostringstream s;
            s << a << " vs " << b;
            Add(where, s.str());
        }
    }

    void Near(const std::string& where, const float* a, const float* b, int n)
    {
        for (int i = 0; i < n; ++i) {
            double limit = options.tolerance * std::max(1.0, std::fabs(double(a[i])));
            if (!(std::fabs(double(a[i]) - double(b[i])) <= limit)) {
                std::ostringstream s;
                s << "component " << i << ": " << a[i] << " vs " << b[i];
                Add(where, s.str());
                return;
            }
        }
    }

    void Rotation(const std::string& where, const fmt::Quat& a, const fmt::Quat& b)
    {
        const float qa[4] = {a.x, a.y, a.z, a.w};
        const float dot = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
        const float qb[4] = {dot < 0 ? -b.x : b.x, dot < 0 ? -b.y : b.y, dot < 0 ? -b.z : b.z, dot < 0 ? -b.w : b.w};
        Near(where, qa, qb, 4);
    }

    void Vector(const std::string& where, const fmt::Vec3& a, const fmt::Vec3& b)
    {
        const float va[3] = {a.x, a.y, a.z}, vb[3] = {b.x, b.y, b.z};
        Near(where, va, vb, 3);
    }

    const CompareOptions& options;
    std::vector<std::string> found;
};

std::string Named(const char* kind, std::size_t index, const std::string& name)
{
    return std::string(kind) + " " + std::to_string(index) + " (\"" + name + "\")";
}

void CompareMaterials(const fmt::SceneFiles& a, const fmt::SceneFiles& b, Differences& d)
{
    const auto &ma = a.scene.materials, &mb = b.scene.materials;
    d.Same("material count", ma.size(), mb.size());
    for (std::size_t i = 0; i < std::min(ma.size(), mb.size()) && !d.Full(); ++i) {
        const std::string where = Named("material", i, ma[i].name);
        d.Same(where + " name", ma[i].name, mb[i].name);
        d.Near(where + " ambient", ma[i].ambient.data(), mb[i].ambient.data(), 4);
        d.Near(where + " diffuse", ma[i].diffuse.data(), mb[i].diffuse.data(), 4);
        d.Near(where + " specular", ma[i].specular.data(), mb[i].specular.data(), 4);
        d.Near(where + " shininess", &ma[i].shininess, &mb[i].shininess, 1);
        if (d.options.textureNames)
            d.Same(where + " texture", ma[i].texture, mb[i].texture);
        const fmt::TextureDesc* ta = a.FindTexture(ma[i].texture);
        const fmt::TextureDesc* tb = b.FindTexture(mb[i].texture);
        if (!ta || !tb) {
            if (ta || tb)
                d.Add(where, std::string("texture only in the ") + (ta ? "first" : "second"));
            continue;
        }
        d.Same(where + " texture width", ta->width, tb->width);
        d.Same(where + " texture height", ta->height, tb->height);
        d.Same(where + " texture channels", ta->channels, tb->channels);
        if (ta->pixels != tb->pixels)
            d.Add(where, "texture pixels differ");
    }
}

void CompareNodes(const fmt::SceneDesc& a, const fmt::SceneDesc& b, Differences& d)
{
    d.Same("node count", a.nodes.size(), b.nodes.size());
    for (std::size_t i = 0; i < std::min(a.nodes.size(), b.nodes.size()) && !d.Full(); ++i) {
        const std::string where = Named("node", i, a.nodes[i].name);
        d.Same(where + " name", a.nodes[i].name, b.nodes[i].name);
        d.Same(where + " parent", a.nodes[i].parent, b.nodes[i].parent);
        d.Vector(where + " position", a.nodes[i].position, b.nodes[i].position);
        d.Rotation(where + " rotation", a.nodes[i].rotation, b.nodes[i].rotation);
    }
}

void CompareMeshes(const fmt::SceneDesc& a, const fmt::SceneDesc& b, Differences& d)
{
    d.Same("mesh count", a.meshes.size(), b.meshes.size());
    for (std::size_t i = 0; i < std::min(a.meshes.size(), b.meshes.size()) && !d.Full(); ++i) {
        const fmt::MeshDesc &ma = a.meshes[i], &mb = b.meshes[i];
        const std::string where = Named("mesh", i, ma.name);
        d.Same(where + " name", ma.name, mb.name);
        d.Same(where + " vertex count", ma.vertices.size(), mb.vertices.size());
        for (std::size_t v = 0; v < std::min(ma.vertices.size(), mb.vertices.size()) && !d.Full(); ++v) {
            const std::string at = where + " vertex " + std::to_string(v);
            const fmt::VertexDesc &va = ma.vertices[v], &vb = mb.vertices[v];
            const float sa[2] = {va.s, va.t}, sb[2] = {vb.s, vb.t};
            d.Near(at + " texture coordinates", sa, sb, 2);
            d.Vector(at + " normal", va.normal, vb.normal);
            d.Vector(at + " position", va.position, vb.position);
        }
        d.Same(where + " node indices", ma.nodeIndices == mb.nodeIndices, true);
        d.Same(where + " group count", ma.groups.size(), mb.groups.size());
        for (std::size_t g = 0; g < std::min(ma.groups.size(), mb.groups.size()); ++g) {
            const std::string at = where + " group " + std::to_string(g);
            d.Same(at + " material", ma.groups[g].material, mb.groups[g].material);
            d.Same(at + " list count", ma.groups[g].lists.size(), mb.groups[g].lists.size());
            for (std::size_t l = 0; l < std::min(ma.groups[g].lists.size(), mb.groups[g].lists.size()); ++l)
                d.Same(at + " list " + std::to_string(l) + " indices",
                       ma.groups[g].lists[l].indices == mb.groups[g].lists[l].indices, true);
        }
    }
}

void CompareAnimations(const fmt::SceneFiles& a, const fmt::SceneFiles& b, Differences& d)
{
    d.Same("animated", a.animation.has_value(), b.animation.has_value());
    if (!a.animation || !b.animation)
        return;
    const fmt::AnimationDesc &aa = *a.animation, &ab = *b.animation;
    d.Same("frame count", aa.frameCount, ab.frameCount);
    d.Same("track count", aa.tracks.size(), ab.tracks.size());
    for (std::size_t t = 0; t < std::min(aa.tracks.size(), ab.tracks.size()) && !d.Full(); ++t) {
        const std::string where = Named("track", t, aa.tracks[t].name);
        d.Same(where + " name", aa.tracks[t].name, ab.tracks[t].name);
        d.Same(where + " parent", aa.tracks[t].parent, ab.tracks[t].parent);
        d.Same(where + " key count", aa.tracks[t].keys.size(), ab.tracks[t].keys.size());
        for (std::size_t k = 0; k < std::min(aa.tracks[t].keys.size(), ab.tracks[t].keys.size()) && !d.Full(); ++k) {
            const std::string at = where + " key " + std::to_string(k);
            d.Vector(at + " position", aa.tracks[t].keys[k].position, ab.tracks[t].keys[k].position);
            d.Rotation(at + " rotation", aa.tracks[t].keys[k].rotation, ab.tracks[t].keys[k].rotation);
        }
    }
}

} // namespace

std::vector<std::string> SceneDifferences(const fmt::SceneFiles& a, const fmt::SceneFiles& b,
                                          const CompareOptions& options)
{
    Differences d(options);
    CompareMaterials(a, b, d);
    CompareNodes(a.scene, b.scene, d);
    CompareMeshes(a.scene, b.scene, d);
    CompareAnimations(a, b, d);
    return d.found;
}

} // namespace tooltest
