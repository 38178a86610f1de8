#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only the missing ones.
# Quiet when everything is already there; apt-get update runs only before an install.
set -euo pipefail

packages=(
  g++ cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev qt6-base-dev libqt6opengl6-dev libxcb1-dev
  libgl1-mesa-dev libgl1-mesa-dri libegl-dev libgl-dev
  libfreetype-dev libfontconfig-dev fonts-comic-neue fonts-nanum
  libassimp-dev libtinygltf-dev nlohmann-json3-dev libstb-dev
  xvfb xauth imagemagick xdotool
  desktop-file-utils shared-mime-info xdg-utils libglib2.0-bin dpkg-dev file man-db
  libx11-dev libxtst-dev
  clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "deps: installing ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq >/dev/null
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
