#include "framework/Command.h"

namespace fw {

const RuntimeClass CmdTarget::classInfo{"CmdTarget", nullptr, nullptr};

void CmdUI::Enable(bool on)
{
    m_enabled = on;
    m_enableChanged = true;
}

void CmdUI::SetCheck(int check)
{
    m_check = check;
}

void CmdUI::SetText(const std::string&) {}

void CmdUI::DoUpdate(CmdTarget* target, bool disableIfNoHandler)
{
    m_enableChanged = false;
    m_continueRouting = false;
    if (target == nullptr) {
        if (disableIfNoHandler)
            Enable(false);
        return;
    }
    if (target->OnCmdMsg(m_id, CmdMsg::Update, this))
        return;
    if (disableIfNoHandler && !m_enableChanged)
        Enable(target->OnCmdMsg(m_id, CmdMsg::Probe, nullptr));
}

bool CmdTarget::OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui)
{
    return DispatchOwn(id, msg, ui);
}

bool CmdTarget::DispatchOwn(uint32_t id, CmdMsg msg, CmdUI* ui)
{
    if (msg == CmdMsg::Update) {
        if (ui == nullptr)
            return false;
        for (const UpdateEntry& entry : m_updates) {
            if (id < entry.first || id > entry.last)
                continue;
            ui->m_continueRouting = false;
            entry.handler(*ui);
            if (!ui->m_continueRouting)
                return true;
        }
        return false;
    }
    for (const CommandEntry& entry : m_commands) {
        if (id < entry.first || id > entry.last)
            continue;
        if (msg == CmdMsg::Probe)
            return true;
        if (entry.handler(id))
            return true;
    }
    return false;
}

void CmdTarget::OnCommand(uint32_t id, std::function<void()> handler)
{
    m_commands.push_back({id, id, [h = std::move(handler)](uint32_t) {
                              h();
                              return true;
                          }});
}

void CmdTarget::OnCommandRange(uint32_t first, uint32_t last, std::function<void(uint32_t)> handler)
{
    m_commands.push_back({first, last, [h = std::move(handler)](uint32_t id) {
                              h(id);
                              return true;
                          }});
}

void CmdTarget::OnCommandEx(uint32_t id, std::function<bool(uint32_t)> handler)
{
    m_commands.push_back({id, id, std::move(handler)});
}

void CmdTarget::OnUpdateCommandUI(uint32_t id, std::function<void(CmdUI&)> handler)
{
    m_updates.push_back({id, id, std::move(handler)});
}

void CmdTarget::OnUpdateCommandUIRange(uint32_t first, uint32_t last, std::function<void(CmdUI&)> handler)
{
    m_updates.push_back({first, last, std::move(handler)});
}

} // namespace fw
