#include "controls/ColorTreeCtrl.h"

#include <QTreeWidgetItemIterator>

#include <algorithm>

ColorTreeCtrl::ColorTreeCtrl(QWidget* parent) : QTreeWidget(parent) {}

ColorTreeCtrl::~ColorTreeCtrl() = default;

float* ColorTreeCtrl::NewColorData(float red, float green, float blue)
{
    auto rgb = std::make_unique<float[]>(3);
    rgb[0] = red;
    rgb[1] = green;
    rgb[2] = blue;
    m_colorData.push_back(std::move(rgb));
    return m_colorData.back().get();
}

void ColorTreeCtrl::SetItemColorData(QTreeWidgetItem* item, float* rgb)
{
    if (item != nullptr)
        item->setData(0, ColorDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(rgb)));
}

float* ColorTreeCtrl::ItemColorData(const QTreeWidgetItem* item)
{
    if (item == nullptr)
        return nullptr;
    return reinterpret_cast<float*>(item->data(0, ColorDataRole).value<quintptr>());
}

void ColorTreeCtrl::OpenPopup(QTreeWidgetItem* item, QPoint clientPoint)
{
    m_editItem = item != nullptr ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
    const QPoint screenPoint = viewport()->mapToGlobal(clientPoint);
    if (m_popup.IsOpen())
        return;
    m_popup.SetEmbedded(true);
    m_popup.Create(screenPoint, GdiRgb(0, 0, 0), this, QString(), QStringLiteral("Custom Color"));
}

void ColorTreeCtrl::CleanUp()
{
    auto owned = [this](const float* rgb) {
        return std::any_of(m_colorData.begin(), m_colorData.end(),
                           [rgb](const std::unique_ptr<float[]>& block) { return block.get() == rgb; });
    };
    for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
        const float* rgb = ItemColorData(*it);
        if (rgb != nullptr && owned(rgb))
            SetItemColorData(*it, nullptr);
    }
    m_colorData.clear();
}

void ColorTreeCtrl::customEvent(QEvent* e)
{
    if (e->type() != ColorPopupEvent::EventType()) {
        QTreeWidget::customEvent(e);
        return;
    }
    const auto* note = static_cast<ColorPopupEvent*>(e);
    if (note->Message() == ColorPopupSelEndOk)
        OnSelEndOk(note->Color());
}

void ColorTreeCtrl::OnSelEndOk(GdiColor color)
{
    QTreeWidgetItem* item = m_editItem.isValid() ? itemFromIndex(m_editItem) : nullptr;
    if (float* rgb = ItemColorData(item)) {
        rgb[0] = static_cast<float>(GdiRed(color)) / 255.0f;
        rgb[1] = static_cast<float>(GdiGreen(color)) / 255.0f;
        rgb[2] = static_cast<float>(GdiBlue(color)) / 255.0f;
    }
    setUpdatesEnabled(true);
    viewport()->update();
}
