// A drop-down palette of 40 named colours with an optional default box and a "Custom Color"
// box that opens the system colour dialog. It reports to its parent window as a control does:
// every notification is sent (not posted) to the parent with the colour as the first parameter
// and 0 as the second.
#pragma once

#include "controls/ColorPopupLayout.h"
#include "controls/ColorPopupTable.h"
#include "framework/ToolTipCtrl.h"
#include "framework/Wnd.h"

#include <functional>
#include <optional>
#include <string>

constexpr uint32_t ColorPopupSelChange = 2025;    // highlight moved; carries the cell's colour
constexpr uint32_t ColorPopupSelEndOk = 2028;     // a colour was chosen
constexpr uint32_t ColorPopupSelEndCancel = 2029; // cancelled; carries the initial colour

class ColorPopup : public fw::Wnd {
    FW_DECLARE_DYNAMIC(ColorPopup)
public:
    // Runs a modal colour dialog starting from `initial`; no value means it was cancelled.
    using ColorDialogRunner = std::function<std::optional<GdiColor>(fw::Wnd* parent, GdiColor initial)>;

    // A popup to be opened later with Create; not embedded.
    ColorPopup();
    // Opens at once with "Select Color" and "Custom Color" for texts that are not given. Not
    // embedded: allocate it with new, it deletes itself when it ends. One that failed to open
    // (IsOpen() false) never ends and stays the caller's to delete.
    ColorPopup(fw::Point screenPoint, GdiColor color, fw::Wnd* parent,
               std::optional<std::string> defaultText = std::nullopt,
               std::optional<std::string> customText = std::nullopt);
    ~ColorPopup() override;

    // Opens the popup at a screen point, owned by parent, and captures the mouse. An empty text
    // removes its box; a text that is not given keeps the current one. Fails without a parent
    // window or while already open.
    bool Create(fw::Point screenPoint, GdiColor color, fw::Wnd* parent,
                std::optional<std::string> defaultText = std::nullopt,
                std::optional<std::string> customText = std::nullopt);

    // An embedded popup is a member of another object and survives its ending; any other
    // deletes itself once it has ended.
    void SetEmbedded(bool embedded) { m_embedded = embedded; }
    bool IsEmbedded() const { return m_embedded; }
    bool IsOpen() const { return IsWindow() && !m_ending; }

    // Replaces the system colour dialog used by the custom box.
    void SetColorDialog(ColorDialogRunner runner);
    static std::optional<GdiColor> RunSystemColorDialog(fw::Wnd* parent, GdiColor initial);

    int Current() const { return m_current; }
    int Chosen() const { return m_chosen; }
    GdiColor Color() const { return m_color; }
    GdiColor InitialColor() const { return m_initialColor; }
    const std::string& DefaultText() const { return m_defaultText; }
    const std::string& CustomText() const { return m_customText; }
    const colorpopup::Geometry& Layout() const { return m_layout; }
    const fw::ToolTipCtrl& ToolTips() const { return m_toolTips; }

    // Window messages.
    void OnPaint(fw::DC& dc) override;
    void OnMouseMove(uint32_t flags, fw::Point point) override;
    void OnLButtonDown(uint32_t flags, fw::Point point) override;
    void OnLButtonUp(uint32_t flags, fw::Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
    void OnKillFocus(fw::Wnd* newFocus) override;
    void OnActivateApp(bool active) override;
    // Closed from outside (the window system): a cancel.
    void OnClose() override;
    void PostNcDestroy() override;

private:
    void Initialise();
    void SizeWindow(fw::Point screenPoint);
    void CreateToolTips();
    void ChangeSelection(int index);
    void EndSelection(uint32_t message);
    void Send(uint32_t message, GdiColor color);
    fw::Rect CellArea(int index) const;
    void DrawCell(fw::DC& dc, int index) const;
    void DrawCustomBox(fw::DC& dc) const;
    void DrawDefaultBox(fw::DC& dc) const;

    bool m_embedded = false;
    colorpopup::Geometry m_layout;
    int m_current = colorpopup::kNoCell;
    int m_chosen = colorpopup::kNoCell;
    std::string m_defaultText;
    std::string m_customText;
    GdiColor m_initialColor = 0;
    GdiColor m_color = 0;
    fw::WndRef<fw::Wnd> m_parent;
    ColorDialogRunner m_colorDialog;
    fw::ToolTipCtrl m_toolTips;
    bool m_ending = false; // set from the start of an ending until the next Create
};
