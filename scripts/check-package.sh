#!/usr/bin/env bash
# Checks a built Debian package of Zenolune: its contents, lintian (no
# error), its size, the desktop entry and the metainfo, and both programs
# run from the unpacked tree.
#   scripts/check-package.sh build/program/zenolune_VERSION_ARCH.deb VERSION
set -euo pipefail
deb="$1"
version="$2"
fail() { echo "paquet : $*" >&2; exit 1; }

size=$(stat -c %s "$deb")
[ "$size" -le $((2 * 1024 * 1024)) ] || fail "$size octets, plus de 2 Mo"

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
id=org.zenolune.Zenolune
for f in /usr/bin/zenolune /usr/bin/zenolune-ephem \
         /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/$id.svg \
         /usr/share/icons/hicolor/48x48/apps/$id.png /usr/share/icons/hicolor/128x128/apps/$id.png \
         /usr/share/icons/hicolor/256x256/apps/$id.png \
         /usr/share/man/man1/zenolune.1.gz /usr/share/man/man1/zenolune-ephem.1.gz \
         /usr/share/man/fr/man1/zenolune.1.gz /usr/share/man/fr/man1/zenolune-ephem.1.gz \
         /usr/share/doc/zenolune/copyright /usr/share/doc/zenolune/changelog.gz; do
    grep -qx "$f" <<<"$contents" || fail "$f manque"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "dépendances sans Qt (dpkg-shlibdeps ?)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version), $version attendue"

# Errors fail, warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian signale des erreurs"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$id.desktop" | grep -v '^.*: hint:' || true
desktop-file-validate "$root/usr/share/applications/$id.desktop" >/dev/null || fail "entrée de bureau invalide"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null || fail "métadonnées AppStream invalides"
for page in "$root"/usr/share/man/man1/*.gz "$root"/usr/share/man/fr/man1/*.gz; do
    [ -n "$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)" ] || fail "page de manuel vide : $page"
done

[ "$("$root/usr/bin/zenolune-ephem" --version)" = "zenolune-ephem $version" ] || fail "zenolune-ephem --version"
"$root/usr/bin/zenolune-ephem" "01/01/2000 12:00:00" | grep -q '"jourjuli": "2451545"' || fail "zenolune-ephem : une passe"
[ "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/zenolune" --version)" = "zenolune $version" ] || fail "zenolune --version"
echo "paquet : $(basename "$deb"), $((size / 1024)) Kio, conforme"
