#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages named as arguments that are not installed yet.
set -euo pipefail

missing=()
for package in "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "Setwright needs these packages: ${missing[*]}" >&2
  echo "This is not a Debian or Ubuntu system (no apt-get): install them with your package manager." >&2
  exit 1
fi
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "Setwright needs these packages: ${missing[*]}" >&2
  echo "Run 'apt-get install ${missing[*]}' as root (sudo is not available)." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
