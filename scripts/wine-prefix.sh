#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in (argument: its folder), once; later calls
# return at once. Needs DISPLAY. The prefix is set up for a display without a window manager:
# windows are left unmanaged (Wine otherwise waits 2 s for a window manager at every
# DestroyWindow) and a crashing program ends instead of opening the debugger's dialog.
set -euo pipefail
prefix=${1:?usage: $0 PREFIX}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX="$prefix" WINEDEBUG=-all

[ -f "$prefix/.orvex-ready" ] && exit 0
# The first start makes the prefix; it reports one harmless line about the 32-bit part
# (syswow64), which this machine does not have.
"$wine" wineboot --init >/dev/null 2>&1 || true
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
touch "$prefix/.orvex-ready"
