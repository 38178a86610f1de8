#pragma once
// The Win32 headers of the framework's Win32 implementation: <windows.h> as the engine's
// backend includes it (no A/W renames of CreateFont, DrawText, TextOut, MessageBox; no min and
// max), then the common controls, the common dialogs and the shell's file drops (not
// <windowsx.h>: its macros rename the framework's SelectFont and others). Files of this folder
// include this, never <windows.h>.
#include "orvex/win32/Win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

// Signed coordinates of mouse messages (as <windowsx.h> has them).
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif
