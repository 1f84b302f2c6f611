#!/usr/bin/env bash
# Shows Setwright at work on the demo project in examples/demo: the editor when there is a
# display and the editor has been built, otherwise the demo through setwright-cli.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
cli="$build/setwright-cli"
editor="$build/setwright"
demo="$here/examples/demo"
if [[ -x "$editor" && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
  echo "Starting the editor on the demo project: press \"Далее >\" to open it."
  exec "$editor" "$demo/setup.ini" "$demo"
fi

if [[ ! -x "$editor" ]]; then
  echo "(The editor is not part of this build; showing the demo project through setwright-cli.)"
else
  echo "(No display: showing the demo project through setwright-cli instead of the editor.)"
fi
echo

echo "== setwright-cli ini: how the runtime reads examples/demo/setup.ini (first lines)"
"$cli" ini "$demo/setup.ini" | head -n 8 | cut -c 1-150 || true
echo
echo "== setwright-cli icons: the number of icons in the demo's icon library"
"$cli" icons "$demo/Soft/icons.dll"
echo
echo "== setwright-cli dump: the demo project as the editor loads it (excerpts)"
status=0
"$cli" dump "$demo/setup.ini" --root "$demo" > "$build/demo-dump.json" || status=$?
head -n 8 "$build/demo-dump.json"
echo "   ..."
# The runtime variables after the load, and the first group with its first program.
sed -n '/^ "variables"/,/^     "Command2"/p' "$build/demo-dump.json"
echo "   ..."
tail -n 4 "$build/demo-dump.json"
echo "   ... (the whole dump: $build/demo-dump.json, exit status $status)"
