#include "convert/import/GltfFile.h"

#include "convert/import/ImageDecode.h"

#include <cstring>
#include <filesystem>

namespace convert {

namespace {

constexpr std::uint32_t ChunkJson = 0x4E4F534A; // "JSON"
constexpr std::uint32_t ChunkBin = 0x004E4942;  // "BIN\0"

std::uint32_t U32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

int Base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+' || c == '-')
        return 62;
    if (c == '/' || c == '_')
        return 63;
    return -1;
}

bool DecodeBase64(const char* text, std::size_t length, std::vector<std::uint8_t>* out)
{
    while (length > 0 && text[length - 1] == '=')
        --length;
    if (length % 4 == 1)
        return false;
    out->clear();
    out->reserve(length / 4 * 3 + 2);
    std::uint32_t bits = 0;
    int count = 0;
    for (std::size_t i = 0; i < length; ++i) {
        int v = Base64Value(text[i]);
        if (v < 0)
            return false;
        bits = bits << 6 | static_cast<std::uint32_t>(v);
        if (++count == 4) {
            out->insert(out->end(), {std::uint8_t(bits >> 16), std::uint8_t(bits >> 8), std::uint8_t(bits)});
            bits = 0;
            count = 0;
        }
    }
    if (count == 2)
        out->push_back(std::uint8_t(bits >> 4));
    else if (count == 3)
        out->insert(out->end(), {std::uint8_t(bits >> 10), std::uint8_t(bits >> 2)});
    return true;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(const std::string& uri)
{
    std::string out;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && HexValue(uri[i + 1]) >= 0 && HexValue(uri[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(uri[i + 1]) * 16 + HexValue(uri[i + 2]));
            i += 2;
        } else {
            out += uri[i];
        }
    }
    return out;
}

// "scheme:" before any slash: http:, file:, data: ...
bool HasScheme(const std::string& uri)
{
    std::size_t colon = uri.find(':');
    return colon != std::string::npos && colon > 1 && uri.find('/') > colon;
}

} // namespace

bool SplitGltf(const std::uint8_t* data, std::size_t size, GltfFile* out, std::string* error)
{
    *out = GltfFile{};
    if (size < 4 || std::memcmp(data, "glTF", 4) != 0) {
        out->json.assign(reinterpret_cast<const char*>(data), size);
        return true;
    }
    out->binary = true;
    if (size < 20) {
        *error = "the binary glTF container is shorter than its header";
        return false;
    }
    std::uint32_t version = U32(data + 4), length = U32(data + 8);
    if (version != 2) {
        *error = "the binary glTF container has version " + std::to_string(version) + ", not 2";
        return false;
    }
    if (length > size) {
        *error = "the binary glTF container says it is " + std::to_string(length) + " bytes long, but the file has " +
                 std::to_string(size);
        return false;
    }
    std::size_t at = 12;
    for (int chunk = 0; at < length; ++chunk) {
        if (length - at < 8) {
            *error = "the binary glTF container ends inside a chunk header";
            return false;
        }
        std::uint32_t chunkLength = U32(data + at), type = U32(data + at + 4);
        at += 8;
        if (chunkLength > length - at) {
            *error = "chunk " + std::to_string(chunk) + " of the binary glTF container runs past its end";
            return false;
        }
        if (chunk == 0) {
            if (type != ChunkJson) {
                *error = "the binary glTF container does not start with its JSON chunk";
                return false;
            }
            out->json.assign(reinterpret_cast<const char*>(data + at), chunkLength);
        } else if (chunk == 1 && type == ChunkBin) {
            out->bin.assign(data + at, data + at + chunkLength);
        }
        // Chunks of other types are skipped, as the format asks.
        at += chunkLength;
    }
    if (at == 12) {
        *error = "the binary glTF container has no JSON chunk";
        return false;
    }
    return true;
}

bool ReadGltfUri(const GltfFile& file, const std::string& uri, std::vector<std::uint8_t>* bytes, std::string* why)
{
    if (uri.rfind("data:", 0) == 0) {
        std::size_t comma = uri.find(',');
        if (comma == std::string::npos || comma < 12 || uri.compare(comma - 7, 7, ";base64") != 0) {
            *why = "is a data: URI that is not base64";
            return false;
        }
        if (!DecodeBase64(uri.data() + comma + 1, uri.size() - comma - 1, bytes)) {
            *why = "is a data: URI whose base64 text is broken";
            return false;
        }
        return true;
    }
    if (HasScheme(uri)) {
        *why = "names a resource that is not a file beside the model";
        return false;
    }
    std::filesystem::path path = std::filesystem::path(file.folder) / PercentDecoded(uri);
    std::error_code ec;
    // An input that may not read files is told what the one file in a folder is told.
    if (!file.readsFiles || !std::filesystem::is_regular_file(path, ec) || !ReadFileBytes(path.string(), bytes)) {
        *why = "names the file \"" + path.string() + "\", which cannot be read";
        return false;
    }
    return true;
}

} // namespace convert
