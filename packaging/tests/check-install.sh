#!/bin/sh
# Installs into a staging directory and checks what a user would get: exactly
# the expected files, a valid desktop entry and AppStream metadata, a sane udev
# rule, and a Debian package with its dependencies and maintainer scripts.
# Usage: check-install.sh BUILD_DIR WORK_DIR
set -eu

build=$1
work=$2
rm -rf "$work"
mkdir -p "$work/stage"
stage=$work/stage

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$stage/usr" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install"; }

cat >"$work/expected" <<'LIST'
usr/bin/qov-sim
usr/bin/qovctl
usr/bin/qovprog
usr/lib/udev/rules.d/60-qov-programmer.rules
usr/share/applications/org.example.QovProg.desktop
usr/share/bash-completion/completions/qovctl
usr/share/doc/qov-programming-software/copyright
usr/share/icons/hicolor/scalable/apps/org.example.QovProg.svg
usr/share/man/man1/qov-sim.1
usr/share/man/man1/qovctl.1
usr/share/metainfo/org.example.QovProg.metainfo.xml
usr/share/zsh/vendor-completions/_qovctl
LIST
(cd "$stage" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "installed files differ from the expected list"
echo "ok: installed files"

rules=$stage/usr/lib/udev/rules.d/60-qov-programmer.rules
grep -q 'ATTRS{idVendor}=="10c4", ATTRS{idProduct}=="823e".*TAG+="uaccess"' "$rules" ||
    fail "udev rule does not grant seat access to 10c4:823e"
grep -q 'ENV{ID_MM_DEVICE_IGNORE}="1"' "$rules" || fail "udev rule does not keep ModemManager away"
if grep -Eq 'MODE="?0?66[0-9]' "$rules"; then fail "udev rule makes the device world-writable"; fi
echo "ok: udev rule"

if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$stage/usr/share/applications/org.example.QovProg.desktop" ||
        fail "desktop-file-validate"
    echo "ok: desktop entry"
else
    echo "skipped: desktop-file-validate is not installed"
fi

if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$stage/usr/share/metainfo/org.example.QovProg.metainfo.xml" ||
        fail "appstreamcli validate"
    echo "ok: AppStream metadata"
else
    echo "skipped: appstreamcli is not installed"
fi

for script in "$(dirname "$0")"/../debian/*; do
    sh -n "$script" || fail "syntax of $script"
done

if ! command -v dpkg-deb >/dev/null 2>&1; then
    echo "skipped: dpkg-deb is not installed, no Debian package built"
    exit 0
fi
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
deb=$(ls "$work"/package/*.deb)
info=$(dpkg-deb --info "$deb")
echo "$info"
echo "$info" | grep -q '^ Package: qov-programming-software$' || fail "package name"
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins; do
    echo "$info" | grep -E '^ Depends:' | grep -q "$dep" || fail "no dependency on $dep"
done
for script in postinst prerm postrm; do
    echo "$info" | grep -Eq "^ +[0-9]+ bytes, +[0-9]+ lines +\* +$script " ||
        fail "$script missing or not executable"
done
dpkg-deb --contents "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort \
    >"$work/packaged"
diff -u "$work/expected" "$work/packaged" || fail "package contents differ from the expected list"
echo "ok: Debian package"
