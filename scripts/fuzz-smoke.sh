#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, AddressSanitizer, UBSan; the OBJ one with UBSan
# alone, its corpus replayed under the others: see fuzz-builds.sh) and runs each for a
# bounded time from seeds made by code (the format writer for the engine's files;
# for the import, a small glTF model, the repository's glTF models and the tests' damaged files, and
# OBJ texts), so every change meets the fuzzers.
#   ./scripts/fuzz-smoke.sh            about 30 s per format
#   FUZZ_SECONDS=300 ./scripts/fuzz-smoke.sh
# A crash leaves its input in fuzz-out/ and fails the script; turn it into a test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${FUZZ_SECONDS:-30}
. scripts/fuzz-builds.sh
formats=(mes knx tga agree gltf obj)
# The glTF models the seeds are made from (samples/gltf, or the folder ORVEX_ASSETS names).
models=${ORVEX_ASSETS:-$root/samples/gltf}

targets=(orvex_fuzz_seeds orvex_fuzz_import_seeds)
for format in "${formats[@]}"; do targets+=("orvex_fuzz_$format"); done
fuzz_build "${targets[@]}"
build=$fuzz_checked

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
"$build/bin/orvex_fuzz_seeds" "$corpus"
"$build/bin/orvex_fuzz_import_seeds" "$corpus" "$models"
mkdir -p fuzz-out

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
rates=()
for format in "${formats[@]}"; do
  echo "fuzz: $format for ${seconds}s"
  # Run from an empty folder: material textures are looked up relative to it.
  if ! (cd "$corpus" && fuzz_run "$format" "$root/fuzz-out" "$corpus/$format" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$root/fuzz-out/$format-" -print_final_stats=1 2>"$corpus/$format.log" &&
      fuzz_replay "$format" "$corpus/$format" "$root/fuzz-out/$format-" 2>"$corpus/$format.replay.log"); then
    echo "fuzz: $format FAILED; input saved under fuzz-out/" >&2
    tail -n 60 "$corpus/$format.log" "$corpus/$format.replay.log" 2>/dev/null >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|cov:" "$corpus/$format.log" | tail -n 2 | sed "s/^/fuzz: $format: /"
    if [ -s "$corpus/$format.replay.log" ]; then
      echo "fuzz: $format: corpus replayed under ASan: $(grep -E '^Done' "$corpus/$format.replay.log")"
    fi
    rate=$(grep -oE 'stat::average_exec_per_sec: *[0-9]+' "$corpus/$format.log" | grep -oE '[0-9]+$' || true)
    rates+=("$format ${rate:-0}")
  fi
done
# Each harness's executions a second beside the engine's scene format's, which the import
# harnesses are held to within a twentieth of.
mes=$(printf '%s\n' "${rates[@]}" | awk '$1 == "mes" { print $2 }')
for row in "${rates[@]}"; do
  set -- $row
  if [ -n "$mes" ] && [ "$2" -gt 0 ]; then
    echo "fuzz: rate $1: $2 execs/s, 1/$(((mes + $2 / 2) / $2)) of mes$([ "$(fuzz_build_of "$1")" = "$fuzz_fast" ] && echo ' (UBSan alone)')"
  else
    echo "fuzz: rate $1: $2 execs/s"
  fi
done
exit $status
