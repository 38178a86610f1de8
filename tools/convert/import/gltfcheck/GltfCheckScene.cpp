// The converted scene and what it uses: the hierarchy, the scenes, nodes, meshes,
// materials and skins, each fault with the outcome of its use.
#include "convert/import/gltfcheck/GltfCheckParts.h"

#include <algorithm>
#include <map>

namespace convert::gltfcheck {

namespace {

const char* const Arrays[] = {"accessors", "animations", "buffers",  "bufferViews", "cameras", "images",  "materials",
                              "meshes",    "nodes",      "samplers", "scenes",      "skins",   "textures"};

// Extensions a file may require that the converter reads correctly.
const char* const SupportedRequired[] = {"KHR_mesh_quantization"};

} // namespace

bool Checker::CheckDocument()
{
    // Depth first without recursion: the depth of the deepest value.
    std::vector<std::pair<const Json*, std::size_t>> stack{{&doc, 1}};
    while (!stack.empty()) {
        auto [value, depth] = stack.back();
        stack.pop_back();
        if (depth > MaxDepth) {
            out.refusals.push_back("the JSON nests deeper than " + Decimal(MaxDepth) + " levels");
            return false;
        }
        if (value->is_structured())
            for (const Json& child : *value)
                stack.push_back({&child, depth + 1});
    }
    if (!doc.is_object()) {
        out.refusals.push_back("the JSON is " + Shown(doc) + ", not a glTF object");
        return false;
    }
    const Json* asset = Member(doc, "asset");
    const Json* version = asset ? Member(*asset, "version") : nullptr;
    if (!version || !version->is_string() || version->get<std::string>().rfind("2.", 0) != 0)
        out.refusals.push_back(asset ? "asset.version: " + NotA(version, "a glTF 2 version") : "asset: missing");
    auto lists = [&](const char* name, std::vector<std::string>* names) {
        const Json* list = Member(doc, name);
        if (!list)
            return;
        if (!list->is_array()) {
            out.refusals.push_back(std::string(name) + ": " + NotA(list, "a list of extension names"));
            return;
        }
        for (const Json& e : *list)
            if (e.is_string())
                names->push_back(e.get<std::string>());
    };
    std::vector<std::string> required, used;
    lists("extensionsRequired", &required);
    lists("extensionsUsed", &used);
    for (const std::string& name : required) {
        if (std::find(std::begin(SupportedRequired), std::end(SupportedRequired), name) == std::end(SupportedRequired))
            out.refusals.push_back("extensionsRequired: the file needs the extension " + name +
                                   ", which the converter does not read");
    }
    quantized = std::find(used.begin(), used.end(), "KHR_mesh_quantization") != used.end() ||
                std::find(required.begin(), required.end(), "KHR_mesh_quantization") != required.end();
    for (const char* name : Arrays) {
        const Json* list = Member(doc, name);
        if (!list)
            continue;
        if (!list->is_array()) {
            out.refusals.push_back(std::string(name) + ": " + NotA(list, "a list"));
            continue;
        }
        for (std::size_t i = 0; i < list->size(); ++i)
            if (!(*list)[i].is_object())
                out.refusals.push_back(ElementPath(name, i) + ": " + NotA(&(*list)[i], "an object"));
    }
    return out.refusals.empty();
}

// Every node's children, in and out of the scene: a node has at most one parent, and no
// node is its own ancestor.
void Checker::CheckHierarchy()
{
    const Json& nodes = List("nodes");
    std::size_t n = nodes.size();
    parent.assign(n, -1);
    for (std::size_t i = 0; i < n; ++i) {
        const Json* children = Member(nodes[i], "children");
        if (!children)
            continue;
        const std::string path = MemberPath(ElementPath("nodes", i), "children");
        if (!children->is_array()) {
            Tell(Outcome::Refuse, -1, path, NotA(children, "a list of nodes"), "");
            continue;
        }
        for (std::size_t k = 0; k < children->size(); ++k) {
            const Json& value = (*children)[k];
            int c = Resolve(&value, n);
            if (c < 0)
                Tell(Outcome::Refuse, -1, ElementPath(path, k), NotA(&value, "a node"), "");
            else if (c == static_cast<int>(i))
                Tell(Outcome::Refuse, -1, ElementPath(path, k), "a node cannot be its own child", "");
            else if (parent[c] == static_cast<int>(i))
                Tell(Outcome::Refuse, -1, ElementPath(path, k), "names nodes[" + Decimal(c) + "] twice", "");
            else if (parent[c] >= 0)
                Tell(Outcome::Refuse, -1, ElementPath(path, k),
                     "nodes[" + Decimal(c) + "] is already a child of nodes[" + Decimal(parent[c]) + "]", "");
            else
                parent[c] = static_cast<int>(i);
        }
    }
    // Up the parent links: 1 marks the walk in progress, 2 the nodes already settled.
    std::vector<char> state(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<int> walk;
        int j = static_cast<int>(i);
        while (j >= 0 && state[j] == 0) {
            state[j] = 1;
            walk.push_back(j);
            j = parent[j];
        }
        if (j >= 0 && state[j] == 1)
            Tell(Outcome::Refuse, -1, ElementPath("nodes", j), "is its own ancestor", "");
        for (int w : walk)
            state[w] = 2;
    }
}

// The converted scene: "scene", else the first, else every node without a parent.
void Checker::CheckScenes()
{
    const Json& scenes = List("scenes");
    const Json* chosen = Member(doc, "scene");
    int scene = chosen ? Resolve(chosen, scenes.size()) : (scenes.empty() ? -1 : 0);
    if (chosen && scene < 0)
        Tell(Outcome::Refuse, -1, "scene", NotA(chosen, "a scene"), "");
    std::size_t n = Count("nodes");
    std::vector<int> roots;
    for (std::size_t s = 0; s < scenes.size(); ++s) {
        const bool converted = static_cast<int>(s) == scene;
        const Outcome outcome = converted ? Outcome::Refuse : Outcome::Ignore;
        const std::string reason = "scenes[" + Decimal(s) + "] is not converted";
        const std::string path = MemberPath(ElementPath("scenes", s), "nodes");
        const Json* nodes = Member(scenes[s], "nodes");
        if (!nodes)
            continue;
        if (!nodes->is_array()) {
            Tell(outcome, -1, path, NotA(nodes, "a list of nodes"), reason);
            continue;
        }
        std::vector<char> listed(n, 0);
        for (std::size_t k = 0; k < nodes->size(); ++k) {
            const Json& value = (*nodes)[k];
            int node = Resolve(&value, n);
            if (node < 0)
                Tell(outcome, -1, ElementPath(path, k), NotA(&value, "a node"), reason);
            else if (parent[node] >= 0)
                Tell(outcome, -1, ElementPath(path, k),
                     "nodes[" + Decimal(node) + "] is not a root: it is a child of nodes[" + Decimal(parent[node]) +
                         "]",
                     reason);
            else if (listed[node])
                Tell(outcome, -1, ElementPath(path, k), "names nodes[" + Decimal(node) + "] twice", reason);
            else if (converted)
                roots.push_back(node);
            if (node >= 0)
                listed[node] = 1;
        }
    }
    if (!chosen && scenes.empty())
        for (std::size_t i = 0; i < n; ++i)
            if (parent[i] < 0)
                roots.push_back(static_cast<int>(i));
    // Down the children from the roots; the visited marks stop at any cycle.
    inScene.assign(n, 0);
    std::vector<int> stack = roots;
    const Json& list = List("nodes");
    while (!stack.empty()) {
        int i = stack.back();
        stack.pop_back();
        if (inScene[i])
            continue;
        inScene[i] = 1;
        out.convertedNodes.push_back(i);
        if (const Json* children = Member(list[i], "children"); children && children->is_array())
            for (const Json& c : *children) {
                int child = Resolve(&c, n);
                if (child >= 0 && parent[child] == i)
                    stack.push_back(child);
            }
    }
}

void Checker::CheckNodes()
{
    const Json& nodes = List("nodes");
    meshUsed.assign(Count("meshes"), 0);
    meshSkinned.assign(Count("meshes"), 0);
    skinUsed.assign(Count("skins"), 0);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::string path = ElementPath("nodes", i);
        const Outcome outcome = inScene[i] ? Outcome::Refuse : Outcome::Ignore;
        const std::string reason = "nodes[" + Decimal(i) + "] is not in the converted scene";
        const Json* mesh = Member(nodes[i], "mesh");
        const Json* skin = Member(nodes[i], "skin");
        int m = Resolve(mesh, meshUsed.size()), s = Resolve(skin, skinUsed.size());
        if (mesh && m < 0)
            Tell(outcome, -1, MemberPath(path, "mesh"), NotA(mesh, "a mesh"), reason);
        if (skin && s < 0)
            Tell(outcome, -1, MemberPath(path, "skin"), NotA(skin, "a skin"), reason);
        if (const Json* camera = Member(nodes[i], "camera"); camera && Resolve(camera, Count("cameras")) < 0)
            Tell(Outcome::Ignore, -1, MemberPath(path, "camera"), NotA(camera, "a camera"),
                 "cameras are not converted");
        if (!inScene[i])
            continue;
        if (m >= 0) {
            meshUsed[m] = 1;
            if (s >= 0)
                meshSkinned[m] = 1;
        }
        if (m >= 0 && s >= 0)
            skinUsed[s] = 1;
    }
}

