#!/usr/bin/env bash
# Long fuzzing runs (not part of CI): runs the chosen harnesses one after another, each for
# a number of executions or a time, from the seeds made by code plus the corpus grown by
# earlier runs, which is kept in a folder outside the repository. A crash, leak or timeout
# is saved there and the run of that harness stops. At the end a table: executions, rate,
# coverage, corpus and findings per harness. The OBJ harness runs under UBSan alone and its
# whole corpus is then replayed under the address and leak sanitizers (see fuzz-builds.sh).
#   ./scripts/fuzz-long.sh obj gltf                    1,000,000 executions each
#   ./scripts/fuzz-long.sh --runs 200000 mes knx
#   ./scripts/fuzz-long.sh --seconds 3600 gltf
#   --dir DIR     where corpora, findings and logs are kept (default ~/.cache/orvex-fuzz)
# Harnesses: mes knx tga agree gltf obj. One harness runs at a time, single job. Exit
# status 1 when any harness found something, 2 on a usage error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

usage() { sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
runs=1000000
seconds=0
dir=${ORVEX_FUZZ_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/orvex-fuzz}
harnesses=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=${2:?}; seconds=0; shift 2 ;;
    --seconds) seconds=${2:?}; runs=0; shift 2 ;;
    --dir) dir=${2:?}; shift 2 ;;
    -h | --help) usage ;;
    mes | knx | tga | agree | gltf | obj) harnesses+=("$1"); shift ;;
    *) echo "fuzz-long: unknown argument '$1'" >&2; usage ;;
  esac
done
[ ${#harnesses[@]} -gt 0 ] || usage
case "$dir" in "$root"/*) echo "fuzz-long: keep $dir outside the repository" >&2; exit 2 ;; esac

. scripts/fuzz-builds.sh
models=${ORVEX_ASSETS:-$root/samples/gltf}
# Seeds of the engine's formats come from the format writer, those of the import from
# orvex_fuzz_import_seeds; only the programs the chosen harnesses need are built.
seeders=()
for h in "${harnesses[@]}"; do
  case "$h" in
    gltf | obj) seeder=orvex_fuzz_import_seeds ;;
    *) seeder=orvex_fuzz_seeds ;;
  esac
  [[ " ${seeders[*]} " == *" $seeder "* ]] || seeders+=("$seeder")
done
targets=("${seeders[@]}")
for h in "${harnesses[@]}"; do targets+=("orvex_fuzz_$h"); done
fuzz_build "${targets[@]}" >/dev/null
build=$fuzz_checked

seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
for seeder in "${seeders[@]}"; do
  if [ "$seeder" = orvex_fuzz_import_seeds ]; then
    "$build/bin/$seeder" "$seeds" "$models" >/dev/null
  else
    "$build/bin/$seeder" "$seeds" >/dev/null
  fi
done
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
commit=$(git rev-parse --short HEAD)$(git diff --quiet HEAD -- . ':!tests/mutants' || echo "+changes")

table=()
status=0
for h in "${harnesses[@]}"; do
  corpus=$dir/corpus/$h
  findings=$dir/findings/$h
  mkdir -p "$corpus" "$findings" "$dir/logs"
  log=$dir/logs/$h-$(date -u +%Y%m%dT%H%M%S).log
  limit=(-runs="$runs")
  [ "$seconds" -gt 0 ] && limit=(-max_total_time="$seconds")
  before=$(find "$findings" -type f | wc -l)
  echo "fuzz-long: $h (${limit[*]}), log $log" >&2
  start=$(date +%s.%N)
  # From an empty folder: the engine's loaders look textures up relative to it.
  set +e
  (cd "$seeds" && fuzz_run "$h" "$findings" "$corpus" "$seeds/$h" "${limit[@]}" \
    -timeout=10 -rss_limit_mb=2048 -max_len=65536 -artifact_prefix="$findings/" \
    -print_final_stats=1 >"$log" 2>&1)
  code=$?
  if [ "$code" -eq 0 ] && [ "$(fuzz_build_of "$h")" != "$fuzz_checked" ]; then
    (cd "$seeds" && fuzz_replay "$h" "$corpus" "$findings/" >"$log.replay" 2>&1)
    code=$?
  fi
  set -e
  elapsed=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
  executed=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  executed=${executed:-$(grep -oE '^#[0-9]+' "$log" | tail -n 1 | tr -d '#')}
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)
  found=$(( $(find "$findings" -type f | wc -l) - before ))
  [ "$code" -ne 0 ] && [ "$found" -eq 0 ] && found="exit $code"
  [ "$code" -ne 0 ] && status=1
  replayed=""
  if [ -s "$log.replay" ]; then
    replayed="; corpus replayed under ASan: $(grep -oE '^Done [0-9]+ runs' "$log.replay" || echo failed)"
  fi
  rate=$(awk -v n="${executed:-0}" -v t="$elapsed" 'BEGIN { printf "%d", (t > 0 ? n / t : 0) }')
  table+=("$(printf '%-6s %12s %9s %9s %-22s %8s %s' "$h" "${executed:-0}" "$rate" \
    "$(printf '%.0f' "$elapsed")" "${coverage:-?}" "$(find "$corpus" -type f | wc -l)" "$found$replayed")")
done

echo
echo "fuzz-long on $commit, $(date -u +%Y-%m-%d), corpora and findings in $dir"
printf '%-6s %12s %9s %9s %-22s %8s %s\n' harness executions "execs/s" seconds coverage corpus findings
for row in "${table[@]}"; do echo "$row"; done
exit $status
