#!/usr/bin/env bash
# The viewer on the bundled sample under valgrind's memcheck, on a virtual screen: it plays
# for a while, then Escape ends it. Not part of scripts/test.sh (it takes a few minutes).
#   ./scripts/memcheck.sh                    plays about 20 s (valgrind runs it ~50x slower)
#   MEMCHECK_SECONDS=60 ./scripts/memcheck.sh
# Passes when memcheck reports no invalid read or write, no jump on uninitialised values, no
# bad free and no definite or indirect leak, apart from those of Mesa and the system
# libraries listed in scripts/memcheck.supp. The full report is build/memcheck.log, the
# picture before Escape build/memcheck-screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if ! command -v valgrind >/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq >/dev/null
  $sudo apt-get install -y -qq --no-install-recommends valgrind >/dev/null
fi
./scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target Orvex

seconds=${MEMCHECK_SECONDS:-20}
log="$root/build/memcheck.log"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

# A screen of the viewer's size; Xvfb picks a free display number itself.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
viewer_pid=""
cleanup() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' < "$display_file")"

echo "memcheck: the viewer plays the sample for ${seconds}s under valgrind..."
(cd samples && exec valgrind --tool=memcheck --error-exitcode=99 --num-callers=40 --keep-debuginfo=yes \
   --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \
   --suppressions="$root/scripts/memcheck.supp" --gen-suppressions=all -s \
   --log-file="$log" "$root/build/bin/Orvex") &
viewer_pid=$!

# Count from the first frame: starting GL under valgrind takes a while. The screen stays
# black until the viewer draws.
shot="$root/build/memcheck-screenshot.png"
started=""
for _ in $(seq 120); do
  kill -0 "$viewer_pid" 2>/dev/null || break
  if import -window root "$shot" 2>/dev/null &&
     [ "$(convert "$shot" -format '%[fx:mean>0.01]' info: 2>/dev/null)" = 1 ]; then
    started=1
    break
  fi
  sleep 5
done
[ -n "$started" ] && sleep "$seconds"
if ! kill -0 "$viewer_pid" 2>/dev/null; then
  set +e; wait "$viewer_pid"; status=$?; set -e
  viewer_pid=""
  echo "memcheck: the viewer ended by itself (status $status) before Escape; see $log" >&2
  exit 1
fi
if [ -z "$started" ]; then
  echo "memcheck: nothing was drawn within 10 minutes; see $log" >&2
  exit 1
fi
# What it showed after playing, to see that it played.
import -window root "$shot" 2>/dev/null || true
xdotool key Escape
for _ in $(seq 600); do kill -0 "$viewer_pid" 2>/dev/null || break; sleep 0.5; done
set +e; wait "$viewer_pid"; status=$?; set -e
viewer_pid=""

grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|suppressed:" "$log" | sed 's/^==[0-9]*== /memcheck: /'
if [ "$status" -ne 0 ]; then
  echo "memcheck: FAILED (status $status); the errors and leaks are in $log" >&2
  exit 1
fi
echo "memcheck: no errors and no leaks of ours"
