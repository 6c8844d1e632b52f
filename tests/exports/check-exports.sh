#!/usr/bin/env bash
# check-exports.sh DLL LIST...: every line of every LIST (a demangled export
# name, '#' starts a comment) must be in the export table of the i686 DLL.
set -euo pipefail
dll=$1; shift
if [ ! -f "$dll" ]; then
  echo "exports: $dll not found (build the i686 configuration first)" >&2
  exit 1
fi
exports=$(mktemp)
trap 'rm -f "$exports"' EXIT
# objdump -p prints the export table as "[ordinal] name" lines.
i686-w64-mingw32-objdump -p "$dll" \
  | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
  | sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' \
  | i686-w64-mingw32-c++filt -n > "$exports"

missing=0
checked=0
for list in "$@"; do
  case "$(basename "$list")" in CMakeLists.txt) continue ;; esac
  while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in ''|'#'*) continue ;; esac
    checked=$((checked + 1))
    if ! grep -Fxq -- "$line" "$exports"; then
      echo "missing export ($(basename "$list")): $line"
      missing=$((missing + 1))
    fi
  done < "$list"
done
echo "exports: $checked checked, $missing missing"
[ "$missing" -eq 0 ]
