#include "scene/SceneElements.h"

#include <cstring>
#include <new>

SceneNode::~SceneNode()
{
    SceneNode::Destroy();
}

bool SceneNode::SetName(const char* text)
{
    if (text == nullptr)
        return false;
    const std::size_t length = std::strlen(text);
    char* copy = new (std::nothrow) char[length + 1];
    if (copy == nullptr)
        return false;
    std::memcpy(copy, text, length + 1);
    delete[] name;
    name = copy;
    return true;
}

void SceneNode::Destroy()
{
    delete[] name;
    name = nullptr;
}

bool SceneNode::Load(FileStream& stream)
{
    char text[80];
    if (stream.ReadString(text, sizeof text) < 0 || !SetName(text))
        return false;
    return stream.ReadExact(&parent, sizeof parent, 1) && stream.ReadExact(&position, sizeof position, 1) &&
           stream.ReadExact(&rotation, sizeof rotation, 1);
}
