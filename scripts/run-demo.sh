#!/usr/bin/env bash
# Shows Setwright at work on the demo project in examples/demo.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
cli="$build/setwright-cli"
demo="$here/examples/demo"

echo "== setwright-cli ini: how the runtime reads examples/demo/setup.ini (first lines)"
"$cli" ini "$demo/setup.ini" | head -n 20
echo
echo "== setwright-cli icons: the demo's icon library"
"$cli" icons "$demo/Soft/icons.dll"
echo
echo "== setwright-cli dump: the demo project as the editor loads it (first lines)"
"$cli" dump "$demo/setup.ini" --root "$demo" | head -n 60
