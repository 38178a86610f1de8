#!/usr/bin/env bash
# The scale report: builds what it measures, then runs bench_scale, which makes sheets of 10k,
# 100k, 1M and 4M vertices with the format writers and prints one table (load, update, frame,
# orvex-render, export, orvex-info, and f3d beside orvex-render where f3d is installed).
# Not part of scripts/test.sh: it takes minutes and measures speed, which the tests never do.
#   ./scripts/bench.sh [bench_scale options, e.g. --repeat 5 --sizes 10000,100000]
# The scenes go to build/scale (about 400 MB); the table to build/scale/table.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${ORVEX_BENCH_BUILD:-build}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEX_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target bench_scale orvex-render orvex-convert orvex-info >/dev/null

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
# f3d draws on an X display: give it a virtual one when there is none.
if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '[:space:]' < "$display_file")"
  rm -f "$display_file"
fi

mkdir -p "$build/scale"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
"$build/bin/bench_scale" --dir "$build/scale" --bin "$build/bin" "$@" | tee "$build/scale/table.md"
