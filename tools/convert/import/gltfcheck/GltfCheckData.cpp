// Buffers, buffer views, accessors, images and textures: each object's own faults and
// those of what it reads, found once.
#include "convert/import/gltfcheck/GltfCheckParts.h"

#include "convert/import/GltfFile.h"

namespace convert::gltfcheck {

void Checker::CheckBuffers()
{
    const Json& list = List("buffers");
    bufferFaults.resize(list.size());
    bufferLength.assign(list.size(), 0);
    out.buffers.resize(list.size());
    for (std::size_t b = 0; b < list.size(); ++b) {
        const std::string path = ElementPath("buffers", b);
        Faults& f = bufferFaults[b];
        const Json* length = Member(list[b], "byteLength");
        std::optional<std::uint64_t> n = Whole(length);
        if (!n || *n < 1)
            Add(&f, MemberPath(path, "byteLength"), NotA(length, "a length of at least 1 byte"));
        else
            bufferLength[b] = *n;
        std::vector<std::uint8_t>& bytes = out.buffers[b];
        std::string why;
        if (const Json* uri = Member(list[b], "uri")) {
            if (!uri->is_string())
                Add(&f, MemberPath(path, "uri"), NotA(uri, "a URI"));
            else if (!ReadGltfUri(file, uri->get<std::string>(), &bytes, &why))
                Add(&f, MemberPath(path, "uri"), Shown(*uri) + " " + why);
        } else if (file.binary && b == 0 && !file.bin.empty()) {
            bytes = std::move(file.bin);
        } else {
            Add(&f, path,
                !file.binary ? "has no uri"
                : b == 0     ? "has no uri, and the file has no binary chunk"
                             : "has no uri, and only the first buffer can be the binary chunk");
        }
        if (f.empty() && bytes.size() < bufferLength[b])
            Add(&f, path,
                "holds " + Decimal(bytes.size()) + " bytes, fewer than its byteLength " + Decimal(bufferLength[b]));
        if (!f.empty())
            bytes.clear();
    }
}

void Checker::CheckViews()
{
    const Json& list = List("bufferViews");
    std::size_t count = list.size();
    viewFaults.resize(count);
    viewBuffer.assign(count, -1);
    viewOffset.assign(count, 0);
    viewLength.assign(count, 0);
    viewStride.assign(count, 0);
    for (std::size_t v = 0; v < count; ++v) {
        const std::string path = ElementPath("bufferViews", v);
        const Json& o = list[v];
        Faults& f = viewFaults[v];
        const Json* buffer = Member(o, "buffer");
        int b = Resolve(buffer, Count("buffers"));
        if (b < 0)
            Add(&f, MemberPath(path, "buffer"), NotA(buffer, "a buffer"));
        if (const Json* offset = Member(o, "byteOffset")) {
            if (std::optional<std::uint64_t> n = Whole(offset))
                viewOffset[v] = *n;
            else
                Add(&f, MemberPath(path, "byteOffset"), NotA(offset, "a byte offset"));
        }
        const Json* length = Member(o, "byteLength");
        std::optional<std::uint64_t> n = Whole(length);
        if (!n || *n < 1)
            Add(&f, MemberPath(path, "byteLength"), NotA(length, "a length of at least 1 byte"));
        else
            viewLength[v] = *n;
        if (const Json* stride = Member(o, "byteStride")) {
            std::optional<std::uint64_t> s = Whole(stride);
            if (!s || *s < 4 || *s > 252 || *s % 4 != 0)
                Add(&f, MemberPath(path, "byteStride"), NotA(stride, "a stride of 4 to 252 bytes in steps of 4"));
            else
                viewStride[v] = *s;
        }
        viewBuffer[v] = b;
        if (f.empty() && b >= 0 && bufferLength[b] > 0 && viewOffset[v] + viewLength[v] > bufferLength[b])
            Add(&f, path,
                "holds bytes " + Decimal(viewOffset[v]) + " to " + Decimal(viewOffset[v] + viewLength[v]) +
                    ", beyond the " + Decimal(bufferLength[b]) + " bytes of buffers[" + Decimal(b) + "]");
        if (b >= 0)
            f.insert(f.end(), bufferFaults[b].begin(), bufferFaults[b].end());
    }
}

void Checker::CheckAccessors()
{
    const Json& list = List("accessors");
    accessorFaults.resize(list.size());
    accessors.resize(list.size());
    for (std::size_t a = 0; a < list.size(); ++a) {
        const std::string path = ElementPath("accessors", a);
        const Json& o = list[a];
        Faults& f = accessorFaults[a];
        AccessorInfo& info = accessors[a];
        const Json* componentType = Member(o, "componentType");
        std::optional<std::uint64_t> ct = Whole(componentType);
        if (!ct || ComponentSize(*ct) == 0)
            Add(&f, MemberPath(path, "componentType"), NotA(componentType, "a component type"));
        else
            info.componentType = static_cast<int>(*ct);
        const Json* type = Member(o, "type");
        if (!type || !type->is_string() || ComponentCount(type->get<std::string>()) == 0)
            Add(&f, MemberPath(path, "type"), NotA(type, "an accessor type"));
        else
            info.type = type->get<std::string>();
        const Json* count = Member(o, "count");
        std::optional<std::uint64_t> n = Whole(count);
        if (!n || *n < 1)
            Add(&f, MemberPath(path, "count"), NotA(count, "a count of at least 1"));
        else
            info.count = *n;
        if (const Json* normalized = Member(o, "normalized")) {
            if (normalized->is_boolean())
                info.normalized = normalized->get<bool>();
            else
                Add(&f, MemberPath(path, "normalized"), NotA(normalized, "true or false"));
        }
        std::uint64_t offset = 0;
        if (const Json* byteOffset = Member(o, "byteOffset")) {
            if (std::optional<std::uint64_t> off = Whole(byteOffset))
                offset = *off;
            else
                Add(&f, MemberPath(path, "byteOffset"), NotA(byteOffset, "a byte offset"));
        }
        if (const Json* view = Member(o, "bufferView")) {
            info.view = Resolve(view, Count("bufferViews"));
            if (info.view < 0)
                Add(&f, MemberPath(path, "bufferView"), NotA(view, "a buffer view"));
        }
        if (f.empty()) {
            std::uint64_t element = ElementSize(info.type, info.componentType);
            if (info.view >= 0 && viewFaults[info.view].empty()) {
                std::uint64_t stride = viewStride[info.view] ? viewStride[info.view] : element;
                std::uint64_t end = offset + stride * (info.count - 1) + element;
                if (stride < element)
                    Add(&f, path,
                        "its " + Decimal(element) + "-byte elements do not fit the stride " + Decimal(stride) +
                            " of bufferViews[" + Decimal(info.view) + "]");
                else if (end > viewLength[info.view])
                    Add(&f, path,
                        "reads bytes " + Decimal(offset) + " to " + Decimal(end) + " of bufferViews[" +
                            Decimal(info.view) + "], which holds " + Decimal(viewLength[info.view]));
            } else if (info.view < 0 && info.count > MaxUnstoredCount) {
                Add(&f, MemberPath(path, "count"),
                    Decimal(info.count) + " elements without a buffer view are more than the converter makes (" +
                        Decimal(MaxUnstoredCount) + ")");
            }
            if (const Json* sparse = Member(o, "sparse"))
                CheckSparse(static_cast<int>(a), *sparse, MemberPath(path, "sparse"));
        }
        if (info.view >= 0)
            f.insert(f.end(), viewFaults[info.view].begin(), viewFaults[info.view].end());
    }
}

void Checker::CheckSparse(int a, const Json& sparse, const std::string& path)
{
    Faults& f = accessorFaults[a];
    const AccessorInfo& info = accessors[a];
    const Json* count = Member(sparse, "count");
    std::optional<std::uint64_t> n = Whole(count);
    if (!n || *n < 1 || *n > info.count) {
        Add(&f, MemberPath(path, "count"), NotA(count, "a count from 1 to the accessor's " + Decimal(info.count)));
        return;
    }
    for (const char* part : {"indices", "values"}) {
        const std::string partPath = MemberPath(path, part);
        const Json* o = Member(sparse, part);
        if (!o || !o->is_object()) {
            Add(&f, partPath, NotA(o, "an object"));
            continue;
        }
        const Json* view = Member(*o, "bufferView");
        int v = Resolve(view, Count("bufferViews"));
        if (v < 0) {
            Add(&f, MemberPath(partPath, "bufferView"), NotA(view, "a buffer view"));
            continue;
        }
        std::uint64_t offset = 0;
        if (const Json* byteOffset = Member(*o, "byteOffset")) {
            std::optional<std::uint64_t> off = Whole(byteOffset);
            if (!off) {
                Add(&f, MemberPath(partPath, "byteOffset"), NotA(byteOffset, "a byte offset"));
                continue;
            }
            offset = *off;
        }
        std::uint64_t size = ElementSize(info.type, info.componentType);
        if (part == std::string("indices")) {
            const Json* type = Member(*o, "componentType");
            std::optional<std::uint64_t> ct = Whole(type);
            if (!ct || (*ct != 5121 && *ct != 5123 && *ct != 5125)) {
                Add(&f, MemberPath(partPath, "componentType"), NotA(type, "an index component type"));
                continue;
            }
            size = static_cast<std::uint64_t>(ComponentSize(*ct));
        }
        if (viewFaults[v].empty() && offset + *n * size > viewLength[v])
            Add(&f, partPath,
                "reads bytes " + Decimal(offset) + " to " + Decimal(offset + *n * size) + " of bufferViews[" +
                    Decimal(v) + "], which holds " + Decimal(viewLength[v]));
        f.insert(f.end(), viewFaults[v].begin(), viewFaults[v].end());
    }
}

void Checker::CheckImages()
{
    const Json& list = List("images");
    imageFaults.resize(list.size());
    out.images.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string path = ElementPath("images", i);
        Faults& f = imageFaults[i];
        const Json* uri = Member(list[i], "uri");
        const Json* view = Member(list[i], "bufferView");
        std::vector<std::uint8_t>& bytes = out.images[i].bytes;
        if (const Json* name = Member(list[i], "name"); name && name->is_string())
            out.images[i].name = name->get<std::string>();
        if (uri && uri->is_string() && uri->get<std::string>().rfind("data:", 0) != 0)
            out.images[i].uri = uri->get<std::string>();
        if (uri && view) {
            Add(&f, path, "has both a uri and a bufferView");
        } else if (!uri && !view) {
            Add(&f, path, "has neither a uri nor a bufferView");
        } else if (view) {
            int v = Resolve(view, Count("bufferViews"));
            if (v < 0) {
                Add(&f, MemberPath(path, "bufferView"), NotA(view, "a buffer view"));
            } else {
                f = viewFaults[v];
                if (f.empty()) {
                    const std::uint8_t* start = out.buffers[viewBuffer[v]].data() + viewOffset[v];
                    bytes.assign(start, start + viewLength[v]);
                }
            }
        } else {
            std::string why;
            if (!uri->is_string())
                Add(&f, MemberPath(path, "uri"), NotA(uri, "a URI"));
            else if (!ReadGltfUri(file, uri->get<std::string>(), &bytes, &why))
                Add(&f, MemberPath(path, "uri"), Shown(*uri) + " " + why);
            else if (bytes.empty())
                Add(&f, MemberPath(path, "uri"), Shown(*uri) + " holds no bytes");
        }
        if (!f.empty())
            bytes.clear();
    }
}

void Checker::CheckTextures()
{
    const Json& list = List("textures");
    textureFaults.resize(list.size());
    textureImage.assign(list.size(), -1);
    for (std::size_t t = 0; t < list.size(); ++t) {
        const std::string path = ElementPath("textures", t);
        Faults& f = textureFaults[t];
        const Json* source = Member(list[t], "source");
        int image = Resolve(source, Count("images"));
        if (!source)
            Add(&f, path, "has no source image the converter can read");
        else if (image < 0)
            Add(&f, MemberPath(path, "source"), NotA(source, "an image"));
        else
            f.insert(f.end(), imageFaults[image].begin(), imageFaults[image].end());
        textureImage[t] = image;
        const Json* sampler = Member(list[t], "sampler");
        if (sampler && Resolve(sampler, Count("samplers")) < 0)
            Tell(Outcome::Ignore, -1, MemberPath(path, "sampler"), NotA(sampler, "a sampler"),
                 "ignored: the engine samples every texture the same way");
    }
}

} // namespace convert::gltfcheck
