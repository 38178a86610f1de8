#!/usr/bin/env bash
# The one test command: installs what is missing, builds everything and runs every test.
#   ./scripts/test.sh             build/ (RelWithDebInfo)
#   ./scripts/test.sh --sanitize  build-sanitize/ with AddressSanitizer and UBSan
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build=build
cmake_args=()
for arg in "$@"; do
  case "$arg" in
    --sanitize) build=build-sanitize; cmake_args+=(-DORVEX_SANITIZE=ON -DORVEX_BUILD_BENCH=OFF) ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done

# Emscripten and Chromium too for the web page and its tests, which the sanitized run leaves out.
if [ "$build" = build ]; then
  ./scripts/deps.sh --web "$build"
else
  ./scripts/deps.sh "$build"
fi

# Every C++ file in the tree's style (.clang-format), before anything is built.
./scripts/check-format.sh

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${cmake_args[@]}" >/dev/null
cmake --build "$build" -j2

# The Windows programs (x86_64 with their tests, run under Wine below; the 32-bit engine and
# viewer compiled and linked only). Not part of the sanitized run.
windows=0
[ "$build" = build ] && windows=1
if [ "$windows" = 1 ]; then
  windows_start=$SECONDS
  ./scripts/build-windows.sh --tests >/dev/null
  ./scripts/build-windows.sh --i686 >/dev/null
  windows_build_seconds=$((SECONDS - windows_start))
fi

# Quiet SDL and Qt about a missing runtime folder; keep GL on the software rasteriser
# so results do not depend on the machine's graphics hardware.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Mesa's own leaks are not ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}

run_ctest=(ctest --test-dir "$build" --output-on-failure -j2 --timeout 300)
status=0
# The fuzz smoke run goes first so the test runner's summary closes the output.
if [ -x scripts/fuzz-smoke.sh ] && [ "$build" = build ]; then
  ./scripts/fuzz-smoke.sh || status=$?
fi
# The viewer's web page (build-web/, from the same sources with Emscripten) in headless
# Chromium: the sample plays, pictures match orvex-render's, refused files show the loader's
# reason. Not part of the sanitized run.
if [ "$build" = build ]; then
  web_start=$SECONDS
  ./scripts/build-web.sh >/dev/null
  web_build_seconds=$((SECONDS - web_start))
  web_test_start=$SECONDS
  python3 tests/web/page_test.py --site build-web --bin "$build/bin" --shots "$build/web-shots" || status=$?
  echo "web stage: build ${web_build_seconds} s, page tests $((SECONDS - web_test_start)) s" >&2
fi
xvfb_pid=""
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
  # Windowed tests need a screen; give them a virtual one of the viewer's size. Xvfb picks a
  # free display number itself (-displayfd), so parallel runs on one machine never share one;
  # -noreset keeps it from resetting (and refusing connections) each time its last client leaves.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '[:space:]' < "$display_file")"
  rm -f "$display_file"
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
fi
# What the build installs and packages: the prefix, the CMake package with the examples built
# against it (the windowed one plays on the virtual screen), the reference, the desktop files,
# the .deb and the source package.
if [ "$build" = build ]; then
  tests/install/check.sh "$build" || status=$?
fi
if [ "$windows" = 1 ]; then
  # One Wine prefix in the build, kept between runs; one server for the whole run.
  export WINEPREFIX="$root/build-windows/wine-prefix" WINEDEBUG=-all
  wine_start=$SECONDS
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  trap 'kill $xvfb_pid 2>/dev/null || true; "$wineserver" -k 2>/dev/null || true' EXIT
  ./scripts/wine-prefix.sh "$WINEPREFIX"  # its server stays up until the end
  wine_prefix_seconds=$((SECONDS - wine_start))
  windows_test_start=$SECONDS
  ctest --test-dir build-windows --output-on-failure --timeout 300 || status=$?
  windows_test_seconds=$((SECONDS - windows_test_start))
  # The viewer's display tests run Orvex.exe too, and the editor's Wine tests Quorvan.exe.
  export ORVEX_WINDOWS_VIEWER="$root/build-windows/bin/Orvex.exe"
  export ORVEX_WINDOWS_EDITOR="$root/build-windows/bin/Quorvan.exe"
  export ORVEX_WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
  echo "windows stage: build ${windows_build_seconds} s, wine prefix ${wine_prefix_seconds} s," \
       "tests under wine ${windows_test_seconds} s" >&2
fi
"${run_ctest[@]}" || status=$?

exit $status
