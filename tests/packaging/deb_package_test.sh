#!/usr/bin/env bash
# The Debian package as a user gets it: built from this build tree, unpacked, its programs run
# and its desktop files validated.
# usage: deb_package_test.sh CPACK BUILD_DIR SOURCE_DIR
# Exit status 77 (a skip for ctest) when the packaging tools are missing; make test installs them.
set -euo pipefail
cpack=$1
build=$2
source=$3

missing=()
for tool in "$cpack" dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "skipped: ${missing[*]} not installed"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Build: the package of the programs this tree has already built, into a folder of our own.
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
debs=("$work"/out/setwright_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no setwright_*.deb in $work/out" >&2; exit 1; }
deb=${debs[0]}
root="$work/root"
dpkg-deb -x "$deb" "$root"
echo "package: $(basename "$deb")"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

# Contents: the two programs, the desktop files, every icon and the manual page; nothing of
# the tests, benchmarks, fuzzers or static libraries.
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$work/contents"
for path in /usr/bin/setwright /usr/bin/setwright-cli /usr/share/applications/setwright.desktop \
  /usr/share/metainfo/org.example.setwright.metainfo.xml /usr/share/mime/packages/setwright.xml \
  /usr/share/man/man1/setwright-cli.1.gz /usr/share/icons/hicolor/scalable/apps/setwright.svg; do
  grep -qxF "$path" "$work/contents" || fail "$path is not in the package"
done
for size in 16 32 48 64 128 256; do
  icon=/usr/share/icons/hicolor/${size}x${size}/apps/setwright.png
  if ! grep -qxF "$icon" "$work/contents"; then
    fail "$icon is not in the package"
  elif ! file -b "$root$icon" | grep -q "PNG image data, $size x $size"; then
    fail "$icon is not a $size x $size PNG: $(file -b "$root$icon")"
  fi
done
programs=$(ls "$root/usr/bin" | tr '\n' ' ')
[ "$programs" = "setwright setwright-cli " ] || fail "usr/bin holds more than the two programs: $programs"
if grep -vE '^/usr/(bin|share)(/|$)|^/usr/?$|^/?$' "$work/contents"; then fail "files outside usr/bin and usr/share"; fi
if grep -E '\.a$|/include/|tests_|bench_|fuzz_' "$work/contents"; then fail "test, bench or build files in the package"; fi
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries dpkg-shlibdeps should find"

# The installed command line: its usage.
cli="$root/usr/bin/setwright-cli"
status=0
"$cli" --help >"$work/help" 2>&1 || status=$?
[ $status -eq 0 ] || fail "setwright-cli --help exited with $status"
grep -q '^usage: setwright-cli' "$work/help" || fail "setwright-cli --help printed no usage: $(head -c 300 "$work/help")"

# The installed command line on the demo project.
status=0
"$cli" check "$source/examples/demo/setup.ini" --root "$source/examples/demo" >"$work/demo.out" 2>"$work/demo.err" ||
  status=$?
[ $status -eq 0 ] || fail "setwright-cli check on the demo project exited with $status: $(head -c 500 "$work/demo.err")"
grep -qx '0 errors, 9 warnings, 0 notes' "$work/demo.out" ||
  fail "setwright-cli check on the demo project reports: $(tail -n 1 "$work/demo.out")"

# The desktop entry, the metainfo and the manual page.
desktop="$root/usr/share/applications/setwright.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects setwright.desktop"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$exec_program" ] || fail "the desktop entry starts '$exec_program', which the package lacks"
metainfo="$root/usr/share/metainfo/org.example.setwright.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
version=$(dpkg-deb -f "$deb" Version)
[ "$release" = "$version" ] || fail "the metainfo's newest release is '$release', the package's version '$version'"
gzip -dc "$root/usr/share/man/man1/setwright-cli.1.gz" | grep -q '^\.TH SETWRIGHT-CLI 1' ||
  fail "the manual page is not a troff page of setwright-cli"

[ $failures -eq 0 ] || exit 1
echo "the package installs, runs and validates"
