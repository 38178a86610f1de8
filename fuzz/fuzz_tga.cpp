// TGA files through TgaLoader::Load, and the decoded image through a texture upload
// against the no-op GL table. A refused file must come with its reason.
#include "FuzzInput.h"

#include "orvex/texture/Texture.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TgaLoader loader;
    Image* image = loader.Load(FuzzFile(data, size));
    if (image == nullptr)
        CheckRefusal(loader.GetRefusal(), size);
    if (image != nullptr) {
        Texture texture;
        texture.SetName("fuzz");
        texture.Upload(image);
        delete image;
    }
    return 0;
}
