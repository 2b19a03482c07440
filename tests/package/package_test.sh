#!/usr/bin/env bash
# Builds the Debian package from the build folder (as ./dev package does) and
# checks what it installs and what it depends on.
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/borvinat_*.deb)
contents=$(dpkg-deb --contents "$deb")
depends=$(dpkg-deb --field "$deb" Depends)
failed=0
fail() { echo "FAIL: $*"; failed=1; }

for path in ./usr/bin/borvinat ./usr/share/applications/borvinat.desktop \
            ./usr/share/icons/hicolor/scalable/apps/borvinat.svg \
            ./usr/share/borvinat/fonts/Vazirmatn-FD-Regular.ttf ./usr/share/borvinat/fonts/Vazirmatn-FD-Bold.ttf \
            ./usr/share/borvinat/fonts/Vazirmatn-Regular.ttf ./usr/share/borvinat/fonts/Vazirmatn-Bold.ttf; do
  grep -qE " ${path//./\\.}\$" <<<"$contents" || fail "$path is not in the package"
done
# The program finds its fonts from /usr/bin through ../share/borvinat/fonts.
grep -qE ' \./usr/bin/fonts' <<<"$contents" && fail "fonts beside the installed program"

# The menu entry starts the installed program and names its icon.
entry=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/borvinat.desktop)
grep -qx 'Exec=borvinat' <<<"$entry" || fail "menu entry does not start borvinat"
grep -qx 'Icon=borvinat' <<<"$entry" || fail "menu entry has no icon"
grep -qx 'Type=Application' <<<"$entry" || fail "menu entry is not an application"

# Runtime libraries and the plugins Qt loads; no build tools, no headers.
IFS=',' read -ra deps <<<"$depends"
names=()
for d in "${deps[@]}"; do
  name=$(sed -E 's/^ *([^ (|]+).*/\1/' <<<"$d")
  names+=("$name")
  case "$name" in
    *-dev|cmake|ninja-build|g++*|gcc*|clang*|ccache|pkg-config|npm|nodejs|make|dpkg-dev|build-essential)
      fail "build tool $name among the dependencies" ;;
  esac
done
for needed in libqt6widgets6 libqt6sql6 libqt6charts6 libqt6printsupport6 qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-psql; do
  printf '%s\n' "${names[@]}" | grep -qx "$needed" || fail "$needed is not among the dependencies: $depends"
done
exit $failed
