#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only the missing ones, then the pinned
# npm packages of the checks into a folder of the build (never globally).
# Quiet when everything is already there; apt-get update runs only before an install.
#   ./scripts/deps.sh [--web] [BUILD_DIR]   npm packages go to BUILD_DIR/npm (default build/npm);
#                                           --web adds what the web build and its tests need
set -euo pipefail

web=0
if [ "${1:-}" = --web ]; then
  web=1
  shift
fi

packages=(
  g++ cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev qt6-base-dev libqt6opengl6-dev libxcb1-dev
  libgl1-mesa-dev libgl1-mesa-dri libegl-dev libgl-dev
  libfreetype-dev libfontconfig-dev fonts-comic-neue fonts-nanum
  libassimp-dev libtinygltf-dev nlohmann-json3-dev libstb-dev zlib1g-dev
  xvfb xauth imagemagick xdotool
  desktop-file-utils shared-mime-info xdg-utils libglib2.0-bin dpkg-dev file man-db
  f3d nodejs
  libx11-dev libxtst-dev
  clang libclang-rt-14-dev clang-format-14
  doxygen python3
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev googletest wine64 fonts-wine
)
# The web build (Emscripten) and the browser its page is tested in.
web_packages=(emscripten chromium)
if [ "$web" = 1 ]; then
  packages+=("${web_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

# Some Node.js builds bring npm along; Debian's comes as a package of its own.
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}" >&2
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq >/dev/null
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The Khronos glTF-Validator, run by the export checks with the machine's Node.js.
npm_dir="${1:-build}/npm"
npm_packages=(gltf-validator@2.0.0-dev.3.10)
for package in "${npm_packages[@]}"; do
  name=${package%@*} version=${package##*@}
  have=$(node -p "require(require('path').resolve('$npm_dir/node_modules/$name/package.json')).version" \
    2>/dev/null || true)
  if [ "$have" != "$version" ]; then
    echo "deps: installing $package into $npm_dir" >&2
    mkdir -p "$npm_dir"
    npm install --prefix "$npm_dir" --no-save --no-package-lock --no-audit --no-fund --loglevel=error "$package" >/dev/null
  fi
done
