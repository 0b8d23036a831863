#!/usr/bin/env bash
# Installs the build into a scratch prefix as an administrator would, starts
# the installed program, validates its desktop entry, and checks the Debian
# package's contents and dependencies.
# Usage: check_install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

icons=(scalable/apps/lumograph.svg)
for size in 16 32 48 64 128 256; do icons+=("${size}x${size}/apps/lumograph.png"); done
expected=(bin/lumograph share/applications/lumograph.desktop share/doc/lumograph/README.md)
for icon in "${icons[@]}"; do expected+=("share/icons/hicolor/$icon"); done
for file in "${expected[@]}"; do [ -f "$prefix/$file" ] || fail "$file is not installed"; done
for size in 16 32 48 64 128 256; do
  file "$prefix/share/icons/hicolor/${size}x${size}/apps/lumograph.png" | grep -q "PNG image data, $size x $size," ||
    fail "the ${size}x${size} icon is not a PNG of that size"
done

desktop-file-validate "$prefix/share/applications/lumograph.desktop" || fail "the desktop entry does not validate"
# The menu starts the program by the name the entry gives, with the files and folders chosen.
grep -qx 'Exec=lumograph %F' "$prefix/share/applications/lumograph.desktop" || fail "Exec is not 'lumograph %F'"

out=$("$prefix/bin/lumograph" --version)
[[ $out == "Lumograph $version (Qt "*")" ]] || fail "--version printed '$out'"
"$prefix/bin/lumograph" --help | grep -q -- '--headless ACTION' || fail "--help"
"$prefix/bin/lumograph" --headless --dump - | grep -q '"DTGraph"' || fail "the installed program does not run headless"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >/dev/null
deb=("$scratch/package"/lumograph_"$version"_*.deb)
[ -f "${deb[0]}" ] || fail "cpack made no lumograph_${version}_*.deb"
depends=$(dpkg-deb --field "${deb[0]}" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-dejavu-core; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "the package does not depend on $package: $depends"
done
contents=$(dpkg-deb --contents "${deb[0]}")
for file in "${expected[@]}"; do
  grep -q " \./usr/$file$" <<<"$contents" || fail "the package lacks /usr/$file"
done
echo "installed, started, validated and packaged lumograph $version"
