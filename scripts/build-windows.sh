#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 and packs them for a Windows PC.
#   ./scripts/build-windows.sh           build-windows/ (x86_64): Orvex.exe, Quorvan.exe and the
#                                        tools, then build-windows/Orvex-windows-x64.zip
#   ./scripts/build-windows.sh --tests   the same, and the test programs (run under Wine by
#                                        scripts/test.sh)
#   ./scripts/build-windows.sh --i686    build-windows-i686/: the engine and Orvex.exe for 32-bit
#                                        Windows, compiled and linked (no zip, no tests)
# The zip holds Orvex.exe beside the sample scene (2.MES, 2.KNX, texture), so Orvex.exe started
# from its folder plays it; Quorvan.exe, the scene editor; the tools; and a README with the
# sample's credit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

arch=x86_64
build=build-windows
tests=0
for arg in "$@"; do
  case "$arg" in
    --tests) tests=1 ;;
    --i686) arch=i686; build=build-windows-i686 ;;
    *) echo "usage: $0 [--tests | --i686]" >&2; exit 2 ;;
  esac
done

./scripts/deps.sh

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DORVEX_WINDOWS_ARCH="$arch" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$arch" = i686 ]; then
  cmake --build "$build" -j2 --target Orvex
  echo "built $build/bin/Orvex.exe (32-bit)"
  exit 0
fi
programs=(Orvex Quorvan orvex-info orvex-render orvex-convert)
if [ "$tests" = 1 ]; then
  cmake --build "$build" -j2
else
  cmake --build "$build" -j2 --target "${programs[@]}"
fi

# The package: one folder, programs stripped of their symbols.
stage="$build/package/Orvex"
rm -rf "$build/package"
mkdir -p "$stage"
for program in "${programs[@]}"; do
  x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$build/bin/$program.exe"
done
cp samples/2.MES samples/2.KNX samples/*.TGA "$stage/"

# README.txt with Windows line ends; the sample's credit is the one of samples/README.md.
{
  cat <<'TEXT'
Orvex for Windows
=================

Orvex.exe plays the animated sample scene of this folder (2.MES with 2.KNX) full screen at
1024x768, with the OpenGL driver's name and the frame rate in the top-left corner. Start it
from this folder (double-click it). Escape quits. Drag with the left mouse button to turn
the camera (with the left Shift key: roll), with the right button to move it (with the left
Shift key: zoom). It needs an OpenGL driver (OPENGL32.DLL, part of every Windows).

From a command prompt it plays another scene, its textures loaded from beside it:

  Orvex.exe [--window] [--fit] [SCENE.mes [ANIMATION.knx]]

--window plays in an ordinary window, --fit frames a scene of any size. Orvex.exe is a
windowed program, so its text goes to a pipe or file only: "Orvex.exe --help | more" lists
the options.

If it cannot start (no scene files in its folder, no OpenGL), it says why in a message box
and ends with exit status 1. Set the environment variable ORVEX_NO_MESSAGE_BOX=1 to get the
reason on stderr only (for scripts). ORVEX_FRAME_TIMING=1 writes the frame rate and the time
spent in each part of a frame to stderr at the end.

Quorvan.exe is the scene editor: it shows a mesh scene (.mes) in a window of its own, with
its meshes and its node tree in the panel on the left. Start it and open a scene with
File > Open (Ctrl+O), drag a .mes file onto its window, or name one on the command line:

  Quorvan.exe 2.MES

Drag in the view with the left mouse button to turn the scene, with the right button to move
it; the mouse wheel brings it nearer. Tools > Material Editor lists the materials of the
scenes opened so far. View > Left Dialogbar and Info Dialogbar show and hide the two panels;
double-click a panel's gripper to float it in a window of its own, and again to dock it. The
editor only views scenes: it never writes them. It keeps its recent files and its window and
panel layout in the registry under HKEY_CURRENT_USER\Software\Local AppWizard-Generated
Applications\Quorvan. "Quorvan.exe --help | more" lists its options.

The content tools run from a command prompt:

  orvex-convert.exe model.gltf -o out\model    glTF 2.0 (.gltf, .glb) to .mes, .knx and TGA;
                                               this build reads glTF only (no Assimp formats)
  orvex-info.exe 2.MES 2.KNX                   what the files hold; exit 1 for a refused file
  orvex-render.exe 2.MES --anim 2.KNX --time 0.5 --fit -o picture.png
                                               renders a scene to PNG without a window

Each .exe runs on its own: no DLL is needed beside it.

Sample scene
------------
TEXT
  sed -n '/^## Credit/,$p' samples/README.md | tail -n +2
} | sed 's/$/\r/' > "$stage/README.txt"

zip="$build/Orvex-windows-x64.zip"
rm -f "$zip"
(cd "$build/package" && cmake -E tar cf "../Orvex-windows-x64.zip" --format=zip Orvex)
echo "packed $zip:"
(cd "$build/package" && ls -l Orvex)
