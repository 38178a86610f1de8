// Materials and their textures. The engine draws with colour material on the front
// diffuse (the current colour, white, replaces a material's diffuse colour) and a
// material without a texture draws with whatever texture is bound, so every material
// gets a texture that carries its diffuse colour.
#include "convert/bake/BakeParts.h"

#include "convert/Names.h"
#include "convert/import/ImageDecode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace convert {

namespace {

// Side of the texture made for a material without one.
constexpr int ColorTextureSize = 4;

std::uint8_t ToByte(float v)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

bool IsWhite(const Color& c)
{
    return c.r == 1 && c.g == 1 && c.b == 1 && c.a == 1;
}

// RGBA rows to the texture's pixels: 24-bit unless some pixel is not opaque.
void SetPixels(orvex::format::TextureDesc* texture, int width, int height, const std::vector<std::uint8_t>& rgba)
{
    texture->width = width;
    texture->height = height;
    bool opaque = true;
    for (std::size_t i = 3; i < rgba.size(); i += 4)
        if (rgba[i] != 255) {
            opaque = false;
            break;
        }
    texture->channels = opaque ? 3 : 4;
    if (!opaque) {
        texture->pixels = rgba;
        return;
    }
    texture->pixels.resize(rgba.size() / 4 * 3);
    for (std::size_t p = 0, q = 0; p < rgba.size(); p += 4, q += 3) {
        texture->pixels[q] = rgba[p];
        texture->pixels[q + 1] = rgba[p + 1];
        texture->pixels[q + 2] = rgba[p + 2];
    }
}

std::string Prefixed(const std::string& prefix, const std::string& name)
{
    return prefix.empty() ? name : prefix + "_" + name;
}

} // namespace

std::vector<std::string> BakeMaterials(const Content& content, const std::vector<int>& usedMaterials,
                                       const BakeOptions& options, BakedScene* out)
{
    std::set<std::string> materialNames, textureNames;
    // The same picture with the same colour is written once.
    std::map<std::tuple<int, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t>, std::string> textureOf;
    std::map<int, Pixels> decoded;
    std::map<int, bool> undecodable;
    std::vector<std::string> names;

    for (int index : usedMaterials) {
        Material source;
        if (index >= 0)
            source = content.materials[index];
        else
            source.name = "default";
        orvex::format::MaterialDesc material;
        material.name = FitName(source.name, "material_" + std::to_string(index), MaxNameBytes, &materialNames);
        const EngineColors engine =
            source.engine.value_or(EngineColors{source.ambient, source.diffuse, source.specular, source.shininess});
        const Color* colors[3] = {&engine.ambient, &engine.diffuse, &engine.specular};
        std::array<float, 4>* targets[3] = {&material.ambient, &material.diffuse, &material.specular};
        for (int c = 0; c < 3; ++c)
            *targets[c] = {colors[c]->r, colors[c]->g, colors[c]->b, colors[c]->a};
        material.shininess = std::isfinite(engine.shininess) ? std::clamp(engine.shininess, 0.0f, 128.0f) : 0.0f;

        int image = source.image >= 0 && source.image < static_cast<int>(content.images.size()) ? source.image : -1;
        if (image >= 0 && !decoded.count(image) && !undecodable.count(image)) {
            Pixels pixels;
            std::string reason;
            if (DecodeImage(content.images[image], &pixels, &reason)) {
                decoded[image] = std::move(pixels);
            } else {
                undecodable[image] = true;
                out->warnings.push_back("texture '" + content.images[image].origin + "' cannot be decoded (" + reason +
                                        "); its materials get their diffuse colour instead");
            }
        }
        if (image >= 0 && !decoded.count(image))
            image = -1;

        const Color& d = source.diffuse;
        auto key = std::make_tuple(image, ToByte(d.r), ToByte(d.g), ToByte(d.b), ToByte(d.a));
        auto found = textureOf.find(key);
        if (found != textureOf.end()) {
            material.texture = found->second;
        } else {
            orvex::format::TextureDesc texture;
            std::vector<std::uint8_t> rgba;
            int width, height;
            std::string base;
            if (image >= 0) {
                const Pixels& pixels = decoded[image];
                width = pixels.width;
                height = pixels.height;
                rgba = pixels.rgba;
                if (!IsWhite(d)) {
                    const float factor[4] = {d.r, d.g, d.b, d.a};
                    for (std::size_t p = 0; p < rgba.size(); ++p)
                        rgba[p] = ToByte(rgba[p] / 255.0f * factor[p % 4]);
                }
                // A picture without a name of its own (embedded in a binary file) is named
                // after its material.
                base = content.images[image].name.empty() ? material.name : content.images[image].name;
            } else {
                width = height = ColorTextureSize;
                for (int p = 0; p < width * height; ++p)
                    rgba.insert(rgba.end(), {ToByte(d.r), ToByte(d.g), ToByte(d.b), ToByte(d.a)});
                base = material.name + "_color";
            }
            SetPixels(&texture, width, height, rgba);
            texture.name =
                FitName(FileSafe(Prefixed(options.texturePrefix, base)), "texture", MaxTextureNameBytes, &textureNames);
            material.texture = texture.name;
            textureOf[key] = texture.name;
            out->files.textures.push_back(std::move(texture));
        }
        names.push_back(material.name);
        out->files.scene.materials.push_back(std::move(material));
    }
    return names;
}

} // namespace convert
