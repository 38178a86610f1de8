#pragma once
// Classes made by name: the document template makes its document, frame and view from their
// runtime classes, and an object can say which class it was made as.
//
//     class CMainFrame : public fw::FrameWnd {
//         FW_DECLARE_DYNCREATE(CMainFrame)
//     ...
//     FW_IMPLEMENT_DYNCREATE(CMainFrame, fw::FrameWnd)   // in the .cpp file
//
// The class's name is the text given to the macro, namespace included when one is written.
#include <new>
#include <string_view>

namespace fw {

class CmdTarget;

struct RuntimeClass {
    const char* className;
    const RuntimeClass* base; // null for the root
    CmdTarget* (*create)();   // null for a class that is not made by name

    // A new object of the class, or null when the class cannot be made or memory is out.
    CmdTarget* CreateObject() const { return create != nullptr ? create() : nullptr; }
    bool IsDerivedFrom(const RuntimeClass* other) const
    {
        for (const RuntimeClass* c = this; c != nullptr; c = c->base) {
            if (c == other)
                return true;
        }
        return false;
    }
    std::string_view Name() const { return className; }
};

} // namespace fw

// Every class with a runtime class has a static member classInfo; FW_DECLARE_DYNAMIC gives a
// class its own (not made by name), FW_DECLARE_DYNCREATE one it can be made from.
#define FW_DECLARE_DYNAMIC(Class) \
public: \
    static const ::fw::RuntimeClass classInfo; \
    const ::fw::RuntimeClass* GetRuntimeClass() const override \
    { \
        return &classInfo; \
    }

#define FW_IMPLEMENT_DYNAMIC(Class, Base) const ::fw::RuntimeClass Class::classInfo{#Class, &Base::classInfo, nullptr};

#define FW_DECLARE_DYNCREATE(Class) \
    FW_DECLARE_DYNAMIC(Class) \
    static ::fw::CmdTarget* CreateObject();

#define FW_IMPLEMENT_DYNCREATE(Class, Base) \
    ::fw::CmdTarget* Class::CreateObject() \
    { \
        return new (std::nothrow) Class; \
    } \
    const ::fw::RuntimeClass Class::classInfo{#Class, &Base::classInfo, &Class::CreateObject};

// The runtime class of Class, for the document template.
#define FW_RUNTIME_CLASS(Class) (&Class::classInfo)
