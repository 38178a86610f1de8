// glTF through orvex-convert's reader: .glb (or JSON) bytes in memory, the reference
// check, tinygltf, the content model and the baker. No file is read or written.
#include "ImportHarness.h"

#include "convert/import/Import.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    convert::Content content;
    std::string error;
    if (convert::ImportGltfBytes(data, size, &content, &error))
        BakeImported(content);
    return 0;
}
