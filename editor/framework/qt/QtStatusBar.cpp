#include "framework/StatusBar.h"

#include "framework/BarStyle.h"
#include "framework/Command.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"

#include <QLabel>

namespace fw {
namespace {

// The update object of one indicator pane.
class PaneCmdUI : public CmdUI {
public:
    PaneCmdUI(uint32_t id, bool on) : CmdUI(id), m_on(on) {}
    void Enable(bool on) override
    {
        CmdUI::Enable(on);
        m_on = on;
    }
    bool On() const { return m_on; }

private:
    bool m_on;
};

} // namespace

StatusBar::StatusBar() = default;

bool StatusBar::Create(FrameWnd* parent, uint32_t style, uint32_t id)
{
    if (parent == nullptr || m_created)
        return false;
    m_created = true;
    m_id = id;
    m_barStyle = style & BarStyle::Mask;
    setObjectName(QStringLiteral("StatusBar%1").arg(id));
    parent->setStatusBar(this);
    if (!(style & WinStyle::Visible))
        hide();
    parent->AddControlBar(id, this);
    return true;
}

bool StatusBar::SetIndicators(const uint32_t* ids, int count)
{
    for (PaneInfo& pane : m_panes) {
        removeWidget(pane.label);
        delete pane.label;
    }
    m_panes.clear();
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        PaneInfo pane;
        pane.id = ids[i];
        pane.label = new QLabel(this);
        pane.label->setTextFormat(Qt::PlainText);
        if (pane.id == ID_SEPARATOR) {
            pane.label->setMinimumWidth(1);
            addWidget(pane.label, 1);
        } else {
            const std::optional<QString> text = ResourceTable::Instance().String(pane.id);
            if (!text)
                ok = false;
            pane.text = text.value_or(QString());
            pane.label->setText(pane.text);
            pane.label->setAlignment(Qt::AlignCenter);
            pane.label->setFrameShape(QFrame::Panel);
            pane.label->setFrameShadow(QFrame::Sunken);
            // Sized for its text whether it shows it or not, so the panes never jump.
            pane.label->setFixedWidth(pane.label->fontMetrics().horizontalAdvance(pane.text) + 12);
            addPermanentWidget(pane.label);
        }
        m_panes.push_back(pane);
    }
    return ok;
}

uint32_t StatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

int StatusBar::CommandToIndex(uint32_t id) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].id == id)
            return i;
    }
    return -1;
}

bool StatusBar::SetPaneText(int index, const QString& text)
{
    if (index < 0 || index >= GetCount())
        return false;
    PaneInfo& pane = m_panes[static_cast<size_t>(index)];
    if (pane.id != ID_SEPARATOR)
        pane.text = text;
    if (pane.on)
        pane.label->setText(text);
    return true;
}

QString StatusBar::GetPaneText(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].label->text() : QString();
}

bool StatusBar::IsPaneOn(int index) const
{
    return index >= 0 && index < GetCount() && m_panes[static_cast<size_t>(index)].on;
}

QLabel* StatusBar::Pane(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].label : nullptr;
}

void StatusBar::SetPaneOn(int index, bool on)
{
    PaneInfo& pane = m_panes[static_cast<size_t>(index)];
    if (pane.on == on)
        return;
    pane.on = on;
    pane.label->setText(on ? pane.text : QString());
}

void StatusBar::UpdatePanes(CmdTarget* target)
{
    for (int i = 0; i < GetCount(); ++i) {
        const PaneInfo& pane = m_panes[static_cast<size_t>(i)];
        if (pane.id == ID_SEPARATOR)
            continue;
        PaneCmdUI ui(pane.id, pane.on);
        ui.DoUpdate(target, false);
        SetPaneOn(i, ui.On());
    }
}

} // namespace fw