void Checker::CheckMesh(int m)
{
    const std::string path = ElementPath("meshes", m);
    const bool used = meshUsed[m];
    const Outcome outcome = used ? Outcome::Refuse : Outcome::Ignore;
    const std::string reason = path + " is not used by the converted scene";
    const Json* primitives = Member(List("meshes")[m], "primitives");
    if (!primitives || !primitives->is_array() || primitives->empty()) {
        Tell(outcome, -1, MemberPath(path, "primitives"), NotA(primitives, "a list of primitives"), reason);
        return;
    }
    for (std::size_t p = 0; p < primitives->size(); ++p) {
        const std::string primitivePath = ElementPath(MemberPath(path, "primitives"), p);
        const Json& primitive = (*primitives)[p];
        const Json* attributes = Member(primitive, "attributes");
        if (!attributes || !attributes->is_object()) {
            Tell(outcome, -1, MemberPath(primitivePath, "attributes"), NotA(attributes, "an object of attributes"),
                 reason);
            continue;
        }
        const Json* materialValue = Member(primitive, "material");
        int material = Resolve(materialValue, Count("materials"));
        if (materialValue && material < 0)
            Tell(outcome, -1, MemberPath(primitivePath, "material"), NotA(materialValue, "a material"), reason);
        if (const Json* mode = Member(primitive, "mode")) {
            std::optional<std::uint64_t> n = Whole(mode);
            if (!n || *n > 6)
                Tell(outcome, -1, MemberPath(primitivePath, "mode"), NotA(mode, "a primitive mode"), reason);
        }

        // The attributes the reader takes: the texture coordinates its material's texture
        // reads, and the joints and weights of a skinned mesh in pairs of sets.
        std::map<std::string, Role> reads{{"POSITION", Role::Position}, {"NORMAL", Role::Normal}};
        reads["TEXCOORD_" + Decimal(material >= 0 ? out.texCoordSet[material] : 0)] = Role::TexCoord;
        for (int set = 0; meshSkinned[m]; ++set) {
            std::string joints = "JOINTS_" + Decimal(set), weights = "WEIGHTS_" + Decimal(set);
            if (!Member(*attributes, joints.c_str()) || !Member(*attributes, weights.c_str()))
                break;
            reads[joints] = Role::Joints;
            reads[weights] = Role::Weights;
        }
        std::uint64_t positions = 0;
        std::vector<std::pair<std::string, int>> counted;
        for (auto it = attributes->begin(); it != attributes->end(); ++it) {
            const std::string attributePath = MemberPath(MemberPath(primitivePath, "attributes"), it.key());
            int a = Resolve(&it.value(), accessors.size());
            auto role = reads.find(it.key());
            const bool read = used && role != reads.end();
            if (a < 0) {
                Tell(read ? Outcome::Refuse : Outcome::Ignore, -1, attributePath, NotA(&it.value(), "an accessor"),
                     used ? "the converter does not read " + it.key() : reason);
                continue;
            }
            if (!read || !Read(a, role->second, Outcome::Refuse, -1, attributePath, ""))
                continue;
            if (it.key() == "POSITION")
                positions = accessors[a].count;
            else
                counted.push_back({attributePath, a});
        }
        for (const auto& [attributePath, a] : counted)
            if (positions > 0 && accessors[a].count != positions)
                Tell(Outcome::Refuse, -1, attributePath,
                     "accessors[" + Decimal(a) + "] holds " + Decimal(accessors[a].count) +
                         " elements, POSITION holds " + Decimal(positions),
                     "");

        if (const Json* indices = Member(primitive, "indices")) {
            const std::string indicesPath = MemberPath(primitivePath, "indices");
            int a = Resolve(indices, accessors.size());
            if (a < 0)
                Tell(outcome, -1, indicesPath, NotA(indices, "an accessor"), reason);
            else if (used && Read(a, Role::Indices, Outcome::Refuse, -1, indicesPath, "") && accessors[a].view < 0)
                // The parser refuses index data that is not stored; say so in the file's terms.
                Tell(Outcome::Refuse, -1, indicesPath, "accessors[" + Decimal(a) + "] has no buffer view", "");
        }
        if (const Json* targets = Member(primitive, "targets"); used && targets && targets->is_array()) {
            for (std::size_t t = 0; t < targets->size(); ++t) {
                if (!(*targets)[t].is_object())
                    continue;
                for (auto it = (*targets)[t].begin(); it != (*targets)[t].end(); ++it)
                    if (Resolve(&it.value(), accessors.size()) < 0)
                        Tell(Outcome::Ignore, -1,
                             MemberPath(ElementPath(MemberPath(primitivePath, "targets"), t), it.key()),
                             NotA(&it.value(), "an accessor"), "morph targets are not converted");
            }
        }
        if (used)
            usedPrimitives.push_back({m, static_cast<int>(p), material});
        if (used && material >= 0)
            materialUsed[material] = 1;
    }
}

