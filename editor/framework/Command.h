#pragma once
// Command routing: targets with handler tables, and the update objects that enable, check and
// relabel a command's user-interface elements. A command that no target claims is disabled.
#include "framework/RuntimeClass.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fw {

class CmdTarget;

// What a route is asked to do with a command id.
enum class CmdMsg {
    Execute, // run the handler
    Probe,   // only say whether a handler exists
    Update,  // run the update handler with a CmdUI
};

// One user-interface element of a command (menu item, toolbar button, status pane) during an
// update pass. Subclasses apply the state to their element.
class CmdUI {
public:
    explicit CmdUI(uint32_t id) : m_id(id) {}
    virtual ~CmdUI() = default;

    uint32_t Id() const { return m_id; }

    virtual void Enable(bool on = true);
    virtual void SetCheck(int check = 1); // 0 unchecked, 1 checked
    virtual void SetText(const std::string& text);
    // Menu items only (others ignore it): one item per text, with ids counting up from this
    // one's, shown in place of this one; with no texts this item shows again with its own text
    // from the menu resource.
    virtual bool IsMenuItem() const { return false; }
    virtual void SetMenuItems(const std::vector<std::string>& texts) { (void)texts; }

    // An update handler that cannot decide passes the command on to the next target.
    void ContinueRouting() { m_continueRouting = true; }
    bool RoutingContinued() const { return m_continueRouting; }

    // Routes the update through target. With no update handler, the element is enabled when
    // some target handles the command and, if disableIfNoHandler, disabled otherwise.
    void DoUpdate(CmdTarget* target, bool disableIfNoHandler);

    bool IsEnabled() const { return m_enabled; }
    int Check() const { return m_check; }

private:
    friend class CmdTarget;
    uint32_t m_id;
    bool m_enableChanged = false;
    bool m_continueRouting = false;
    bool m_enabled = true;
    int m_check = 0;
};

// Anything that can handle commands: application, frame, view, document.
class CmdTarget {
public:
    virtual ~CmdTarget() = default;

    // The class the object was made as; classes made by name (document, frame, view) declare
    // theirs with FW_DECLARE_DYNCREATE.
    virtual const RuntimeClass* GetRuntimeClass() const { return &classInfo; }
    bool IsKindOf(const RuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
    static const RuntimeClass classInfo;

    // Routes one message for id; true when a handler here (or further down the route) took it.
    virtual bool OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui);

protected:
    // Handler registration, the code form of a message map.
    void OnCommand(uint32_t id, std::function<void()> handler);
    void OnCommandRange(uint32_t first, uint32_t last, std::function<void(uint32_t)> handler);
    // A handler that may decline (returns false), so routing goes on.
    void OnCommandEx(uint32_t id, std::function<bool(uint32_t)> handler);
    void OnUpdateCommandUI(uint32_t id, std::function<void(CmdUI&)> handler);
    void OnUpdateCommandUIRange(uint32_t first, uint32_t last, std::function<void(CmdUI&)> handler);

    // Handles id from this target's own table only.
    bool DispatchOwn(uint32_t id, CmdMsg msg, CmdUI* ui);

private:
    struct CommandEntry {
        uint32_t first, last;
        std::function<bool(uint32_t)> handler;
    };
    struct UpdateEntry {
        uint32_t first, last;
        std::function<void(CmdUI&)> handler;
    };
    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};

} // namespace fw
