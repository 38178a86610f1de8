#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the tree is not formatted as .clang-format says.
# clang-format is pinned by its major version: another version lays out some lines differently.
#   ./scripts/check-format.sh          check
#   ./scripts/check-format.sh --fix    format them in place
set -euo pipefail
cd "$(dirname "$0")/.."
format=clang-format-14
if ! command -v "$format" >/dev/null; then
  echo "check-format: $format is missing (scripts/deps.sh installs it)" >&2
  exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if [ "${1:-}" = --fix ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
# One run over every file; each line it complains about starts with the file's name.
if ! report=$("$format" --dry-run -Werror "${files[@]}" 2>&1); then
  echo "check-format: not formatted (run ./scripts/check-format.sh --fix):" >&2
  grep -oE '^[^: ]+\.(cpp|h):' <<<"$report" | sort -u | sed 's/:$//; s/^/  /' >&2
  exit 1
fi
