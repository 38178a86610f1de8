// What the import harnesses run for one input: orvex-convert's conversion of the bytes as
// the one file in its folder (the same guards, reader, post-processing, clip choice, bake
// and centring), without writing files. What does not depend on the input, the OBJ
// reader's importer with its post-processing steps, is made once and kept for every input.
#pragma once

#include "convert/Convert.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace fuzzimport {

enum class Format { Gltf, Obj };

enum class Outcome {
    Refused,      // the import or the bake said no, as orvex-convert does
    Converted,    // imported and baked
    ImportedOnly, // imported; its clip takes too many keys to bake for every input
};

class ImportHarness {
public:
    explicit ImportHarness(Format format);
    ~ImportHarness();
    ImportHarness(const ImportHarness&) = delete;
    ImportHarness& operator=(const ImportHarness&) = delete;

    // The name orvex-convert would read the bytes under, in a folder of their own.
    const char* FileName() const;

    // `options` as orvex-convert takes them; their input is ignored and nothing is written.
    // The error is what orvex-convert prints without the input's name in front.
    Outcome Run(const std::uint8_t* data, std::size_t size, const convert::ConvertOptions& options,
                convert::ConvertReport* report, std::string* error);

    // A clip of more keys (frames times nodes) runs the same code as a short one, only
    // longer: under the sanitizers an input would take seconds.
    static constexpr double MaxKeys = 1 << 17;

private:
    Format format;
    std::unique_ptr<convert::AssimpBytesReader> assimp;
};

// What the harnesses convert with, as `orvex-convert <input> -o fuzz --center` does.
convert::ConvertOptions HarnessOptions();

} // namespace fuzzimport
