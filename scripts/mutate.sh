#!/usr/bin/env bash
# Mutation pass (not part of CI): plants each fault listed in tests/mutants/*.txt in turn,
# rebuilds the test programs covering the mutated folder in build-mutate/, runs them, and
# restores the file; then reports caught, survived and equivalent mutants per file and folder.
#   ./scripts/mutate.sh                      every mutant
#   ./scripts/mutate.sh --id scene-skin-x    one mutant (repeatable)
#   ./scripts/mutate.sh --folder engine/math the mutants of one folder (repeatable)
#   ./scripts/mutate.sh --check [--rev REV]  only check the list's anchors (in a git revision)
#   ./scripts/mutate.sh --help               the other options
# Exit status 0 when no mutant survived that is not marked equivalent, 1 otherwise, 2 on an
# error of the list or a tree that fails before any mutant is planted.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build=build-mutate
for ((i = 1; i <= $#; ++i)); do
  case "${!i}" in
    --build) j=$((i + 1)); build=${!j} ;;
    --build=*) build=${!i#--build=} ;;
    --check | --list | --help | -h) exec python3 scripts/mutate.py "$@" ;;
  esac
done

# The tests' checkers (the glTF-Validator from npm) live in a folder of the build.
./scripts/deps.sh "$build" >/dev/null
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEX_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen}
# The machine is shared: the whole pass runs at a lower priority.
exec nice -n 10 python3 scripts/mutate.py "$@"
