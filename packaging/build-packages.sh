#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the four downloads into $OUT from the Release trees $LINUX and $WINDOWS, staging in
# $STAGE (called by scripts/package with VERSION, HOMEPAGE and SOURCE_DATE_EPOCH set). Reads only
# build outputs and packaging/, so that two calls give the same bytes.
set -euo pipefail
: "${VERSION:?}" "${HOMEPAGE:?}" "${LINUX:?}" "${WINDOWS:?}" "${STAGE:?}" "${OUT:?}" "${SOURCE_DATE_EPOCH:?}"
here=$(dirname "$0")
mkdir -p "$OUT"
OUT=$(realpath "$OUT")
manual="$LINUX/Overmoor.vst3/Contents/Resources/Overmoor Manual.pdf"
maintainer="Morvane <packages@morvane.com>"

# Plain modes, root's files (set by the archivers), every date the sources' date.
normalise () {   # <folder>
  find "$1" -type d -exec chmod 755 {} +
  find "$1" -type f -exec chmod 644 {} +
  find "$1" -path '*/bin/*' -type f -exec chmod 755 {} +
  find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}
stripped () {   # <ELF file> <destination>: what Debian ships, without symbols and tool notes
  mkdir -p "$(dirname "$2")"
  strip --remove-section=.comment --remove-section=.note --strip-unneeded -o "$2" "$1"
}
man_page () {   # <name> <destination folder>
  mkdir -p "$2"
  sed "s/@VERSION@/$VERSION/" "$here/man/$1.1" >"$2/$1.1"
}
tarball () {   # <archive> <folder> <member>
  tar --sort=name --format=gnu --owner=0 --group=0 --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" \
    -C "$2" -cf - "$3" | gzip -9n >"$1"
}

# ---- Linux: one tree of the bundle and the tools, packed twice
linux_bundle=$STAGE/linux/Overmoor.vst3
stripped "$LINUX/Overmoor.vst3/Contents/x86_64-linux/Overmoor.so" "$linux_bundle/Contents/x86_64-linux/Overmoor.so"
mkdir -p "$linux_bundle/Contents/Resources"
cp "$manual" "$linux_bundle/Contents/Resources/"
for tool in render host; do
  stripped "$LINUX/tools/$tool/overmoor-$tool" "$STAGE/linux/bin/overmoor-$tool"
done

# The Debian package: the bundle where hosts look for system-wide plug-ins.
deb=$STAGE/deb
doc=$deb/usr/share/doc/overmoor
mkdir -p "$deb/usr/lib/vst3" "$deb/usr/bin" "$doc" "$deb/DEBIAN"
cp -a "$linux_bundle" "$deb/usr/lib/vst3/"
cp -a "$STAGE/linux/bin/." "$deb/usr/bin/"
for tool in render host; do
  man_page "overmoor-$tool" "$deb/usr/share/man/man1"
  gzip -9n "$deb/usr/share/man/man1/overmoor-$tool.1"
done
cp README.md "$here/debian/copyright" "$doc/"
# The bundle keeps the manual (its Help opens it there); the documentation folder points at it.
ln -s "../../../lib/vst3/Overmoor.vst3/Contents/Resources/Overmoor Manual.pdf" "$doc/Overmoor Manual.pdf"
{
  printf 'overmoor (%s) unstable; urgency=medium\n\n' "$VERSION"
  printf '  * Release %s.\n\n' "$VERSION"
  printf ' -- %s  %s\n' "$maintainer" "$(date -R -u -d "@$SOURCE_DATE_EPOCH")"
} | gzip -9n >"$doc/changelog.gz"

