#pragma once
// The application's fixed user-interface resources, looked up by number: strings, menus,
// toolbars, accelerator tables, dialog templates and icons. An application fills the table once
// at start; frames, bars and dialogs build themselves from it.
#include "framework/Image.h"
#include "framework/Types.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fw {

struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    uint32_t id = 0;
    std::string text;            // with '&' mnemonic and an optional "\t" shortcut text
    bool grayed = false;         // shown disabled until an update enables it
    std::vector<MenuItem> items; // popups only

    static MenuItem Command(uint32_t id, std::string text, bool grayed = false);
    static MenuItem Separator();
    static MenuItem Popup(std::string text, std::vector<MenuItem> items);
};

struct MenuResource {
    std::vector<MenuItem> popups; // the drop-downs of the menu bar, in order
};

// Buttons in order; id 0 stands for a separator. One image per button (separators have none),
// drawn at the button size. A toolkit whose desktop has a themed icon of the button's theme name
// (freedesktop naming) may show that instead.
struct ToolBarResource {
    Size buttonSize;
    std::vector<uint32_t> buttons;
    std::function<std::vector<Image>()> images;
    std::vector<std::string> themeNames; // per button with an image, or empty
};

// A key (fw::Key code) with KeyMod modifiers that runs a command.
struct Accelerator {
    uint32_t key = 0;
    uint32_t modifiers = 0;
    uint32_t command = 0;
};

// Control kinds a dialog template can hold.
enum class ControlClass {
    PushButton,
    DefPushButton,
    Text, // static text
    Icon, // static icon; the control's resource id names the icon
    BlackFrame,
    GroupBox,
    Edit,
    ListView,
    TreeView,
    TabControl,
};

// Control and dialog style bits, independent of any platform's values.
namespace CtlStyle {
constexpr uint32_t TabStop = 1u << 0;
constexpr uint32_t Border = 1u << 1;
constexpr uint32_t NoPrefix = 1u << 2;
// edit
constexpr uint32_t Multiline = 1u << 3;
constexpr uint32_t ReadOnly = 1u << 4;
constexpr uint32_t AutoHScroll = 1u << 5;
constexpr uint32_t AutoVScroll = 1u << 6;
// list view
constexpr uint32_t Report = 1u << 7;
constexpr uint32_t SingleSel = 1u << 8;
constexpr uint32_t EditLabels = 1u << 9; // list and tree views
// tree view
constexpr uint32_t HasButtons = 1u << 10;
constexpr uint32_t HasLines = 1u << 11;
constexpr uint32_t LinesAtRoot = 1u << 12;
constexpr uint32_t DisableDragDrop = 1u << 13;
constexpr uint32_t FullRowSelect = 1u << 14;
// tab control
constexpr uint32_t TabsBottom = 1u << 15;
constexpr uint32_t HotTrack = 1u << 16;
constexpr uint32_t RaggedRight = 1u << 17;
constexpr uint32_t ToolTips = 1u << 18;
} // namespace CtlStyle

namespace DlgStyle {
constexpr uint32_t Child = 1u << 0; // lives inside another window, no caption
constexpr uint32_t Popup = 1u << 1; // a window of its own
constexpr uint32_t Caption = 1u << 2;
constexpr uint32_t SysMenu = 1u << 3; // close box
constexpr uint32_t ModalFrame = 1u << 4;
} // namespace DlgStyle

struct ControlTemplate {
    int id = -1; // -1: a static control nobody refers to
    ControlClass cls = ControlClass::Text;
    std::string text;
    Rect rect; // dialog units
    uint32_t style = 0;
    uint32_t resourceId = 0; // icon controls: the icon shown
};

struct DialogTemplate {
    std::string caption;
    Size size; // dialog units
    std::string fontFamily;
    int fontPoints = 8;
    uint32_t style = 0;
    std::vector<ControlTemplate> controls; // in template (creation and tab) order
};

class ResourceTable {
public:
    static ResourceTable& Instance();

    void AddString(uint32_t id, std::string text);
    void AddMenu(uint32_t id, MenuResource menu);
    void AddToolBar(uint32_t id, ToolBarResource toolBar);
    void AddAccelerators(uint32_t id, std::vector<Accelerator> table);
    void AddDialog(uint32_t id, DialogTemplate dialog);
    // An icon drawn at any size in pixels (size x size).
    void AddIcon(uint32_t id, std::function<Image(int size)> draw);
    void RemoveToolBar(uint32_t id);
    void RemoveDialog(uint32_t id);

    std::optional<std::string> String(uint32_t id) const;
    const MenuResource* Menu(uint32_t id) const;
    const ToolBarResource* ToolBar(uint32_t id) const;
    const std::vector<Accelerator>* Accelerators(uint32_t id) const;
    const DialogTemplate* Dialog(uint32_t id) const;
    bool HasIcon(uint32_t id) const;
    // The icon drawn at size x size; a null image when unknown.
    Image Icon(uint32_t id, int size) const;

private:
    std::map<uint32_t, std::string> m_strings;
    std::map<uint32_t, MenuResource> m_menus;
    std::map<uint32_t, ToolBarResource> m_toolBars;
    std::map<uint32_t, std::vector<Accelerator>> m_accelerators;
    std::map<uint32_t, DialogTemplate> m_dialogs;
    std::map<uint32_t, std::function<Image(int)>> m_icons;
};

// Splits "status text\ntooltip" prompts; a prompt without "\n" has no tooltip.
struct Prompt {
    std::string status;
    std::string tip;
};
Prompt SplitPrompt(const std::string& prompt);

// The n-th "\n"-separated field of a string (the document string has seven).
std::string StringField(const std::string& text, int index);

} // namespace fw
