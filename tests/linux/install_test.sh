#!/usr/bin/env bash
# Installs a build into a temporary prefix and packs it with CPack: the program
# where xscreensaver and xsecurelock look, the settings file, the desktop entry
# naming the installed program, a man page that reads without warnings, and a
# Debian package whose dependencies dpkg-shlibdeps found.
#   install_test.sh BUILD_DIR SETTINGS_TEST REFERENCE_FOLDER
set -uo pipefail
build=$1
settings_test=$2
reference=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

prefix=$work/prefix/usr
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
program=$prefix/libexec/xscreensaver/zandor3d
for file in libexec/xscreensaver/zandor3d share/xscreensaver/config/zandor3d.xml \
  share/applications/screensavers/zandor3d.desktop share/man/man6/zandor3d.6.gz; do
  [ -f "$prefix/$file" ] && echo "installed: $file" || fail "not installed: $file"
done
[ -x "$program" ] || fail "the program is not executable"

desktop=$prefix/share/applications/screensavers/zandor3d.desktop
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -qx "Exec=$program --root" "$desktop" || fail "desktop entry does not start $program --root"

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/zandor3d.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man page warnings: $warnings"

python3 "$settings_test" "$prefix/share/xscreensaver/config/zandor3d.xml" "$reference" "$program" ||
  fail "installed settings file"

(cd "$build" && cpack -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/zandor3d_*.deb 2>/dev/null | head -n 1)
if [ -z "$deb" ]; then
  fail "no package made"
else
  echo "package: $(basename "$deb")"
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for library in libc6 libx11-6 libgl1; do
    [[ $depends == *"$library"* ]] || fail "the package does not depend on $library"
  done
  contents=$(dpkg-deb -c "$deb")
  for file in ./usr/libexec/xscreensaver/zandor3d ./usr/share/xscreensaver/config/zandor3d.xml \
    ./usr/share/applications/screensavers/zandor3d.desktop ./usr/share/man/man6/zandor3d.6.gz; do
    grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
  done
  dpkg-deb -x "$deb" "$work/unpacked"
  grep -qx "Exec=/usr/libexec/xscreensaver/zandor3d --root" \
    "$work/unpacked/usr/share/applications/screensavers/zandor3d.desktop" ||
    fail "the packaged desktop entry does not start /usr/libexec/xscreensaver/zandor3d"
fi
[ "$failures" -eq 0 ] && echo "installation and package: passed"
exit $((failures > 0))
