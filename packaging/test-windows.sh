#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Windows installer silently into a fresh Wine prefix, checks the files, the
# registry and the installed bundle (the conformance suite from its installed place), then
# uninstalls and checks that nothing of it is left but the user's preset.
# Usage: VERSION=… WINDOWS=build-windows test-windows.sh <setup.exe>
set -euo pipefail
: "${VERSION:?}" "${WINDOWS:?}"
installer=$(realpath "$1")
conformance=$(realpath "$WINDOWS/tests/conformance/test_conformance.exe")
fail () { echo "test-windows: $*" >&2; exit 1; }

# A fresh private prefix (and home, so Wine links no folder of the user's), without the .NET and
# browser components nothing here needs.
scratch=$(mktemp -d)
export HOME=$scratch/home WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$HOME"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
started=$(date +%s)
wineboot -i </dev/null >/dev/null 2>&1
echo "Fresh Wine prefix in $(( $(date +%s) - started )) s"

drive=$WINEPREFIX/drive_c
bundle="$drive/Program Files/Common Files/VST3/Overmoor.vst3"
program="$drive/Program Files/Morvane/Overmoor"
product_key='HKLM\Software\Morvane\Stravel\Overmoor'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Overmoor'
value () {   # <key> <name> <view 32|64>: the value's data, or nothing
  wine reg query "$1" /v "$2" "/reg:$3" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
preset=$(find "$drive/users" -mindepth 2 -maxdepth 2 -name Documents ! -path '*/Public/*' | head -1)
[ -n "$preset" ] || fail "no Documents folder in the prefix"
preset="$preset/VST3 Presets/Morvane/Overmoor/Kept Tone.vstpreset"
mkdir -p "$(dirname "$preset")"
echo "a preset the user saved" >"$preset"

wine "$installer" /S </dev/null >/dev/null 2>&1 || fail "the silent install failed"
wineserver -w
for file in "$bundle/Contents/x86_64-win/Overmoor.vst3" "$bundle/Contents/Resources/Overmoor Manual.pdf" \
            "$program/Overmoor Manual.pdf" "$program/LICENSE" "$program/overmoor-host.exe" \
            "$program/Uninstall.exe"; do
  [ -f "$file" ] || fail "not installed: ${file#"$drive/"}"
done
help_path=$(value "$product_key" HelpPath 64)
[ -n "$help_path" ] || fail "no HelpPath in the 64-bit registry view"
[ -z "$(value "$product_key" HelpPath 32)" ] || fail "HelpPath is in the 32-bit view too"
# What the editor's Help opens: the value up to its last backslash, then the manual's name.
manual=$(winepath -u "${help_path%\\*}\\Overmoor Manual.pdf" 2>/dev/null)
cmp -s "$manual" "$program/Overmoor Manual.pdf" || fail "HelpPath '$help_path' does not lead to the manual"
[ "$(value "$uninstall_key" DisplayVersion 64)" = "$VERSION" ] || fail "no uninstall entry for $VERSION"
value "$uninstall_key" UninstallString 64 | grep -qF 'Uninstall.exe' || fail "no UninstallString"
echo "Installed: files in place, HelpPath = $help_path (64-bit view), uninstall entry $VERSION"

OVERMOOR_BUNDLE='C:\Program Files\Common Files\VST3\Overmoor.vst3' wine "$conformance" --gtest_brief=1 </dev/null ||
  fail "the installed bundle fails the conformance suite"

wine "$program/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the silent uninstall failed"
wineserver -w   # the uninstaller runs on from a copy of itself
[ ! -e "$bundle" ] || fail "the bundle is still installed"
[ ! -e "$program" ] && [ ! -e "$drive/Program Files/Morvane" ] || fail "the program folder is still there"
for view in 64 32; do
  ! wine reg query "$product_key" "/reg:$view" >/dev/null 2>&1 || fail "the product key is left ($view-bit view)"
  ! wine reg query 'HKLM\Software\Morvane' "/reg:$view" >/dev/null 2>&1 || fail "an empty maker key is left"
  ! wine reg query "$uninstall_key" "/reg:$view" >/dev/null 2>&1 || fail "the uninstall entry is left"
done
[ -f "$preset" ] || fail "the uninstaller removed the user's preset"
echo "Uninstalled: no file, no key left; the user's preset kept"
