// Builds without Assimp (Windows: no Assimp for the cross compiler): glTF only. Every other
// format is refused with a message that names what this build reads.
#include "convert/import/Import.h"

#include <filesystem>

namespace convert {

const char* FormatsRead()
{
    return "glTF 2.0: .gltf and .glb only; this build has no Assimp for\nother formats";
}

bool ImportAssimp(const std::string& path, Content*, std::string* error)
{
    std::string extension = std::filesystem::path(path).extension().string();
    if (extension.empty())
        extension = "(no extension)";
    *error = "cannot read " + extension +
             " files: this build of orvex-convert reads glTF 2.0 (.gltf, .glb) only; other formats need "
             "Assimp, which this build does not have (the Linux build reads FBX, COLLADA, OBJ and more)";
    return false;
}

bool ImportAssimpBytes(const std::uint8_t*, std::size_t, const std::string& hint, Content*, std::string* error)
{
    *error = "cannot read " + hint + " text: this build of orvex-convert has no Assimp";
    return false;
}

struct AssimpBytesReader::State {
    std::string hint;
};

AssimpBytesReader::AssimpBytesReader(const std::string& hint) : state(std::make_unique<State>())
{
    state->hint = hint;
}

AssimpBytesReader::~AssimpBytesReader() = default;

bool AssimpBytesReader::Read(const std::uint8_t* data, std::size_t size, Content* content, std::string* error)
{
    return ImportAssimpBytes(data, size, state->hint, content, error);
}

} // namespace convert
