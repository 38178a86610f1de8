#include "convert/import/gltfcheck/GltfCheck.h"

#include "convert/import/gltfcheck/GltfCheckParts.h"

namespace convert {

namespace gltfcheck {

int Checker::Add(Faults* list, const std::string& path, const std::string& text)
{
    faults.push_back({path, text});
    int id = static_cast<int>(faults.size()) - 1;
    list->push_back(id);
    return id;
}

void Checker::Tell(Outcome outcome, int clip, const std::string& path, const std::string& text,
                   const std::string& consequence)
{
    std::string line = path + ": " + text;
    switch (outcome) {
    case Outcome::Refuse:
        out.refusals.push_back(line);
        break;
    case Outcome::Drop:
        (clip >= 0 ? out.clipWarnings[clip] : out.warnings).push_back(line + "; " + consequence);
        break;
    case Outcome::Ignore:
        out.notes.push_back(line + " (" + consequence + ")");
        break;
    }
}

void Checker::TellFaults(const Faults& ids, Outcome outcome, int clip, const std::string& readBy,
                         const std::string& consequence)
{
    if (ids.empty() || outcome == Outcome::Ignore)
        return; // noted with the other faults nothing uses
    if (outcome == Outcome::Refuse) {
        for (int id : ids) {
            Fault& fault = faults[id];
            if (!fault.refused)
                out.refusals.push_back(fault.path + ": " + fault.text + " (read by " + readBy + ")");
            fault.refused = fault.told = true;
        }
        return;
    }
    // One line for the part dropped: its first fault.
    const Fault& first = faults[ids.front()];
    Tell(outcome, clip, first.path, first.text + " (read by " + readBy + ")", consequence);
    for (int id : ids)
        faults[id].told = true;
}

// Whether accessor a can be read as `role` at `path`; reports what it cannot.
bool Checker::Read(int a, Role role, Outcome outcome, int clip, const std::string& path, const std::string& consequence)
{
    if (!accessorFaults[a].empty()) {
        TellFaults(accessorFaults[a], outcome, clip, path, consequence);
        return false;
    }
    const AccessorInfo& info = accessors[a];
    std::string needs;
    if (!RoleFits(info, role, quantized, &needs)) {
        Tell(outcome, clip, path,
             "accessors[" + Decimal(a) + "] is " + info.type + " " + (info.normalized ? "normalized " : "") +
                 ComponentName(info.componentType) + ", where the converter reads " + needs,
             consequence);
        return false;
    }
    return true;
}

// The parser refuses a whole file over one broken object and reads some faults wrongly;
// it is given only objects that are whole, or stand-ins for those nothing reads.
void Checker::StandIns(Json* parsed) const
{
    parsed->erase("buffers");
    parsed->erase("images");
    auto replace = [&](const char* list, std::size_t i, Json standIn) { (*parsed)[list][i] = std::move(standIn); };
    for (std::size_t v = 0; v < viewFaults.size(); ++v)
        if (!viewFaults[v].empty())
            replace("bufferViews", v, {{"buffer", 0}, {"byteLength", 1}});
    for (std::size_t a = 0; a < accessorFaults.size(); ++a)
        if (!accessorFaults[a].empty())
            replace("accessors", a, {{"componentType", 5126}, {"type", "SCALAR"}, {"count", 1}});
    for (std::size_t m = 0; m < meshUsed.size(); ++m)
        if (!meshUsed[m])
            replace("meshes", m, {{"primitives", Json::array()}});
    for (std::size_t s = 0; s < skinUsed.size(); ++s)
        if (!skinUsed[s])
            replace("skins", s, {{"joints", Json::array()}});
    for (std::size_t a = 0; a < animationBroken.size(); ++a) {
        Json& animation = (*parsed)["animations"][a];
        if (animationBroken[a]) {
            animation = {{"channels", Json::array()}, {"samplers", Json::array()}};
            continue;
        }
        for (std::size_t c = 0; c < out.channelKept[a].size(); ++c)
            if (!out.channelKept[a][c])
                animation["channels"][c] = {{"sampler", 0}, {"target", {{"node", 0}, {"path", "translation"}}}};
        for (std::size_t k = 0; k < samplerBroken[a].size(); ++k)
            if (samplerBroken[a][k])
                animation["samplers"][k] = {{"input", 0}, {"output", 0}};
    }
}

bool Checker::Run()
{
    if (!CheckDocument())
        return false;
    CheckBuffers();
    CheckViews();
    CheckAccessors();
    CheckImages();
    CheckTextures();

    CheckHierarchy();
    CheckScenes();
    CheckNodes();
    const Json& materials = List("materials");
    materialUsed.assign(materials.size(), 0);
    out.texCoordSet.assign(materials.size(), 0);
    for (std::size_t m = 0; m < materials.size(); ++m) {
        const Json* pbr = Member(materials[m], "pbrMetallicRoughness");
        const Json* base = pbr ? Member(*pbr, "baseColorTexture") : nullptr;
        out.texCoordSet[m] = Whole(base ? Member(*base, "texCoord") : nullptr).value_or(0);
    }
    for (std::size_t m = 0; m < meshUsed.size(); ++m)
        CheckMesh(static_cast<int>(m));
    CheckMaterials();
    CheckTexCoords();
    CheckSkins();
    std::size_t animations = Count("animations");
    out.clipWarnings.resize(animations);
    out.channelKept.resize(animations);
    samplerBroken.resize(animations);
    animationBroken.assign(animations, 0);
    for (std::size_t a = 0; a < animations; ++a)
        CheckAnimation(static_cast<int>(a));

    for (const Fault& fault : faults)
        if (!fault.told)
            out.notes.push_back(fault.path + ": " + fault.text + " (not used by the conversion)");
    if (!out.refusals.empty())
        return false;
    Json parsed = doc;
    StandIns(&parsed);
    out.json = parsed.dump(-1, ' ', false, Json::error_handler_t::replace);
    return true;
}

} // namespace gltfcheck

bool CheckGltf(GltfFile& file, GltfCheck* out)
{
    *out = GltfCheck{};
    gltfcheck::Json doc = gltfcheck::Json::parse(file.json.begin(), file.json.end(), nullptr, false);
    if (doc.is_discarded()) {
        out->refusals.push_back(std::string(file.binary ? "the JSON chunk" : "the file") + " is not valid JSON");
        return false;
    }
    return gltfcheck::Checker(file, doc, *out).Run();
}

} // namespace convert
