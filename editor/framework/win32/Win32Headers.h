#pragma once
// The Win32 headers of the framework's Win32 implementation: <windows.h> as the engine's
// backend includes it (no A/W renames of CreateFont, DrawText, TextOut, MessageBox; no min and
// max), then the common controls, the common dialogs and the shell's file drops. Files of this
// folder include this, never <windows.h>.
#include "orvex/win32/Win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

// <windowsx.h> and <commctrl.h> bring a few more renames of their own.
#undef SubclassWindow
