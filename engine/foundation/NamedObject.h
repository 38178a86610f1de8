/// @file
/// Named engine objects and the singly linked chains they form.
///
/// An object owns its name and the whole chain behind it: deleting the head of a chain
/// releases every object in it. Chains are searched by exact, case-sensitive name.
#pragma once

/// Replaces `name` with a fresh copy of `text` (released with delete[]). False, with `name`
/// left as it was, when the text is null or memory ran out. Shared by every class that owns
/// a name, chained or not.
bool ReplaceName(char*& name, const char* text);

/// A named engine object, the head or a link of a chain; it owns its name and the chain behind it.
class NamedObject {
public:
    NamedObject() = default;
    virtual ~NamedObject();

    NamedObject(const NamedObject&) = delete;
    NamedObject& operator=(const NamedObject&) = delete;

    /// Copies the text; false (name left as it was) when the text is null or memory ran out.
    virtual bool SetName(const char* text);
    /// Releases the name and the chain behind this object; safe to run any number of times.
    virtual void Destroy();
    /// The first object from this one onwards whose name equals `text`; objects before
    /// this one are not searched and unnamed objects never match.
    virtual NamedObject* Find(const char* text);
    /// The last object of the chain from this one onwards (this one when nothing follows).
    virtual NamedObject* Last();
    /// Hangs `other` (with everything behind it) after the tail of this chain.
    virtual void Append(NamedObject* other);

    /// The name, or null before SetName.
    const char* GetName() const { return name; }
    /// The next object of the chain, or null.
    NamedObject* GetNext() const { return next; }
    /// Stores the pointer only; whatever was next before is not released.
    void SetNext(NamedObject* other) { next = other; }

protected:
    /// Owned copy of the name (array new), or null.
    char* name = nullptr;
    /// The rest of the chain, owned.
    NamedObject* next = nullptr;
};
