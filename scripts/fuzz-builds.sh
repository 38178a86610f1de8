# Sourced by the fuzz scripts: where each harness is built and how it runs.
# Every harness runs under AddressSanitizer and UBSan (build-fuzz/) except the OBJ one, which
# runs under UBSan alone (build-fuzz-ub/): Assimp's OBJ reader takes and fills a 16 MB line
# buffer for every file, and the address and leak sanitizers' allocator maps such a block
# afresh each time, which held the harness to about 25 inputs a second (about 900 without).
# Its corpus is replayed under the address and leak sanitizers after each run instead.
fuzz_checked=build-fuzz
fuzz_fast=build-fuzz-ub

fuzz_build_of() {
  if [ "$1" = obj ]; then echo "$fuzz_fast"; else echo "$fuzz_checked"; fi
}

# fuzz_build TARGET...: configures both build folders as needed and builds the targets,
# each in the folder its harness runs from (orvex_fuzz_obj in both, for the replay).
fuzz_build() {
  local checked=() fast=()
  for target in "$@"; do
    checked+=("$target")
    [ "$target" = orvex_fuzz_obj ] && fast+=("$target")
  done
  CC=clang CXX=clang++ cmake -S . -B "$fuzz_checked" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVEX_BUILD_FUZZ=ON -DORVEX_SANITIZE=ON -DORVEX_BUILD_BENCH=OFF >/dev/null
  cmake --build "$fuzz_checked" -j2 --target "${checked[@]}"
  if [ ${#fast[@]} -gt 0 ]; then
    CC=clang CXX=clang++ cmake -S . -B "$fuzz_fast" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DORVEX_BUILD_FUZZ=ON -DORVEX_SANITIZE=ON -DORVEX_SANITIZERS=undefined -DORVEX_BUILD_BENCH=OFF >/dev/null
    cmake --build "$fuzz_fast" -j2 --target "${fast[@]}"
  fi
}

# fuzz_run HARNESS FINDINGS ARG...: runs the harness from the folder it is built in. Under
# UBSan alone a crash is left to libFuzzer's own handler, which saves the input; a crash inside
# Assimp can break the stack so that no handler gets that far, so the harness also writes each
# input to a file before running it, and the input of a crash that nothing saved is copied to
# FINDINGS as crash-unsaved-<checksum>.
fuzz_run() {
  local harness=$1 findings=$2 status last
  shift 2
  if [ "$(fuzz_build_of "$harness")" != "$fuzz_fast" ]; then
    "$root/$fuzz_checked/bin/orvex_fuzz_$harness" "$@"
    return
  fi
  last=$(mktemp)
  status=0
  ORVEX_FUZZ_LAST_INPUT=$last \
    UBSAN_OPTIONS="${UBSAN_OPTIONS:-}:handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_abort=0" \
    "$root/$fuzz_fast/bin/orvex_fuzz_$harness" "$@" || status=$?
  if [ "$status" -gt 128 ] && [ -s "$last" ]; then
    cp "$last" "$findings/crash-unsaved-$(sha1sum "$last" | cut -c1-40)"
    echo "fuzz: $harness ended on signal $((status - 128)); its last input is in $findings" >&2
  fi
  rm -f "$last"
  return "$status"
}

# fuzz_replay HARNESS CORPUS ARTIFACT_PREFIX: runs every input of the corpus once under the
# address and leak sanitizers, when the harness ran without them; status 0 when none failed.
fuzz_replay() {
  [ "$(fuzz_build_of "$1")" = "$fuzz_checked" ] && return 0
  "$root/$fuzz_checked/bin/orvex_fuzz_$1" -runs=0 -timeout=60 -rss_limit_mb=2048 \
    -artifact_prefix="$3" "$2"
}
