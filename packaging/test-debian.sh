#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package as a user gets it: lintian, the exact contents, and the programs run
# from a throw-away root it was unpacked into. Usage: VERSION=… LINUX=build test-debian.sh <deb>
set -euo pipefail
: "${VERSION:?}" "${LINUX:?}"
deb=$1
fail () { echo "test-debian: $*" >&2; exit 1; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

report=$(lintian --tag-display-limit 0 "$deb" 2>&1) || true
[ -z "$report" ] || echo "$report"
! grep -q '^E:' <<<"$report" || fail "lintian reports errors"

expected="./
./usr/
./usr/bin/
./usr/bin/overmoor-host
./usr/bin/overmoor-render
./usr/lib/
./usr/lib/vst3/
./usr/lib/vst3/Overmoor.vst3/
./usr/lib/vst3/Overmoor.vst3/Contents/
./usr/lib/vst3/Overmoor.vst3/Contents/Resources/
./usr/lib/vst3/Overmoor.vst3/Contents/Resources/Overmoor Manual.pdf
./usr/lib/vst3/Overmoor.vst3/Contents/x86_64-linux/
./usr/lib/vst3/Overmoor.vst3/Contents/x86_64-linux/Overmoor.so
./usr/share/
./usr/share/doc/
./usr/share/doc/overmoor/
./usr/share/doc/overmoor/Overmoor Manual.pdf
./usr/share/doc/overmoor/README.md
./usr/share/doc/overmoor/changelog.gz
./usr/share/doc/overmoor/copyright
./usr/share/man/
./usr/share/man/man1/
./usr/share/man/man1/overmoor-host.1.gz
./usr/share/man/man1/overmoor-render.1.gz"
contents=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | LC_ALL=C sort)
[ "$contents" = "$expected" ] || { diff <(echo "$expected") <(echo "$contents") >&2; fail "unexpected contents"; }
owners=$(dpkg-deb --fsys-tarfile "$deb" | tar -tv --numeric-owner | awk '$2 != "0/0"')
[ -z "$owners" ] || fail "members not owned by root: $owners"
dpkg-deb -f "$deb" Depends | grep -q 'libsndfile1' || fail "Depends lacks the renderer's libsndfile1"
echo "lintian: no errors; contents as listed ($(wc -l <<<"$contents") entries, all root's)"

dpkg-deb -x "$deb" "$root"
bundle=$root/usr/lib/vst3/Overmoor.vst3
[ -f "$root/usr/share/doc/overmoor/Overmoor Manual.pdf" ] || fail "the documentation's manual link is broken"
OVERMOOR_BUNDLE=$bundle "$LINUX/tests/conformance/test_conformance" --gtest_brief=1 ||
  fail "the installed bundle fails the conformance suite"
"$root/usr/bin/overmoor-render" --quiet --plugin "$bundle" --preset "Full Drive" \
  "$LINUX/demo/guitar-di.wav" "$root/riff.wav" || fail "overmoor-render cannot render through the installed bundle"
[ "$(stat -c %s "$root/riff.wav")" -gt 100000 ] || fail "the rendered riff is nearly empty"
"$root/usr/bin/overmoor-render" --help | grep -q '^Usage: overmoor-render' || fail "overmoor-render --help"
"$root/usr/bin/overmoor-host" --help | grep -q 'Opens the Overmoor editor' || fail "overmoor-host --help"
for page in render host; do
  text=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/overmoor-$page.1.gz" 2>&1)
  grep -qE "overmoor-$page +- " <<<"$text" && grep -q "Overmoor $VERSION" <<<"$text" ||
    fail "the manual page of overmoor-$page: $text"
done
echo "Installed root: conformance suite passed, demo riff rendered, --help and manual pages read"
