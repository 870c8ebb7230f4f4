#!/usr/bin/env bash
# Builds the Debian package in build-package/ with CPack:
#   package.sh          the .deb
#   package.sh --check  the .deb, then its checks: lintian (no errors), the
#                       desktop entry, the AppStream metainfo, the files it
#                       holds, and the unpacked programs run from a scratch root
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build-package"
check=0
case "${1:-}" in
  "") ;;
  --check) check=1 ;;
  *) echo "usage: package.sh [--check]" >&2; exit 2 ;;
esac
started=$SECONDS

# The packaging tools beside the build's: CPack's dependency computation, and the checkers.
tools=(dpkg-dev file)
[ "$check" = 1 ] && tools+=(lintian desktop-file-utils appstream)
"$here/scripts/install-deps.sh" "${tools[@]}"

# The same compiler flags as the ordinary build, so the compiler cache serves
# both; the package's programs are stripped by CPack. Tests are not built.
BUILD_TYPE=RelWithDebInfo "$here/scripts/build.sh" "$build" -DSNA_TESTS=OFF
rm -f "$build"/sna_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/sna_*.deb)"
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"
[ "$check" = 1 ] || exit 0

fail() { echo "package check: $*" >&2; exit 1; }

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

echo "== contents"
listing="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')"
echo "$listing" | grep -v '/$'
for f in /usr/bin/sna /usr/bin/sna-admin \
         /usr/share/applications/org.vantoremis.sna.desktop \
         /usr/share/metainfo/org.vantoremis.sna.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/sna.svg \
         /usr/share/icons/hicolor/48x48/apps/sna.png /usr/share/icons/hicolor/64x64/apps/sna.png \
         /usr/share/icons/hicolor/128x128/apps/sna.png /usr/share/icons/hicolor/256x256/apps/sna.png \
         /usr/share/man/man1/sna.1.gz /usr/share/man/man1/sna-admin.1.gz \
         /usr/share/doc/sna/copyright /usr/share/doc/sna/changelog.gz; do
  echo "$listing" | grep -qx "$f" || fail "$f is not in the package"
done

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root/unpacked"

echo "== desktop entry and metainfo"
desktop-file-validate "$root/unpacked/usr/share/applications/org.vantoremis.sna.desktop" \
  || fail "desktop-file-validate"
grep -qx 'Exec=sna' "$root/unpacked/usr/share/applications/org.vantoremis.sna.desktop" \
  || fail "the desktop entry does not start sna"
appstreamcli validate --no-net "$root/unpacked/usr/share/metainfo/org.vantoremis.sna.metainfo.xml" \
  || fail "appstreamcli validate"

echo "== the unpacked programs"
mkdir -m 700 "$root/runtime"
export XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" XDG_RUNTIME_DIR="$root/runtime"
bin="$root/unpacked/usr/bin"
version="$(sed -n 's/^project(sna VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"
[ "$("$bin/sna-admin" --version)" = "sna-admin $version" ] || fail "sna-admin --version"
[ "$("$bin/sna" --version)" = "sna $version" ] || fail "sna --version"
"$bin/sna-admin" demo-host --db "$root/school.db"
"$bin/sna-admin" check-tables --db "$root/school.db"
"$bin/sna-admin" check-tables --db "$root/school.db" | grep -qE '^all [0-9]+ tables present$' \
  || fail "check-tables left tables to make"
echo "package check passed in $((SECONDS - started)) s"
