// Wavefront OBJ through Assimp and orvex-convert's reader, from memory: the text is read
// only as OBJ, and no other file (material library, texture) is opened.
#include "ImportHarness.h"

#include "convert/import/Import.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    convert::Content content;
    std::string error;
    if (convert::ImportAssimpBytes(data, size, "obj", &content, &error))
        BakeImported(content);
    return 0;
}
