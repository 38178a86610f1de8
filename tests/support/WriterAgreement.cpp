#include "WriterAgreement.h"

#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

#include <cstring>
#include <memory>

namespace agreement {

namespace fmt = orvex::format;

namespace {

// Reads the format's fields in order; a field past the end, or a count that is negative or
// whose smallest records cannot fit in what is left, stops the decoding.
class Decoder {
public:
    explicit Decoder(const std::vector<std::uint8_t>& bytes) : bytes(bytes) {}

    bool Ok() const { return ok; }
    std::size_t Used() const { return pos; }

    const std::uint8_t* Take(std::size_t n)
    {
        if (!ok || bytes.size() - pos < n) {
            ok = false;
            return nullptr;
        }
        const std::uint8_t* at = bytes.data() + pos;
        pos += n;
        return at;
    }
    template <typename T>
    T Number()
    {
        T value{};
        if (const std::uint8_t* at = Take(sizeof(T)))
            std::memcpy(&value, at, sizeof(T));
        return value;
    }
    std::string String()
    {
        const std::uint8_t* length = Take(1);
        const std::uint8_t* text = length != nullptr ? Take(*length) : nullptr;
        return text != nullptr ? std::string(reinterpret_cast<const char*>(text), *length) : std::string();
    }
    void Floats(float* out, std::size_t count)
    {
        if (const std::uint8_t* at = Take(count * sizeof(float)))
            std::memcpy(out, at, count * sizeof(float));
    }
    // A count whose records, each at least `smallest` bytes, fit in what is left.
    std::size_t Count(std::size_t smallest)
    {
        const auto count = Number<std::int32_t>();
        if (count < 0 || static_cast<std::uint64_t>(count) * smallest > bytes.size() - pos)
            ok = false;
        return ok ? static_cast<std::size_t>(count) : 0;
    }
    template <typename T>
    void Records(std::vector<T>* out, std::size_t count)
    {
        const std::uint8_t* at = Take(count * sizeof(T));
        if (at != nullptr && count > 0) {
            out->resize(count);
            std::memcpy(out->data(), at, count * sizeof(T));
        }
    }

private:
    const std::vector<std::uint8_t>& bytes;
    std::size_t pos = 0;
    bool ok = true;
};

void Header(Decoder& in, fmt::FileHeader* header)
{
    header->signature = in.String();
    header->version = in.Number<std::int32_t>();
}

// The bytes a TGA loader never reads: colour-map specification (3 to 7) and origin (8 to 11).
bool Ignored(FileKind kind, std::size_t offset)
{
    return kind == FileKind::Texture && offset >= 3 && offset < 12;
}

bool SamePrefix(FileKind kind, const std::vector<std::uint8_t>& encoded, const std::vector<std::uint8_t>& bytes,
                std::size_t used)
{
    if (encoded.size() != used)
        return false;
    for (std::size_t i = 0; i < used; ++i) {
        if (encoded[i] != bytes[i] && !Ignored(kind, i))
            return false;
    }
    return true;
}

std::string Words(const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    refusal.Format(text, sizeof text);
    return text;
}

} // namespace

bool DecodeScene(const std::vector<std::uint8_t>& bytes, fmt::SceneDesc* scene, std::size_t* used)
{
    Decoder in(bytes);
    Header(in, &scene->header);
    for (std::size_t m = in.Count(54); m > 0 && in.Ok(); --m) {
        fmt::MaterialDesc& material = scene->materials.emplace_back();
        material.name = in.String();
        in.Floats(material.ambient.data(), 4);
        in.Floats(material.diffuse.data(), 4);
        in.Floats(material.specular.data(), 4);
        in.Floats(&material.shininess, 1);
        material.texture = in.String();
    }
    for (std::size_t n = in.Count(33); n > 0 && in.Ok(); --n) {
        fmt::NodeDesc& node = scene->nodes.emplace_back();
        node.name = in.String();
        node.parent = in.Number<std::int32_t>();
        in.Floats(&node.position.x, 3);
        in.Floats(&node.rotation.x, 4);
    }
    for (std::size_t s = in.Count(9); s > 0 && in.Ok(); --s) {
        fmt::MeshDesc& mesh = scene->meshes.emplace_back();
        mesh.name = in.String();
        const std::size_t vertices = in.Count(36);
        in.Records(&mesh.vertices, vertices);
        in.Records(&mesh.nodeIndices, vertices);
        for (std::size_t g = in.Count(5); g > 0 && in.Ok(); --g) {
            fmt::GroupDesc& group = mesh.groups.emplace_back();
            group.material = in.String();
            for (std::size_t l = in.Count(4); l > 0 && in.Ok(); --l)
                in.Records(&group.lists.emplace_back().indices, in.Count(4));
        }
    }
    *used = in.Used();
    return in.Ok();
}

bool DecodeAnimation(const std::vector<std::uint8_t>& bytes, fmt::AnimationDesc* animation, std::size_t* used)
{
    Decoder in(bytes);
    Header(in, &animation->header);
    const std::size_t tracks = in.Count(5);
    animation->reserved = in.Number<std::int32_t>();
    animation->frameCount = in.Number<std::uint32_t>();
    for (std::size_t t = tracks; t > 0 && in.Ok(); --t) {
        fmt::TrackDesc& track = animation->tracks.emplace_back();
        track.name = in.String();
        track.parent = in.Number<std::int32_t>();
        in.Records(&track.keys, animation->frameCount);
    }
    *used = in.Used();
    return in.Ok();
}

bool DecodeTga(const std::vector<std::uint8_t>& bytes, fmt::TgaDesc* image, std::size_t* used)
{
    Decoder in(bytes);
    const std::uint8_t* header = in.Take(18);
    if (header == nullptr)
        return false;
    image->colorMapType = header[1];
    image->imageType = header[2];
    image->width = static_cast<std::uint16_t>(header[12] | header[13] << 8);
    image->height = static_cast<std::uint16_t>(header[14] | header[15] << 8);
    image->depth = header[16];
    image->descriptor = header[17];
    if (const std::uint8_t* id = in.Take(header[0]))
        image->id.assign(reinterpret_cast<const char*>(id), header[0]);
    // An image without pixel data has none; any other kind stores width x height pixels of
    // depth / 8 bytes.
    if (image->imageType != 0)
        in.Records(&image->data, std::size_t(image->width) * image->height * (image->depth / 8));
    *used = in.Used();
    return in.Ok();
}

Verdicts Judge(FileKind kind, const std::vector<std::uint8_t>& bytes, const char* path)
{
    Verdicts verdicts;
    std::size_t used = 0;
    std::vector<std::uint8_t> encoded;
    switch (kind) {
    case FileKind::Scene: {
        fmt::SceneDesc scene;
        verdicts.decoded = DecodeScene(bytes, &scene, &used);
        if (verdicts.decoded) {
            verdicts.writerProblem = fmt::CheckScene(scene);
            encoded = fmt::EncodeScene(scene);
        }
        ClearMaterials();
        ClearTextures();
        MeshScene loaded;
        verdicts.loader = loaded.Load(path);
        if (!verdicts.loader)
            verdicts.loaderReason = Words(loaded.GetRefusal());
        loaded.Destroy();
        ClearMaterials();
        ClearTextures();
        break;
    }
    case FileKind::Animation: {
        fmt::AnimationDesc animation;
        verdicts.decoded = DecodeAnimation(bytes, &animation, &used);
        if (verdicts.decoded) {
            verdicts.writerProblem = fmt::CheckAnimation(animation);
            encoded = fmt::EncodeAnimation(animation);
        }
        KeyframeAnimation loaded;
        verdicts.loader = loaded.Load(path);
        if (!verdicts.loader)
            verdicts.loaderReason = Words(loaded.GetRefusal());
        break;
    }
    case FileKind::Texture: {
        fmt::TgaDesc image;
        verdicts.decoded = DecodeTga(bytes, &image, &used);
        if (verdicts.decoded) {
            verdicts.writerProblem = fmt::CheckTga(image);
            encoded = fmt::EncodeTga(image);
        }
        TgaLoader loader;
        std::unique_ptr<Image> loaded(loader.Load(path));
        verdicts.loader = loaded != nullptr;
        if (!verdicts.loader)
            verdicts.loaderReason = Words(loader.GetRefusal());
        break;
    }
    }
    if (!verdicts.decoded)
        verdicts.writerProblem = "the records do not follow the format's layout";
    verdicts.writer = verdicts.decoded && verdicts.writerProblem.empty();
    verdicts.roundTrip = verdicts.decoded && SamePrefix(kind, encoded, bytes, used);
    return verdicts;
}

std::string Describe(const Verdicts& verdicts)
{
    return std::string("writer ") + (verdicts.writer ? "accepts" : "refuses (" + verdicts.writerProblem + ")") +
           ", loader " + (verdicts.loader ? "accepts" : "refuses (" + verdicts.loaderReason + ")") +
           (verdicts.decoded && !verdicts.roundTrip ? ", and the description does not encode back to the file" : "");
}

} // namespace agreement