void Checker::CheckMaterials()
{
    const Json& materials = List("materials");
    out.baseColorImage.assign(materials.size(), -1);
    for (std::size_t m = 0; m < materials.size(); ++m) {
        const std::string path = ElementPath("materials", m);
        const Json& material = materials[m];
        const bool used = materialUsed[m];
        const std::string reason = path + " is not used by the converted scene";
        const Json* name = Member(material, "name");
        const std::string consequence = path + (name && name->is_string() ? " " + Shown(*name) : std::string()) +
                                        " is drawn with its colour instead of the texture";
        const Json* pbr = Member(material, "pbrMetallicRoughness");
        // The converter draws with the base colour texture only; the others' faults are noted.
        std::vector<std::pair<std::string, const Json*>> slots{
            {"pbrMetallicRoughness.baseColorTexture", pbr ? Member(*pbr, "baseColorTexture") : nullptr},
            {"pbrMetallicRoughness.metallicRoughnessTexture", pbr ? Member(*pbr, "metallicRoughnessTexture") : nullptr},
            {"normalTexture", Member(material, "normalTexture")},
            {"occlusionTexture", Member(material, "occlusionTexture")},
            {"emissiveTexture", Member(material, "emissiveTexture")}};
        for (std::size_t s = 0; s < slots.size(); ++s) {
            const Json* slot = slots[s].second;
            if (!slot)
                continue;
            const std::string slotPath = MemberPath(path, slots[s].first);
            const bool base = s == 0;
            const Outcome outcome = used && base ? Outcome::Drop : Outcome::Ignore;
            const std::string why = !used  ? reason
                                    : base ? consequence
                                           : "the converter reads only the base colour texture";
            const Json* index = Member(*slot, "index");
            int t = Resolve(index, textureFaults.size());
            if (!slot->is_object()) {
                Tell(outcome, -1, slotPath, NotA(slot, "a texture reference"), why);
            } else if (t < 0) {
                Tell(outcome, -1, MemberPath(slotPath, "index"), NotA(index, "a texture"), why);
            } else if (const Json* set = Member(*slot, "texCoord"); set && !Whole(set)) {
                Tell(outcome, -1, MemberPath(slotPath, "texCoord"), NotA(set, "a texture coordinate set"), why);
            } else if (outcome == Outcome::Drop && !textureFaults[t].empty()) {
                TellFaults(textureFaults[t], outcome, -1, MemberPath(slotPath, "index"), why);
            } else if (outcome == Outcome::Drop) {
                out.baseColorImage[m] = textureImage[t];
            }
        }
    }
}

