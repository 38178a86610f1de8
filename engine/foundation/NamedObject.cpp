#include "orvex/foundation/NamedObject.h"

#include <cstring>
#include <new>

NamedObject::~NamedObject()
{
    NamedObject::Destroy();
}

bool ReplaceName(char*& name, const char* text)
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

bool NamedObject::SetName(const char* text)
{
    return ReplaceName(name, text);
}

void NamedObject::Destroy()
{
    delete[] name;
    name = nullptr;

    // Release the chain one object at a time: a destructor that deleted its successor
    // would recurse once per object, and a file may hold a very long chain.
    NamedObject* rest = next;
    next = nullptr;
    while (rest != nullptr) {
        NamedObject* after = rest->next;
        rest->next = nullptr;
        delete rest;
        rest = after;
    }
}

NamedObject* NamedObject::Find(const char* text)
{
    if (text == nullptr)
        return nullptr;
    for (NamedObject* object = this; object != nullptr; object = object->next) {
        if (object->name != nullptr && std::strcmp(object->name, text) == 0)
            return object;
    }
    return nullptr;
}

NamedObject* NamedObject::Last()
{
    NamedObject* object = this;
    while (object->next != nullptr)
        object = object->next;
    return object;
}

void NamedObject::Append(NamedObject* other)
{
    Last()->next = other;
}
