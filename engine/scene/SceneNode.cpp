#include "scene/SceneElements.h"

#include <cstring>
#include <new>

SceneNode::~SceneNode()
{
    SceneNode::Destroy();
}

bool SceneNode::SetName(const char* text)
{
    return ReplaceName(name, text);
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
