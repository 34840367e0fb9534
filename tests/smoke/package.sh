#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of `make package`: its name, control fields, dependencies
# and files; no maintainer scripts; lintian without errors and, from a hardened
# build, without a hardening tag; the AppStream metadata with its licence and the
# desktop entry valid; the lesson files' type found by xdg-mime and opened with
# Kurvio; and the packaged program, unpacked into a fresh root, started in an X
# server, a second start handing over to it (installed_copy.sh).
#   package.sh CPACK BUILD_DIR DATA_DIR hardened|unhardened
set -euo pipefail

cpack=$1
build=$2
data=$3
hardened=${4:-unhardened}

XDO_TAG=package
source "$(dirname "$0")/xdo.sh"
source "$(dirname "$0")/installed_copy.sh"

for tool in dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" > /dev/null; then
    echo "package: $tool is missing, so the package is not built here"
    exit 77
  fi
done

tmp=$(mktemp -d)
trap 'stop_program; rm -rf "$tmp"' EXIT

"$cpack" --config "$build/CPackConfig.cmake" -B "$tmp/out" > "$tmp/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$tmp/cpack.log")"
version=$(sed -n 's/^CPACK_PACKAGE_VERSION:STRING=//p; s/^CMAKE_PROJECT_VERSION:STATIC=//p' \
  "$build/CMakeCache.txt" | head -n 1)
deb=$tmp/out/kurvio_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb: $(ls "$tmp/out")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == kurvio ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version $(field Version), the project's is $version"
[[ $(field Section) == education ]] || fail "Section: $(field Section)"
depends=$(field Depends)
for need in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 \
  libqt6printsupport6 libqt6network6 libjpeg62-turbo qt6-qpa-plugins; do
  pattern="(^|[ ,])${need//+/\\+}([ ,(]|\$)"
  [[ $depends =~ $pattern ]] || fail "Depends lacks $need: $depends"
done
description=$(field Description)
[[ $description == *"teaching calculus"* && $description == *Analysisunterricht* ]] ||
  fail "the description is not in English and German: $description"

# The files of `make install`, under /usr, and nothing else.
expected=(usr/bin/kurvio usr/share/applications/kurvio.desktop
  usr/share/icons/hicolor/scalable/apps/kurvio.svg usr/share/mime/packages/kurvio.xml
  usr/share/icons/hicolor/scalable/mimetypes/application-x-kurvio-stunde.svg
  usr/share/metainfo/io.github.kurvio.Kurvio.metainfo.xml usr/share/man/man1/kurvio.1.gz
  usr/share/doc/kurvio/copyright usr/share/doc/kurvio/changelog.gz)
for f in "$data"/*.txt; do expected+=("usr/share/kurvio/${f##*/}"); done
want=$(printf '%s\n' "${expected[@]}" | sort)
got=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)
[[ $got == "$want" ]] || fail "packaged files differ:$(diff <(echo "$want") <(echo "$got") | sed 's/^/ /')"

# The MIME and menu databases are rebuilt by the triggers of shared-mime-info and
# desktop-file-utils, so the package needs no scripts of its own.
dpkg-deb -e "$deb" "$tmp/control"
scripts=$(cd "$tmp/control" && ls | grep -vx -e control -e md5sums || true)
[[ -z $scripts ]] || fail "maintainer scripts in the package: $scripts"

if command -v lintian > /dev/null; then
  lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" > "$tmp/lintian.log" 2>&1 ||
    fail "lintian reports errors:$(sed 's/^/ /' "$tmp/lintian.log")"
  sed 's/^/package: lintian: /' "$tmp/lintian.log"
  # Lintian counts a missing hardening only as a warning or a note, so these are
  # asked for alone, notes shown, and any one of them fails.
  if [[ $hardened == hardened ]]; then
    hardening=hardening-no-relro,hardening-no-bindnow,hardening-no-fortify-functions,hardening-no-pie
    lintian --tags "$hardening" --display-info --fail-on error,warning,info "$deb" \
      > "$tmp/hardening.log" 2>&1 && ! grep -q 'hardening-no-' "$tmp/hardening.log" ||
      fail "lintian reports a missing hardening:$(sed 's/^/ /' "$tmp/hardening.log")"
    echo "package: lintian: no ${hardening//,/, }"
  else
    echo "package: the build is not hardened (not optimised, or with sanitizers), so its hardening is not linted"
  fi
