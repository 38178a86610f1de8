#include "orvex/texture/Texture.h"

#include "orvex/foundation/FileRules.h"
#include "orvex/render/GlApi.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

Texture* registryHead = nullptr;
std::int32_t registryCount = 0;

constexpr std::size_t kMaxTextureName = FileRules::kMaxTextureNameLength; // "%s.TGA" must fit 80 bytes

} // namespace

Texture::~Texture()
{
    Texture::Destroy();
}

bool Texture::SetName(const char* text)
{
    if (!NamedObject::SetName(text))
        return false;
    if (textureId != 0)
        return true; // the GL object exists already; a texture is named once
    gl.glGenTextures(1, &textureId);
    gl.glBindTexture(GL_TEXTURE_2D, textureId);
    gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_REPEAT));
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_REPEAT));
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_LINEAR));
    return true;
}

void Texture::Destroy()
{
    if (textureId != 0) {
        gl.glDeleteTextures(1, &textureId);
        textureId = 0;
    }
    NamedObject::Destroy();
}

void Texture::Bind()
{
    gl.glBindTexture(GL_TEXTURE_2D, textureId);
    gl.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_MODULATE));
}

bool Texture::Upload(const Image* image)
{
    static const GLenum glFormats[] = {GL_ALPHA, GL_COLOR_INDEX, GL_RGB, GL_RGBA};
    if (image == nullptr || image->GetPixels() == nullptr)
        return false;
    const std::int32_t format = image->GetFormat();
    if (format < 0 || format > 3)
        return false;
    const GLenum glFormat = glFormats[format];
    gl.glBindTexture(GL_TEXTURE_2D, textureId);
    gl.glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(glFormat), image->GetWidth(), image->GetHeight(), 0, glFormat,
                    GL_UNSIGNED_BYTE, image->GetPixels());
    return true;
}

Texture* FindOrLoadTexture(const char* name)
{
    if (name == nullptr || std::strlen(name) > kMaxTextureName)
        return nullptr;

    NamedObject* object = registryHead;
    for (std::int32_t i = 0; i < registryCount && object != nullptr; ++i, object = object->GetNext()) {
        if (object->GetName() != nullptr && std::strcmp(object->GetName(), name) == 0)
            return static_cast<Texture*>(object);
    }

    Texture* texture = new (std::nothrow) Texture;
    if (texture == nullptr)
        return nullptr;
    if (!texture->SetName(name)) {
        delete texture;
        return nullptr;
    }

    char fileName[80];
    std::snprintf(fileName, sizeof fileName, "%s.TGA", name);
    TgaLoader loader;
    Image* image = loader.Load(fileName);
    if (image == nullptr) {
        delete texture; // also deletes its GL object: nothing of a refused file stays behind
        return nullptr;
    }
    const bool uploaded = texture->Upload(image);
    delete image;
    if (!uploaded) {
        delete texture;
        return nullptr;
    }

    if (registryHead == nullptr)
        registryHead = texture;
    else
        registryHead->Append(texture);
    ++registryCount;
    return texture;
}

Texture* GetTextures()
{
    return registryHead;
}

std::int32_t GetTextureCount()
{
    return registryCount;
}

void ClearTextures()
{
    delete registryHead;
    registryHead = nullptr;
    registryCount = 0;
}
