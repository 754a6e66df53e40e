#!/usr/bin/env bash
# Builds the Debian package of a configured and built build folder and checks it: the files it holds, its
# dependencies, the desktop entry and the software centre entry. Then installs the build into a temporary prefix
# and runs the programs from there. Usage: tools/check-package.sh [BUILD_DIR]   (default: build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/default}")

config="$build/CPackConfig.cmake"
[[ -r $config ]] || {
    echo "check-package: $build is not a configured build folder" >&2
    exit 1
}
cpack_value() { sed -n "s/^set($1 \"\(.*\)\")$/\1/p" "$config"; }
version=$(cpack_value CPACK_PACKAGE_VERSION)
app_id=$(sed -n 's/^VARDO_APP_ID:STRING=//p' "$build/CMakeCache.txt")
deb="$build/vardo_${version}_$(dpkg --print-architecture).deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

echo "== Debian package"
rm -f "$build"/vardo_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log"
    echo "check-package: cpack failed" >&2
    exit 1
}
[[ -f $deb ]] || {
    echo "check-package: cpack made no $deb" >&2
    exit 1
}
echo "$(basename "$deb"): $(du -h "$deb" | cut -f1)"

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
expected=(
    ./usr/bin/vardo
    ./usr/bin/vardo-cli
    ./usr/share/applications/vardo.desktop
    "./usr/share/metainfo/$app_id.metainfo.xml"
    ./usr/share/icons/hicolor/scalable/apps/vardo.svg
    ./usr/share/man/man1/vardo.1.gz
    ./usr/share/man/man1/vardo-cli.1.gz
    ./usr/share/bash-completion/completions/vardo-cli
    ./usr/share/doc/vardo/README.md
    ./usr/share/doc/vardo/dump-format.md
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/vardo.png")
done
for path in "${expected[@]}"; do
    grep -qxF -- "$path" <<<"$contents" || fail "the package lacks $path"
done
# Only files for /usr, nothing of the build or the tests.
unexpected=$(grep -v -e '/$' -e '^\./usr/\(bin\|share\)/' <<<"$contents" || true)
[[ -z $unexpected ]] || fail "the package holds unexpected files: $unexpected"

depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-liberation2 fonts-crosextra-carlito qt6-qpa-plugins libc6 libqt6widgets6 libicu; do
    grep -q -- "$package" <<<"$depends" || fail "Depends lacks $package: $depends"
done
echo "Depends: $depends"

echo "== desktop entry and software centre entry"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/vardo.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"
for size in 16 48 256; do
    png="$work/root/usr/share/icons/hicolor/${size}x${size}/apps/vardo.png"
    file "$png" | grep -q "PNG image data, $size x $size" ||
        fail "the ${size}x${size} icon is not a PNG of that size"
done
file "$work/root/usr/bin/vardo-cli" | grep -q ", stripped" || fail "vardo-cli is not stripped"

echo "== cmake --install into a temporary prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for program in vardo-cli vardo; do
    answer=$(QT_QPA_PLATFORM=offscreen "$work/prefix/bin/$program" --version) || fail "$program --version failed"
    [[ $answer == "$program $version" ]] || fail "$program --version says '$answer', not '$program $version'"
    echo "$answer"
done
[[ -s $work/prefix/share/man/man1/vardo-cli.1.gz ]] || fail "cmake --install left out the manual page"

if ((failures)); then
    echo "check-package: $failures check(s) failed"
    exit 1
fi
echo "check-package: the package is complete"