else
  echo "package: lintian is missing, so the package is not linted here"
fi

root=$tmp/root
dpkg-deb -x "$deb" "$root"
report=$(appstreamcli validate --no-net --explain \
  "$root/usr/share/metainfo/io.github.kurvio.Kurvio.metainfo.xml" 2>&1) ||
  fail "appstreamcli validate failed: $report"
grep -qE '^[EW]:' <<< "$report" && fail "appstreamcli validate: $report"
report=$(desktop-file-validate "$root/usr/share/applications/kurvio.desktop" 2>&1) ||
  fail "desktop-file-validate failed: $report"
[[ -z $report ]] || fail "desktop-file-validate: $report"
for line in 'Exec=kurvio %f' 'MimeType=application/x-kurvio-stunde;'; do
  grep -qxF "$line" "$root/usr/share/applications/kurvio.desktop" ||
    fail "the desktop entry lacks $line"
done
[[ $("$root/usr/bin/kurvio" --version) == "Kurvio $version" ]] ||
  fail "the packaged program says it is $("$root/usr/bin/kurvio" --version)"
echo "package: $(basename "$deb"): fields, dependencies and files as they should be"

# A .kurvio file as a desktop without a MIME handler of its own sees it: the
# package's type and entry in an XDG data folder of their own, the databases
# built as the triggers build them under /usr/share, and xdg-mime asked. Its
# generic lookup is mimetype (File::MimeInfo), which reads that database; without
# it xdg-mime would fall back to file(1), which knows no file names.
for tool in xdg-mime mimetype update-mime-database update-desktop-database; do
  command -v "$tool" > /dev/null || fail "$tool is missing (tools/bootstrap installs it)"
done
xdg=$tmp/xdg
mkdir -p "$xdg/mime/packages" "$xdg/applications" "$tmp/xdg-config"
cp "$root/usr/share/mime/packages/kurvio.xml" "$xdg/mime/packages/"
cp "$root/usr/share/applications/kurvio.desktop" "$xdg/applications/"
printf '[Kurvio-Stunde]\nVersion=1\n' > "$tmp/Stunde 1.kurvio"
(
  unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID \
    MATE_DESKTOP_SESSION_ID LXQT_SESSION_CONFIG
  export XDG_DATA_HOME=$xdg XDG_DATA_DIRS=$xdg XDG_CONFIG_HOME=$tmp/xdg-config \
    XDG_CONFIG_DIRS=$tmp/xdg-config
  update-mime-database "$xdg/mime" || fail "update-mime-database failed"
  update-desktop-database "$xdg/applications" || fail "update-desktop-database failed"
  type=$(xdg-mime query filetype "$tmp/Stunde 1.kurvio" 2>&1) || true
  [[ $type == application/x-kurvio-stunde ]] || fail "xdg-mime names \"$type\" for Stunde 1.kurvio"
  opener=$(xdg-mime query default application/x-kurvio-stunde 2>&1) || true
  [[ $opener == kurvio.desktop ]] || fail "xdg-mime opens the lesson files with \"$opener\""
)
described=$xdg/mime/application/x-kurvio-stunde.xml
if ! grep -qF '<comment>Kurvio lesson</comment>' "$described" ||
  ! grep -qF '<comment xml:lang="de">Kurvio-Stunde</comment>' "$described"; then
  fail "the lesson files' type lacks its English or German name: $(cat "$described")"
fi
echo "package: xdg-mime finds application/x-kurvio-stunde for a .kurvio file and opens it with kurvio.desktop"

check_installed_copy "$root/usr" "$tmp"
check_second_instance "$root/usr" "$tmp"
