#!/usr/bin/env bash
# Gets the Wine prefix of the Windows tests (argument: its folder) ready for a run: makes it
# the first time, then starts its Wine server and services. Needs DISPLAY.
#
# The server stays up until `wineserver -k` (with the same WINEPREFIX): the services Wine
# starts with it (services.exe, rpcss.exe, ...) would otherwise start again with a later test
# program and hold that program's output open, so ctest would wait for them for ever.
# The prefix is set up for a display without a window manager: windows are left unmanaged
# (Wine otherwise waits 2 s for a window manager at every DestroyWindow), and a crashing
# program ends instead of opening the debugger's dialog.
set -euo pipefail
prefix=${1:?usage: $0 PREFIX}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
mkdir -p "$prefix"
export WINEPREFIX=$(cd "$prefix" && pwd) WINEDEBUG=-all

"$wineserver" -p 2>/dev/null || true  # answers 2 when the server is already up
# Caption buttons, check marks and scroll arrows are glyphs of the Marlett font; without it in
# the prefix Wine draws them as letters. Debian's fonts-wine has it.
install_marlett() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}
if [ -f "$WINEPREFIX/.orvex-ready" ]; then
  install_marlett
  "$wine" wineboot >/dev/null 2>&1 || true
  exit 0
fi
# The first start makes the prefix (8 to 40 s); it reports one harmless line about the 32-bit
# part (syswow64), which this machine does not have.
"$wine" wineboot --init >/dev/null 2>&1 || true
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
install_marlett
touch "$WINEPREFIX/.orvex-ready"
