#!/usr/bin/env bash
# Builds the viewer, with the converter and the editor the README's quick start runs next, and
# plays the bundled sample scene.
# Without a display it plays under a virtual screen for a few seconds, saves a screenshot
# to build/orvex-screenshot.png and ends the viewer with Escape.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target Orvex orvex-convert Quorvan

viewer="$root/build/bin/Orvex"
cd "$root/samples"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$viewer"
fi

shot="$root/build/orvex-screenshot.png"
seconds=${ORVEX_RUN_SECONDS:-4}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
echo "No display: playing the sample under Xvfb at 1024x768 for $seconds seconds..."
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" & pid=$!
  sleep "$2"
  if ! kill -0 $pid 2>/dev/null; then wait $pid; exit $?; fi
  import -window root "$3"
  xdotool key Escape
  for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill $pid 2>/dev/null || true
  wait $pid
' run "$viewer" "$seconds" "$shot"
echo "Screenshot of the playing sample: $shot"
