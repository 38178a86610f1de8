#pragma once
// Resource, command and control ids of the editor.
#include <cstdint>

// Main menu, toolbar, accelerator table, application icon and document string.
constexpr uint32_t IDR_MAINFRAME = 128;

constexpr uint32_t IDD_ABOUTBOX = 100;
constexpr uint32_t IDD_LEFTDIALOGBAR = 103;
constexpr uint32_t IDD_MATERIALEDITOR = 130;
constexpr uint32_t IDD_INFODIALOGBAR = 131;
constexpr uint32_t IDI_TREEITEM = 133;

// View toggles carry the control ids of the bars they show and hide.
constexpr uint32_t ID_VIEW_LEFTDIALOGBAR = 32771;
constexpr uint32_t ID_TOOLS_MATERIALEDITOR = 32772;
constexpr uint32_t ID_VIEW_INFODIALOGBAR = 32773;
constexpr uint32_t ID_VIEW_FITSCENE = 32774;

constexpr int IDC_MATERIALTREE = 1000;
constexpr int IDC_PAGETABS = 1004;
constexpr int IDC_NODETREE = 1006;
constexpr int IDC_KEYFRAMELIST = 1007;
constexpr int IDC_MESHLIST = 1008;
constexpr int IDC_INFOTEXT = 1009;

// Version information of the program.
constexpr const char* kFileVersion = "1.0.0.1";
constexpr const char* kProductVersion = "1.0.0.1";
constexpr const char* kFileDescription = "Quorvan MFC Application";
constexpr const char* kProductName = "Quorvan Application";
constexpr const char* kInternalName = "Quorvan";

// Fills the framework's resource table with the editor's menus, strings, toolbar,
// accelerators, dialog templates and icons. Safe to call again.
void RegisterQuorvanResources();
