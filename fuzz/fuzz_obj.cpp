// Wavefront OBJ as orvex-convert reads and bakes it, from memory: the text is read only as
// OBJ, and no other file (material library, texture) is opened. One importer serves every
// input.
#include "ImportHarness.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static fuzzimport::ImportHarness harness(fuzzimport::Format::Obj);
    static const convert::ConvertOptions options = fuzzimport::HarnessOptions();
    convert::ConvertReport report;
    std::string error;
    harness.Run(data, size, options, &report, &error);
    return 0;
}
