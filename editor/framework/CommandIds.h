#pragma once
// Numeric ids the framework itself knows: standard commands, strings, bar and pane ids.
// Applications use them in their menus, toolbars and string tables.
#include <cstdint>

namespace fw {

// File commands.
constexpr uint32_t ID_FILE_NEW = 57600;
constexpr uint32_t ID_FILE_OPEN = 57601;
constexpr uint32_t ID_FILE_CLOSE = 57602;
constexpr uint32_t ID_FILE_SAVE = 57603;
constexpr uint32_t ID_FILE_SAVE_AS = 57604;
constexpr uint32_t ID_FILE_PRINT = 57607;
constexpr uint32_t ID_FILE_MRU_FILE1 = 57616; // up to 16 recent files: 57616..57631
constexpr uint32_t ID_FILE_MRU_LAST = 57631;

// Edit commands.
constexpr uint32_t ID_EDIT_COPY = 57634;
constexpr uint32_t ID_EDIT_CUT = 57635;
constexpr uint32_t ID_EDIT_PASTE = 57637;
constexpr uint32_t ID_EDIT_UNDO = 57643;

// Application and window commands.
constexpr uint32_t ID_APP_ABOUT = 57664;
constexpr uint32_t ID_APP_EXIT = 57665;
constexpr uint32_t ID_NEXT_PANE = 57680;
constexpr uint32_t ID_PREV_PANE = 57681;

// Bar toggles share their ids with the bars they toggle.
constexpr uint32_t ID_VIEW_TOOLBAR = 59392;
constexpr uint32_t ID_VIEW_STATUS_BAR = 59393;
constexpr uint32_t ID_VIEW_SMALLICON = 59408;
constexpr uint32_t ID_VIEW_LARGEICON = 59409;
constexpr uint32_t ID_VIEW_LIST = 59410;
constexpr uint32_t ID_VIEW_DETAILS = 59411;

// The view's control id in its frame.
constexpr uint32_t IDW_PANE_FIRST = 59648;

// Control ids of the frame's standard bars.
constexpr uint32_t IDW_TOOLBAR = 59392;
constexpr uint32_t IDW_STATUS_BAR = 59393;

// Dock bars that hold docked control bars, one per frame edge, and the one of a floating bar.
constexpr uint32_t IDW_DOCKBAR_TOP = 59419;
constexpr uint32_t IDW_DOCKBAR_LEFT = 59420;
constexpr uint32_t IDW_DOCKBAR_RIGHT = 59421;
constexpr uint32_t IDW_DOCKBAR_BOTTOM = 59422;
constexpr uint32_t IDW_DOCKBAR_FLOAT = 59423;

// Status bar panes.
constexpr uint32_t ID_SEPARATOR = 0; // the stretching message pane
constexpr uint32_t ID_INDICATOR_EXT = 59136;
constexpr uint32_t ID_INDICATOR_CAPS = 59137;
constexpr uint32_t ID_INDICATOR_NUM = 59138;
constexpr uint32_t ID_INDICATOR_SCRL = 59139;
constexpr uint32_t ID_INDICATOR_OVR = 59140;
constexpr uint32_t ID_INDICATOR_REC = 59141;

// Strings the framework looks up.
constexpr uint32_t IDS_APP_TITLE = 57344;
constexpr uint32_t IDS_IDLEMESSAGE = 57345;

// Dialog and message box results, and the standard buttons that produce them. (Named apart from
// the window system's own macros, which have the same values.)
constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;

} // namespace fw