// A primitive whose material's texture reads texture coordinates it does not have would
// show one texel all over; it draws with the material's colour instead.
void Checker::CheckTexCoords()
{
    for (const UsedPrimitive& u : usedPrimitives) {
        if (u.material < 0 || out.baseColorImage[u.material] < 0)
            continue;
        const std::uint64_t set = out.texCoordSet[u.material];
        const Json& primitive = (*Member(List("meshes")[u.mesh], "primitives"))[u.primitive];
        const std::string name = "TEXCOORD_" + Decimal(set);
        if (Member(*Member(primitive, "attributes"), name.c_str()))
            continue;
        Tell(Outcome::Drop, -1, ElementPath(MemberPath(ElementPath("meshes", u.mesh), "primitives"), u.primitive),
             "has no " + name + ", which the texture of materials[" + Decimal(u.material) + "] reads",
             "the primitive is drawn with the material's colour");
        out.untexturedPrimitives.insert({u.mesh, u.primitive});
    }
}

void Checker::CheckSkins()
{
    const Json& skins = List("skins");
    std::size_t n = Count("nodes");
    for (std::size_t s = 0; s < skins.size(); ++s) {
        const std::string path = ElementPath("skins", s);
        const bool used = skinUsed[s];
        const Outcome outcome = used ? Outcome::Refuse : Outcome::Ignore;
        const std::string reason = path + " is not used by the converted scene";
        const Json* joints = Member(skins[s], "joints");
        std::size_t jointCount = 0;
        if (!joints || !joints->is_array() || joints->empty()) {
            Tell(outcome, -1, MemberPath(path, "joints"), NotA(joints, "a list of nodes"), reason);
        } else {
            jointCount = joints->size();
            std::vector<char> seen(n, 0);
            for (std::size_t k = 0; k < joints->size(); ++k) {
                const Json& value = (*joints)[k];
                const std::string jointPath = ElementPath(MemberPath(path, "joints"), k);
                int j = Resolve(&value, n);
                if (j < 0)
                    Tell(outcome, -1, jointPath, NotA(&value, "a node"), reason);
                else if (seen[j])
                    Tell(outcome, -1, jointPath, "names nodes[" + Decimal(j) + "] twice", reason);
                else if (used && !inScene[j])
                    Tell(Outcome::Refuse, -1, jointPath, "nodes[" + Decimal(j) + "] is not in the converted scene", "");
                if (j >= 0)
                    seen[j] = 1;
            }
        }
        if (const Json* matrices = Member(skins[s], "inverseBindMatrices")) {
            const std::string matricesPath = MemberPath(path, "inverseBindMatrices");
            int a = Resolve(matrices, accessors.size());
            if (a < 0)
                Tell(outcome, -1, matricesPath, NotA(matrices, "an accessor"), reason);
            else if (used && Read(a, Role::InverseBind, Outcome::Refuse, -1, matricesPath, "") &&
                     accessors[a].count < jointCount)
                Tell(Outcome::Refuse, -1, matricesPath,
                     "accessors[" + Decimal(a) + "] holds " + Decimal(accessors[a].count) + " matrices for " +
                         Decimal(jointCount) + " joints",
                     "");
        }
        if (const Json* skeleton = Member(skins[s], "skeleton"); skeleton && Resolve(skeleton, n) < 0)
            Tell(Outcome::Ignore, -1, MemberPath(path, "skeleton"), NotA(skeleton, "a node"),
                 "the converter does not read it");
    }
}

} // namespace convert::gltfcheck
