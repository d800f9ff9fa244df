#!/usr/bin/env bash
# Checks that a program holds no code of the given static libraries: no strong text or
# data symbol that one of them defines is defined in the program.
#   sin_actualizador.sh <nm> <program> <library.a>...
set -euo pipefail
nm=$1 programa=$2
shift 2
definidos() { "$nm" --defined-only --format=posix "$1" | awk '$2 ~ /^[TDBR]$/ {print $1}' | sort -u; }
del_programa=$(mktemp)
trap 'rm -f "$del_programa"' EXIT
definidos "$programa" >"$del_programa"
[ -s "$del_programa" ] || { echo "no symbols read from $programa" >&2; exit 1; }
for biblioteca in "$@"; do
  comunes=$(definidos "$biblioteca" | comm -12 - "$del_programa")
  if [ -n "$comunes" ]; then
    echo "$programa holds code of $biblioteca:" >&2
    echo "$comunes" | head -10 >&2
    exit 1
  fi
done
echo "$programa: nothing of $*"
