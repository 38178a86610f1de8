#include "controls/ColorTreeCtrl.h"

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(ColorTreeCtrl, fw::TreeCtrl)

ColorTreeCtrl::ColorTreeCtrl() = default;

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

void ColorTreeCtrl::SetItemColorData(fw::TreeItem item, float* rgb)
{
    SetItemData(item, reinterpret_cast<uintptr_t>(rgb));
}

float* ColorTreeCtrl::ItemColorData(fw::TreeItem item) const
{
    return reinterpret_cast<float*>(GetItemData(item));
}

void ColorTreeCtrl::OpenPopup(fw::TreeItem item, fw::Point clientPoint)
{
    m_editItem = item;
    const fw::Point screenPoint = ClientToScreen(clientPoint);
    if (m_popup.IsOpen())
        return;
    m_popup.SetEmbedded(true);
    m_popup.Create(screenPoint, GdiRgb(0, 0, 0), this, std::string(), std::string("Custom Color"));
}

void ColorTreeCtrl::CleanUp()
{
    auto owned = [this](const float* rgb) {
        return std::any_of(m_colorData.begin(), m_colorData.end(),
                           [rgb](const std::unique_ptr<float[]>& block) { return block.get() == rgb; });
    };
    // Every item, depth first.
    std::vector<fw::TreeItem> pending;
    for (fw::TreeItem item = GetRootItem(); item != nullptr; item = GetNextSiblingItem(item))
        pending.push_back(item);
    while (!pending.empty()) {
        const fw::TreeItem item = pending.back();
        pending.pop_back();
        const float* rgb = ItemColorData(item);
        if (rgb != nullptr && owned(rgb))
            SetItemColorData(item, nullptr);
        for (fw::TreeItem child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
            pending.push_back(child);
    }
    m_colorData.clear();
}

intptr_t ColorTreeCtrl::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == ColorPopupSelEndOk) {
        OnSelEndOk(static_cast<GdiColor>(wParam));
        return 0;
    }
    return fw::TreeCtrl::OnMessage(message, wParam, lParam);
}

void ColorTreeCtrl::OnSelEndOk(GdiColor color)
{
    // The item may have gone while the popup was open.
    const fw::TreeItem item = IsItem(m_editItem) ? m_editItem : nullptr;
    if (float* rgb = ItemColorData(item)) {
        rgb[0] = static_cast<float>(GdiRed(color)) / 255.0f;
        rgb[1] = static_cast<float>(GdiGreen(color)) / 255.0f;
        rgb[2] = static_cast<float>(GdiBlue(color)) / 255.0f;
    }
    SetRedraw(true);
    Invalidate();
}
