#!/usr/bin/env bash
# Draws the pictures of the README again: the plan of the built-in line (docs/builtin_line.png)
# and the plan of the small author scenario of tests/fixtures/author, with its slow order and
# its signboard (docs/author_scenario.png). It needs a built scenario_builder and rsvg-convert
# (Debian package librsvg2-bin).
#
#   docs/make_pictures.sh [BUILD_FOLDER]        (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(cd "${1:-$root/build}" && pwd)/scenario_builder
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The built-in run prints "Attendere" on standard error while it works.
"$program" --dir "$work" 2>/dev/null
"$program" plan --dir "$work" -o "$work/builtin.svg" "Roccalta_ Valfiorita" "LINEA 7"
rsvg-convert -o "$root/docs/builtin_line.png" "$work/builtin.svg"

mkdir "$work/author"
cp "$root"/tests/fixtures/author/*.txt "$work/author/"
"$program" compile --dir "$work/author" Collina L2
"$program" plan --dir "$work/author" -o "$work/author.svg" Collina L2
rsvg-convert -o "$root/docs/author_scenario.png" "$work/author.svg"
echo "docs/builtin_line.png and docs/author_scenario.png drawn"