# Dependencies from the libraries the binaries link, as Debian's own packages compute them.
mkdir -p "$STAGE/shlibdeps/debian"
printf 'Source: overmoor\n\nPackage: overmoor\nArchitecture: amd64\n' >"$STAGE/shlibdeps/debian/control"
elves=("$deb/usr/bin/overmoor-render" "$deb/usr/bin/overmoor-host" "$deb/usr/lib/vst3/Overmoor.vst3/Contents/x86_64-linux/Overmoor.so")
depends=$(cd "$STAGE/shlibdeps" && dpkg-shlibdeps -O "${elves[@]}" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "package: dpkg-shlibdeps found no dependencies" >&2; exit 1; }
normalise "$deb"
size=$(du -sk --apparent-size "$deb/usr" | cut -f1)
control=$(<"$here/debian/control")   # the values may hold any sed delimiter ("a | b")
control=${control//@VERSION@/$VERSION}
control=${control//@INSTALLED_SIZE@/$size}
control=${control//@DEPENDS@/$depends}
printf '%s\n' "${control//@HOMEPAGE@/$HOMEPAGE}" >"$deb/DEBIAN/control"
(cd "$deb" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum >DEBIAN/md5sums)
normalise "$deb/DEBIAN"
dpkg-deb --root-owner-group -Zxz --build "$deb" "$OUT/overmoor_${VERSION}_amd64.deb" >/dev/null

# The archive for other distributions: bundle, tools, manual pages, README and licence.
portable=$STAGE/tar/overmoor-$VERSION-linux-x86_64
mkdir -p "$portable"
cp -a "$linux_bundle" "$STAGE/linux/bin" "$portable/"
for tool in render host; do man_page "overmoor-$tool" "$portable/man/man1"; done
cp README.md LICENSE "$portable/"
normalise "$portable"
tarball "$OUT/overmoor-$VERSION-linux-x86_64.tar.gz" "$STAGE/tar" "overmoor-$VERSION-linux-x86_64"

# ---- Windows: the bundle, the editor host, the manual and the licence, zipped and in the installer
win=$STAGE/windows
mkdir -p "$win"
cp -a "$WINDOWS/Overmoor.vst3" "$win/"
cp "$manual" LICENSE "$WINDOWS/tools/host/overmoor-host.exe" "$win/"
normalise "$win"
(cd "$win" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort | zip -q -X -@ "$OUT/Overmoor-$VERSION-windows-x86_64.zip")

# One File line per bundle file on install, one Delete per file and RMDir per folder (deepest
# first) on uninstall.
lists=$STAGE/nsis
mkdir -p "$lists"
: >"$lists/bundle-files.nsh"
: >"$lists/bundle-removal.nsh"
(cd "$win" && find Overmoor.vst3 -type f | LC_ALL=C sort) | while read -r file; do
  folder=$(dirname "$file" | sed 's|^Overmoor.vst3||; s|/|\\|g')
  printf 'SetOutPath "${BUNDLE_DIR}%s"\nFile "%s"\n' "$folder" "$win/$file" >>"$lists/bundle-files.nsh"
  printf 'Delete "${BUNDLE_DIR}\\%s"\n' "$(sed 's|^Overmoor.vst3/||; s|/|\\|g' <<<"$file")" >>"$lists/bundle-removal.nsh"
done
(cd "$win" && find Overmoor.vst3 -mindepth 1 -type d | LC_ALL=C sort -r) | while read -r folder; do
  printf 'RMDir "${BUNDLE_DIR}\\%s"\n' "$(sed 's|^Overmoor.vst3/||; s|/|\\|g' <<<"$folder")" >>"$lists/bundle-removal.nsh"
done
printf 'RMDir "${BUNDLE_DIR}"\n' >>"$lists/bundle-removal.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DSOURCE="$win" -DSIZE_KB="$(du -sk --apparent-size "$win" | cut -f1)" \
  -DBUNDLE_FILES="$lists/bundle-files.nsh" -DBUNDLE_REMOVAL="$lists/bundle-removal.nsh" \
  -DOUTFILE="$OUT/Overmoor-$VERSION-windows-x86_64-setup.exe" "$here/windows/Overmoor.nsi" >/dev/null
