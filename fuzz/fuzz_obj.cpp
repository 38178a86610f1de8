// Wavefront OBJ as orvex-convert reads and bakes it, from memory: the text is read only as
// OBJ, and no other file (material library, texture) is opened. One importer serves every
// input.
#include "ImportHarness.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// A crash inside Assimp can break the stack so badly that no crash handler gets to save the
// input; with ORVEX_FUZZ_LAST_INPUT set, each input is written to that file before it runs.
void KeepAsLastInput(const std::uint8_t* data, std::size_t size)
{
    static const char* path = std::getenv("ORVEX_FUZZ_LAST_INPUT");
    if (path == nullptr)
        return;
    if (std::FILE* file = std::fopen(path, "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static fuzzimport::ImportHarness harness(fuzzimport::Format::Obj);
    static const convert::ConvertOptions options = fuzzimport::HarnessOptions();
    KeepAsLastInput(data, size);
    convert::ConvertReport report;
    std::string error;
    harness.Run(data, size, options, &report, &error);
    return 0;
}
