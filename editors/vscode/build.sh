#!/usr/bin/env bash
# Builds the VS Code extension in a folder of the build tree, never in the source tree.
#
#   editors/vscode/build.sh STAGE           installs the npm packages into STAGE/node_modules
#   editors/vscode/build.sh STAGE OUT_DIR   and packs the extension into
#                                           OUT_DIR/scenario-builder-VERSION.vsix
#
# The packages come from the committed package-lock.json through `npm ci`, once for each
# lock file: the manifest and the lock file are kept beside them and compared the next time.
# No install script runs; none of the packages needs one to build the extension or to test
# its grammar.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 STAGE [OUT_DIR]" >&2
  exit 2
fi
mkdir -p "$1"
stage=$(cd "$1" && pwd)

if [ ! -d "$stage/node_modules" ] || ! cmp -s "$here/package.json" "$stage/package.json" ||
  ! cmp -s "$here/package-lock.json" "$stage/package-lock.json"; then
  cp "$here/package.json" "$here/package-lock.json" "$stage/"
  (cd "$stage" && npm ci --ignore-scripts --no-audit --no-fund)
fi
[ $# -eq 2 ] || exit 0

mkdir -p "$2"
out=$(cd "$2" && pwd)
# The extension's own files beside the packages, afresh.
rm -rf "$stage/src" "$stage/syntaxes" "$stage/out"
cp -r "$here/src" "$here/syntaxes" "$stage/"
cp "$here/language-configuration.json" "$here/README.md" "$here/tsconfig.json" \
  "$here/.vscodeignore" "$stage/"
version=$(node -p "require('$stage/package.json').version")
cd "$stage"
# vsce compiles the client first (the manifest's vscode:prepublish script).
npm run package -- --out "$out/scenario-builder-$version.vsix"
# Every file that the manifest names went into the package.
node_modules/.bin/vsce ls | node -e '
  const packed = new Set(require("fs").readFileSync(0, "utf8").split("\n"));
  const m = require("./package.json");
  const named = [m.main, ...m.contributes.grammars.map((g) => g.path),
                 ...m.contributes.languages.map((l) => l.configuration)];
  const missing = named.map((f) => f.replace(/^\.\//, "")).filter((f) => !packed.has(f));
  if (missing.length) {
    console.error("the .vsix lacks files that package.json names: " + missing.join(", "));
    process.exit(1);
  }'
