#include "orvex/scene/SceneElements.h"

#include "orvex/foundation/FileRules.h"

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
    char text[FileRules::kMaxNameLength + 1];
    if (!stream.ReadName(text, sizeof text, "name"))
        return false;
    if (!SetName(text))
        return stream.Refuse(0, "not enough memory for the name");
    if (!stream.ReadExact(&parent, sizeof parent, 1) || !stream.ReadExact(&position, sizeof position, 1) ||
        !stream.ReadExact(&rotation, sizeof rotation, 1))
        return stream.Refuse(0, "the file ends inside the record");
    return true;
}
