#!/usr/bin/env bash
# Checks what a built tree installs and packages, as a user and a file manager meet it:
#   tests/install/check.sh BUILD_DIR
# Installs into a temporary prefix, builds the examples (examples/) against it and runs them
# (the windowed one on $DISPLAY, or on an Xvfb of its own), checks the reference, the
# programs, man pages, desktop entry, icons, file types and thumbnailer there, then builds the Debian and the source package and checks their
# contents. Prints one line per check; exit status 1 when any fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -eq 1 ] && [ -f "$1/CMakeCache.txt" ] || { echo "usage: $0 BUILD_DIR (a configured, built tree)" >&2; exit 2; }
build=$(cd "$1" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
programs=(Orvex Quorvan orvex-convert orvex-info orvex-render)
scene_type=model/x-orvex-scene

failures=0
# check NAME FUNCTION: runs the function in a subshell that the first `fail` ends; its output
# is shown when it fails.
check() {
  local name=$1 status began=$SECONDS
  shift
  ("$@") >"$work/log" 2>&1
  status=$?
  if [ $status -eq 0 ]; then
    echo "install check: ok    $name ($((SECONDS - began)) s)"
    sed -n 's/^note: /    note: /p' "$work/log"
  else
    echo "install check: FAIL  $name ($((SECONDS - began)) s)"
    sed 's/^/    /' "$work/log" | tail -n 40
    failures=$((failures + 1))
  fi
}
fail() {
  echo "$*"
  exit 1
}

# No display for anything below: what it checks must work without one.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY "$@"; }

# The files under a folder, relative to it, sorted.
file_list() { (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort); }

# PROGRAM_DIR NAME: "--version" prints "NAME VERSION" and exits 0.
version_line() {
  local out
  out=$(headless timeout 20 "$1/$2" --version) || fail "$2 --version failed"
  [ "$out" = "$2 $version" ] || fail "$2 --version printed \"$out\", not \"$2 $version\""
}

# PROGRAM_DIR NAME: an unknown option ends with status 2, the reason and the usage on stderr
# and nothing on stdout, as every program's command line does.
unknown_option() {
  local status
  headless timeout 20 "$1/$2" --no-such-option >"$work/out" 2>"$work/err"
  status=$?
  [ $status -eq 2 ] || fail "$2 --no-such-option ended with status $status, not 2"
  [ ! -s "$work/out" ] || fail "$2 --no-such-option printed on stdout: $(head -c 200 "$work/out")"
  [ "$(head -n 1 "$work/err")" = "$2: unknown option --no-such-option" ] ||
    fail "$2 --no-such-option said: $(head -n 1 "$work/err")"
  grep -q "^usage: $2" "$work/err" || fail "$2 --no-such-option gave no usage"
}

# The installed programs and their man pages: each page renders without warnings and
# documents every option the program's --help names.
programs_and_man_pages() {
  local p page options o
  for p in "${programs[@]}"; do
    [ -x "$prefix/bin/$p" ] || fail "bin/$p is missing"
    version_line "$prefix/bin" "$p"
    unknown_option "$prefix/bin" "$p"
    page=$prefix/share/man/man1/$p.1.gz
    [ -f "$page" ] || fail "no man page share/man/man1/$p.1.gz"
    LC_ALL=C MANWIDTH=100 man --warnings -l "$page" >"$work/$p.txt" 2>"$work/$p.warnings" || fail "man -l $p.1.gz failed"
    [ ! -s "$work/$p.warnings" ] || fail "$p.1: $(cat "$work/$p.warnings")"
    grep -q "Orvex $version" "$work/$p.txt" || fail "$p.1 does not carry the version $version"
    options=$(headless timeout 20 "$prefix/bin/$p" --help | grep -oE '(^|[ [,|])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
    [ -n "$options" ] || fail "$p --help names no options"
    for o in $options; do
      grep -qE -- "(^|[^a-z-])$o([^a-z-]|$)" "$work/$p.txt" || fail "$p.1 does not document $o"
    done
  done
}

# PNG: the fraction of pixels, in percent, that differ from the top-left one.
changed_percent() {
  stream -map rgb -storage-type char "$1" - | od -An -v -tu1 -w3 |
    awk 'NR == 1 { r = $1; g = $2; b = $3 }
         { d = ($1 - r) ^ 2 + ($2 - g) ^ 2 + ($3 - b) ^ 2; if (d > 300) n++ }
         END { printf "%d\n", NR ? 100 * n / NR : 0 }'
}

# PNG: how many pixels are near the colour R G B.
pixels_near() {
  stream -map rgb -storage-type char "$1" - | od -An -v -tu1 -w3 |
    awk -v r="$2" -v g="$3" -v b="$4" '{ d = ($1 - r) ^ 2 + ($2 - g) ^ 2 + ($3 - b) ^ 2; if (d < 6000) n++ }
         END { printf "%d\n", n }'
}

# Runs a command with a display: the one given, or an Xvfb of the viewer's size started for it.
with_display() {
  local display_file xvfb status
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
    return
  fi
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  # In a subshell, so that a failing check still comes back here to stop the Xvfb.
  (export DISPLAY=":$(tr -d '[:space:]' <"$display_file")" && "$@")
  status=$?
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -f "$display_file"
  return $status
}

# The smallest viewer plays for two seconds: its window shows the scene under the two overlay
# lines (the driver's name in cyan, the frame rate in yellow), and Escape ends it.
play_example() {
  local player=$1 samples=$2 pid shot=$work/player.png changed cyan yellow
  "$player" "$samples/2.MES" "$samples/2.KNX" >"$work/player.log" 2>&1 &
  pid=$!
  sleep 2
  kill -0 "$pid" 2>/dev/null || { cat "$work/player.log"; fail "orvex-player ended early"; }
  import -window root -crop 800x600+0+0 "$shot" || { kill "$pid"; fail "no screenshot"; }
  # The mouse camera: a right drag moves the scene out of the middle, then a left drag down
  # turns it a quarter turn about the x axis, so the standing figure is seen from above.
  drag 3 400 300 20 0
  import -window root -crop 800x600+0+0 "$work/moved.png" || { kill "$pid"; fail "no screenshot"; }
  drag 1 400 300 0 9
  import -window root -crop 800x600+0+0 "$work/turned.png" || { kill "$pid"; fail "no screenshot"; }
  xdotool mousemove 400 300 key Escape
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    fail "orvex-player did not end on Escape"
  fi
  wait "$pid" || fail "orvex-player ended with status $?: $(cat "$work/player.log")"
  convert "$shot" -crop 300x400+250+100 +repage "$work/middle.png"
  changed=$(changed_percent "$work/middle.png")
  convert "$shot" -crop 300x16+0+0 +repage "$work/line1.png"
  convert "$shot" -crop 300x16+0+16 +repage "$work/line2.png"
  cyan=$(pixels_near "$work/line1.png" 0 255 255)
  yellow=$(pixels_near "$work/line2.png" 255 255 0)
  echo "the scene covers $changed% of the window's middle; overlay: $cyan cyan, $yellow yellow pixels"
  [ "$changed" -ge 5 ] || fail "the window's middle shows hardly anything ($changed% differs)"
  [ "$cyan" -ge 20 ] && [ "$yellow" -ge 20 ] || fail "the overlay lines are missing ($cyan cyan, $yellow yellow pixels)"
  # The scene's pixels below the overlay, before and after each drag.
  local before moved turned
  before=($(scene_pixels "$shot"))
  moved=($(scene_pixels "$work/moved.png"))
  turned=($(scene_pixels "$work/turned.png"))
  echo "scene pixels, their mean column and the spread of their rows: ${before[*]} at rest," \
    "${moved[*]} after a right drag, ${turned[*]} after a left drag down"
  [ $((before[1] - moved[1])) -ge 150 ] || fail "a right drag to the right did not move the scene left"
  # A quarter turn about the x axis lays the standing figure down: it is no longer tall.
  [ $((turned[2] * 3)) -le $((moved[2] * 2)) ] || fail "a left drag down did not turn the figure over"
}

# PNG: how many pixels below the overlay lines differ from the bottom-right one (the
# background), their mean column and the standard deviation of their rows.
scene_pixels() {
  local width
  width=$(identify -format '%w' "$1")
  stream -map rgb -storage-type char "$1" - | od -An -v -tu1 -w3 |
    awk -v w="$width" '{ p[NR - 1] = $1 " " $2 " " $3 }
         END { split(p[NR - 1], b, " ")
               for (i = 40 * w; i < NR; i++) {
                 split(p[i], c, " ")
                 if ((c[1] - b[1]) ^ 2 + (c[2] - b[2]) ^ 2 + (c[3] - b[3]) ^ 2 > 300) {
                   n++; x += i % w; y += int(i / w); yy += int(i / w) ^ 2
                 }
               }
               printf "%d %d %d\n", n, n ? x / n : 0, n ? sqrt(yy / n - (y / n) ^ 2) : 0 }'
}

# drag BUTTON X Y DX DY: presses the button at (X, Y) and moves by (DX, DY) ten times, slowly
# enough for each step to fall in a frame of its own.
drag() {
  local button=$1 x=$2 y=$3
  # The pointer gets there first: a press lands where the previous frame saw the pointer.
  xdotool mousemove "$x" "$y"
  sleep 0.2
  xdotool mousedown "$button"
  for _ in $(seq 10); do
    x=$((x + $4))
    y=$((y + $5))
    sleep 0.05
    xdotool mousemove "$x" "$y"
  done
  sleep 0.2
  xdotool mouseup "$button"
  sleep 0.3
}

# The examples as another project builds them: find_package(Orvex) with Orvex::engine and
# Orvex::platform_sdl, warnings as errors. The first two run without a display; the third
# plays the sample in a window.
examples_project() {
  local samples=$prefix/share/orvex/samples out bin=$work/examples
  cmake -S "$root/examples" -B "$bin" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_FLAGS="-Wall -Wextra -Wpedantic -Werror" || fail "configuring the examples failed"
  cmake --build "$bin" -j2 || fail "building the examples failed"
  out=$(cd "$work" && headless "$bin/orvex-inspect" "$samples/2.MES" "$samples/2.KNX") || fail "orvex-inspect failed"
  echo "$out"
  [ "$out" = "Orvex $version: 22 nodes, 1 meshes, 3273 vertices, 1 of 1 materials textured, 41 frames, at frame 2.0" ] ||
    fail "unexpected: $out"
  out=$(headless "$bin/orvex-render-png" "$samples/2.MES" "$samples/2.KNX" 0.75 "$work/posed.png") ||
    fail "orvex-render-png failed"
  echo "$out"
  [ "$(identify -format '%wx%h' "$work/posed.png")" = 640x480 ] || fail "posed.png is not 640x480"
  # The viewer's camera shows the sample small in the middle of the picture.
  convert "$work/posed.png" -crop 200x300+220+90 +repage "$work/posed-middle.png"
  [ "$(changed_percent "$work/posed-middle.png")" -ge 5 ] || fail "posed.png shows hardly anything in its middle"
  with_display play_example "$bin/orvex-player" "$samples"
}

# The reference: the HTML pages of the engine's headers, with the engine's page first.
reference() {
  local html=$prefix/share/doc/orvex/html
  [ -f "$html/index.html" ] || fail "no share/doc/orvex/html/index.html"
  grep -q "Life cycle" "$html/index.html" || fail "index.html is not the engine's page"
  for page in classMeshScene.html classGlDevice.html classSdlPlatform.html md_formats.html; do
    [ -f "$html/$page" ] || fail "the reference has no $page"
  done
  echo "$(find "$html" -name '*.html' | wc -l) pages"
}

# The desktop entry is valid, starts an installed program and names an installed icon, and
# the editor's icon is there in every hicolor size, of that size.
desktop_entry() {
  local entry=$prefix/share/applications/quorvan.desktop program icon png size
  desktop-file-validate "$entry" || fail "desktop-file-validate refuses quorvan.desktop"
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$prefix/bin/$program" ] || fail "Exec names $program, which is not installed"
  grep -qx "MimeType=$scene_type;" "$entry" || fail "the entry does not claim $scene_type"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  for size in 16 22 24 32 48 64 128 256 512; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png
    [ -f "$png" ] || fail "no icon $png"
    [ "$(identify -format '%wx%h' "$png")" = "${size}x$size" ] || fail "$png is not ${size}x$size"
  done
}

# An environment that sees only the prefix's data: file types and applications as a
# desktop would find them once the package is installed.
desktop_env() {
  env HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
    XDG_CONFIG_DIRS="$work/home/config" XDG_DATA_DIRS="$prefix/share" XDG_CURRENT_DESKTOP=GNOME "$@"
}

# The mime package names the types by extension (either case) and an Orvex file without
# one by its header; opening a scene goes to Quorvan.
file_types() {
  local samples=$prefix/share/orvex/samples kind
  mkdir -p "$work/home/config" "$work/files"
  desktop_env update-mime-database "$prefix/share/mime" || fail "update-mime-database failed"
  desktop_env update-desktop-database -q "$prefix/share/applications" || fail "update-desktop-database failed"
  cp "$samples/2.MES" "$work/files/walk.mes"
  cp "$samples/2.MES" "$work/files/WALK.MES"
  cp "$samples/2.KNX" "$work/files/walk.knx"
  cp "$samples/2.MES" "$work/files/no-extension"
  for pair in "walk.mes $scene_type" "WALK.MES $scene_type" "walk.knx application/x-orvex-animation" \
              "no-extension application/x-orvex-data"; do
    set -- $pair
    kind=$(desktop_env xdg-mime query filetype "$work/files/$1")
    [ "$kind" = "$2" ] || fail "xdg-mime names $1 \"$kind\", not $2"
  done
  kind=$(desktop_env xdg-mime query default "$scene_type")
  [ "$kind" = quorvan.desktop ] || fail "scenes open with \"$kind\", not quorvan.desktop"
}

# THUMBNAILER IN OUT SIZE: runs the entry's Exec as a file manager does: split into words,
# then %i, %u, %o and %s replaced inside each word, run without a shell or a display.
run_thumbnailer() {
  local exec words=() args=() word
  exec=$(sed -n 's/^Exec=//p' "$1")
  read -r -a words <<<"$exec"
  for word in "${words[@]}"; do
    word=${word//%i/$2}
    word=${word//%u/file:\/\/$2}
    word=${word//%o/$3}
    word=${word//%s/$4}
    args+=("$word")
  done
  desktop_env env -u DISPLAY -u WAYLAND_DISPLAY PATH="$prefix/bin:$PATH" timeout 60 "${args[@]}"
}

# The thumbnailer draws the model at the size asked, quietly; a refused file ends with a
# failure and no picture.
thumbnailer() {
  local entry=$prefix/share/thumbnailers/orvex.thumbnailer dir="$work/thumbs/a folder" size out changed
  [ -f "$entry" ] || fail "no share/thumbnailers/orvex.thumbnailer"
  grep -qx "MimeType=$scene_type;" "$entry" || fail "the thumbnailer is not for $scene_type"
  [ -x "$prefix/bin/$(sed -n 's/^TryExec=//p' "$entry")" ] || fail "TryExec names no installed program"
  mkdir -p "$dir"
  cp "$prefix/share/orvex/samples/"* "$dir/"
  for size in 256 100; do
    out=$(run_thumbnailer "$entry" "$dir/2.MES" "$work/thumbs/$size.png" "$size" 2>&1) ||
      fail "the thumbnailer failed at $size: $out"
    [ -z "$out" ] || fail "the thumbnailer is not quiet: $out"
    [ "$(identify -format '%wx%h' "$work/thumbs/$size.png")" = "${size}x$size" ] ||
      fail "$size.png is $(identify -format '%wx%h' "$work/thumbs/$size.png"), not ${size}x$size"
    changed=$(changed_percent "$work/thumbs/$size.png")
    echo "$size x $size: the model covers $changed% of the picture"
    [ "$changed" -ge 5 ] || fail "$size.png shows hardly anything ($changed% differs from the background)"
  done
  printf 'RIFF but nothing more' >"$work/thumbs/broken.mes"
  if run_thumbnailer "$entry" "$work/thumbs/broken.mes" "$work/thumbs/broken.png" 128 >/dev/null 2>&1; then
    fail "a refused scene ended with status 0"
  fi
  [ ! -e "$work/thumbs/broken.png" ] || fail "a refused scene left a picture"
}

# CPack's Debian package: the installed files, dependencies from the binaries, programs that
# run from an extraction.
debian_package() {
  local deb=$work/deb/orvex_${version}_amd64.deb depends p
  (cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
  [ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/deb")"
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' | LC_ALL=C sort >"$work/deb.list"
  diff "$work/installed.list" "$work/deb.list" || fail "the package's contents differ from the install (< install, > package)"
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for p in libc6 libstdc++6 libsdl2 libqt6widgets6 libassimp5 libfreetype6 libfontconfig1 qt6-qpa-plugins; do
    [[ "$depends" == *"$p"* ]] || fail "Depends lacks $p"
  done
  dpkg-deb -x "$deb" "$work/root"
  for p in "${programs[@]}"; do
    version_line "$work/root/usr/bin" "$p"
  done
  headless "$work/root/usr/bin/orvex-info" "$work/root/usr/share/orvex/samples/2.MES" >/dev/null ||
    fail "the extracted orvex-info refuses the extracted sample"
}

# The source package holds every file of the checkout and none of a build.
source_package() {
  local tarball=$build/orvex-$version.tar.gz
  rm -f "$tarball"
  cmake --build "$build" --target package_source >"$work/source.log" 2>&1 || { cat "$work/source.log"; fail "package_source failed"; }
  tar -tzf "$tarball" | sed -n "s|^orvex-$version/||p" | grep -v '/$' | LC_ALL=C sort >"$work/source.list"
  rm -f "$tarball"
  if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
    git -C "$root" ls-files | LC_ALL=C sort >"$work/tracked.list"
    LC_ALL=C comm -23 "$work/tracked.list" "$work/source.list" >"$work/missing.list"
    [ ! -s "$work/missing.list" ] || fail "tracked files missing from the source package: $(head "$work/missing.list")"
  fi
  ! grep -E '^(build[^/]*|fuzz-out)/|(^|/)\.git(/|$)' "$work/source.list" || fail "the source package holds build or git files"
}

start=$SECONDS
if cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  file_list "$prefix" >"$work/installed.list" # before the checks add the file-type caches
  echo "install check: ok    cmake --install into a temporary prefix ($(wc -l <"$work/installed.list") files)"
  check "programs print their version and refuse an unknown option; man pages render and document every option" programs_and_man_pages
  check "examples build against the installed package; they load, render and play the sample" examples_project
  check "the reference is installed" reference
  check "desktop entry validates; hicolor icons in every size" desktop_entry
  check "file types by extension and header; scenes open with Quorvan" file_types
  check "thumbnailer draws the model at the asked size, quietly; refuses broken files" thumbnailer
  check "Debian package: contents, Depends, programs run from an extraction" debian_package
  check "source package holds the checkout" source_package
else
  cat "$work/install.log"
  echo "install check: FAIL  cmake --install"
  failures=$((failures + 1))
fi
echo "install check: $failures failed, $((SECONDS - start)) s"
[ "$failures" -eq 0 ]
