// A tree whose items carry an RGB colour as three floats (0 to 1) and that edits it with an
// embedded ColorPopup.
#pragma once

#include "controls/ColorPopup.h"
#include "framework/TreeCtrl.h"

#include <memory>
#include <vector>

class ColorTreeCtrl : public fw::TreeCtrl {
    FW_DECLARE_DYNAMIC(ColorTreeCtrl)
public:
    ColorTreeCtrl();
    ~ColorTreeCtrl() override;

    // Three floats owned by the tree until CleanUp, for items that have no storage elsewhere.
    float* NewColorData(float red, float green, float blue);
    // The item's data is the address of its three floats (red, green, blue).
    void SetItemColorData(fw::TreeItem item, float* rgb);
    float* ItemColorData(fw::TreeItem item) const;

    // Opens the colour popup for `item` at a client point of the tree; while the popup is open
    // already it only changes the item the choice goes to.
    void OpenPopup(fw::TreeItem item, fw::Point clientPoint);

    // Frees every colour block the tree owns; items that pointed at them lose their colour.
    void CleanUp();

    ColorPopup& Popup() { return m_popup; }

    // The popup's notifications: a chosen colour goes into the item's floats.
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

private:
    void OnSelEndOk(GdiColor color);

    std::vector<std::unique_ptr<float[]>> m_colorData;
    fw::TreeItem m_editItem = nullptr;
    ColorPopup m_popup;
};
