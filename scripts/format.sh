#!/usr/bin/env bash
# Formats every tracked C and C++ source with the house style in .clang-format.
#   format.sh          formats in place
#   format.sh --check  lists the sources that are not formatted; fails if any
set -uo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" != "--check" ]; then
    clang-format -i "${sources[@]}"
    exit 0
fi
unformatted=()
for f in "${sources[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
[ ${#unformatted[@]} -eq 0 ] && exit 0
echo "not in the house style: ${unformatted[*]}"
echo "fix with: bash scripts/format.sh"
exit 1
