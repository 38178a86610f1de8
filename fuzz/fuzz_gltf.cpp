// glTF as orvex-convert reads and bakes it: .glb (or JSON) bytes in memory, the reference
// check, tinygltf, the content model and the baker. No file is read or written.
#include "ImportHarness.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static fuzzimport::ImportHarness harness(fuzzimport::Format::Gltf);
    static const convert::ConvertOptions options = fuzzimport::HarnessOptions();
    convert::ConvertReport report;
    std::string error;
    harness.Run(data, size, options, &report, &error);
    return 0;
}
