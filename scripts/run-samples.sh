#!/usr/bin/env bash
# Builds the three converters, runs each over the sample data in samples/
# (in a scratch copy, so the repository stays clean) and shows the tables.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target gearcodes creaturecodes abilitycodes
bin=$PWD/build/release
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp samples/*.txt "$work"/

show() {  # a UTF-16LE table as UTF-8 text
  echo "--- $1"
  iconv -f UTF-16 -t UTF-8 "$work/$1" | tr -d '\r'
}
run() {  # program, tables...
  local program=$1
  shift
  echo "=== ${program##*/}"
  (cd "$work" && "$bin/$program" </dev/null) | tr -d '\r'
  for table in "$@"; do show "$table"; done
}
run namecodes/gearcodes item_pch.txt
run namecodes/creaturecodes npc_pch.txt
run abilitycodes/abilitycodes skill_pch.txt skill_pch2.txt
