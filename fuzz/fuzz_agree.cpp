// The format writer's checks and the engine's loaders accept exactly the same files. The
// first byte picks the kind (scene, animation, texture), the rest is the file. Stops on a
// file that one accepts and the other refuses, and on a file whose decoded description
// does not encode back to it.
#include "FuzzInput.h"
#include "WriterAgreement.h"

#include <cstdio>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto kind = static_cast<agreement::FileKind>(data[0] % 3);
    const std::vector<std::uint8_t> bytes(data + 1, data + size);
    const agreement::Verdicts verdicts = agreement::Judge(kind, bytes, FuzzFile(bytes.data(), bytes.size()));
    if (verdicts.writer != verdicts.loader || (verdicts.decoded && !verdicts.roundTrip)) {
        std::fprintf(stderr, "kind %d: %s\n", static_cast<int>(kind), agreement::Describe(verdicts).c_str());
        __builtin_trap();
    }
    return 0;
}
