#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program in an X server: `cmake --install` into a fresh prefix
# puts every file where a desktop looks for it, and the installed copy behaves
# (installed_copy.sh).
#   install.sh CMAKE BUILD_DIR DATA_DIR [PNG_DIR]
set -euo pipefail

cmake=$1
build=$2
data=$3
pngs=${4:-${KURVIO_PNG_DIR:-}}

XDO_TAG=install
source "$(dirname "$0")/xdo.sh"

source "$(dirname "$0")/installed_copy.sh"

tmp=$(mktemp -d)
trap 'stop_program; rm -rf "$tmp"' EXIT

prefix=$tmp/prefix
# A DESTDIR of the caller's would put the files elsewhere.
env -u DESTDIR "$cmake" --install "$build" --prefix "$prefix" > "$tmp/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$tmp/install.log")"

# Every file where it belongs, and nothing else.
expected=(bin/kurvio share/applications/kurvio.desktop share/icons/hicolor/scalable/apps/kurvio.svg
  share/mime/packages/kurvio.xml share/icons/hicolor/scalable/mimetypes/application-x-kurvio-stunde.svg
  share/metainfo/io.github.kurvio.Kurvio.metainfo.xml share/man/man1/kurvio.1.gz
  share/doc/kurvio/copyright share/doc/kurvio/changelog.gz)
for f in "$data"/*.txt; do expected+=("share/kurvio/${f##*/}"); done
want=$(printf '%s\n' "${expected[@]}" | sort)
got=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort)
[[ $got == "$want" ]] || fail "installed files differ:$(diff <(echo "$want") <(echo "$got") | sed 's/^/ /')"
[[ -x $prefix/bin/kurvio ]] || fail "bin/kurvio is not executable"
for f in "$data"/*.txt; do
  cmp -s "$f" "$prefix/share/kurvio/${f##*/}" || fail "share/kurvio/${f##*/} differs from $f"
done

entry=$prefix/share/applications/kurvio.desktop
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate failed: $report"
[[ -z $report ]] || fail "desktop-file-validate: $report"

# The program's icon and that of its lesson files.
for icon in apps/kurvio mimetypes/application-x-kurvio-stunde; do
  png=$tmp/${icon##*/}.png
  rsvg-convert -w 256 "$prefix/share/icons/hicolor/scalable/$icon.svg" -o "$png" ||
    fail "rsvg-convert cannot render the icon $icon"
  [[ -s $png && $(head -c 4 "$png" | tail -c 3) == PNG ]] || fail "the icon $icon rendered to no PNG"
done
if [[ -n $pngs ]]; then
  cp "$tmp/kurvio.png" "$pngs/install-icon.png"
  cp "$tmp/application-x-kurvio-stunde.png" "$pngs/install-lesson-icon.png"
fi
echo "install: files in place, the desktop entry valid, the icons rendered"

check_installed_copy "$prefix" "$tmp"
