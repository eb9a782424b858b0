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

# What each package holds; a plain install holds both.
cat >"$work/expected-tools" <<'LIST'
usr/bin/qov-sim
usr/bin/qovctl
usr/lib/udev/rules.d/60-qov-programmer.rules
usr/share/bash-completion/completions/qovctl
usr/share/doc/qov-tools/changelog.gz
usr/share/doc/qov-tools/copyright
usr/share/lintian/overrides/qov-tools
usr/share/man/man1/qov-sim.1.gz
usr/share/man/man1/qovctl.1.gz
usr/share/zsh/vendor-completions/_qovctl
LIST
cat >"$work/expected-gui" <<'LIST'
usr/bin/qovprog
usr/share/applications/org.example.QovProg.desktop
usr/share/doc/qovprog/changelog.gz
usr/share/doc/qovprog/copyright
usr/share/icons/hicolor/64x64/apps/org.example.QovProg.png
usr/share/icons/hicolor/scalable/apps/org.example.QovProg.svg
usr/share/lintian/overrides/qovprog
usr/share/man/man1/qovprog.1.gz
usr/share/metainfo/org.example.QovProg.metainfo.xml
LIST
LC_ALL=C sort "$work/expected-tools" "$work/expected-gui" >"$work/expected"
(cd "$stage" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "installed files differ from the expected list"
echo "ok: installed files"

rules=$stage/usr/lib/udev/rules.d/60-qov-programmer.rules
grep -q 'ATTRS{idVendor}=="10c4", ATTRS{idProduct}=="823e".*TAG+="uaccess"' "$rules" ||
    fail "udev rule does not grant seat access to 10c4:823e"
grep -q 'ENV{ID_MM_DEVICE_IGNORE}="1"' "$rules" || fail "udev rule does not keep ModemManager away"
if grep -Eq 'MODE="?0?66[0-9]' "$rules"; then fail "udev rule makes the device world-writable"; fi
echo "ok: udev rule"

# A source install under /usr/local puts the rule where udev reads it.
DESTDIR=$work/local cmake --install "$build" --prefix /usr/local --component tools \
    >"$work/install-local.log" 2>&1 || { cat "$work/install-local.log" >&2; fail "install to /usr/local"; }
[ -f "$work/local/etc/udev/rules.d/60-qov-programmer.rules" ] ||
    fail "a /usr/local install does not put the udev rule in /etc/udev/rules.d"
[ ! -e "$work/local/usr/local/lib/udev" ] || fail "a /usr/local install leaves a udev rule udev never reads"
echo "ok: udev rule of a /usr/local install"

desktop=$stage/usr/share/applications/org.example.QovProg.desktop
# Docks on X11 match the window's class (the program's name) to this line.
grep -qx 'StartupWMClass=qovprog' "$desktop" || fail "the desktop entry does not name the window's class"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
    echo "ok: desktop entry"
else
    echo "skipped: desktop-file-validate is not installed"
fi

# The metadata provides only what the qovprog package installs.
metainfo=$stage/usr/share/metainfo/org.example.QovProg.metainfo.xml
for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo"); do
    grep -qx "usr/bin/$binary" "$work/expected-gui" ||
        fail "the metainfo provides $binary, which the qovprog package does not install"
done

if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net --pedantic "$stage/usr/share/metainfo/org.example.QovProg.metainfo.xml" ||
        fail "appstreamcli validate"
    echo "ok: AppStream metadata"
else
    echo "skipped: appstreamcli is not installed"
fi

for script in postinst postrm; do
    sh -n "$(dirname "$0")/../debian/$script" || fail "syntax of $script"
done

# The post-install step, with a udevadm that logs what it is asked and finds one
# programmer: only the programmer is re-triggered; where udev does not run or
# udevadm is missing (a container) nothing happens, and the step succeeds.
mkdir "$work/fakebin" "$work/nobin"
cat >"$work/fakebin/udevadm" <<FAKE
#!/bin/sh
echo "\$*" >>"$work/udevadm.log"
case "\$*" in
    "control --ping") [ -e "$work/udev-runs" ] ;;
    "trigger --dry-run"*) echo /sys/devices/pci0000:00/0000:00:14.0/usb1/1-2 ;;
esac
FAKE
chmod +x "$work/fakebin/udevadm"
postinst=$(dirname "$0")/../debian/postinst
PATH=$work/fakebin:$PATH sh "$postinst" configure || fail "postinst fails where udev does not run"
[ "$(cat "$work/udevadm.log")" = "control --ping" ] ||
    fail "postinst where udev does not run: $(cat "$work/udevadm.log")"
PATH=$work/nobin /bin/sh "$postinst" configure || fail "postinst fails without udevadm"
rm "$work/udevadm.log"
touch "$work/udev-runs"
PATH=$work/fakebin:$PATH sh "$postinst" configure || fail "postinst fails"
cat >"$work/udevadm.expected" <<'LIST'
control --ping
control --reload-rules
trigger --dry-run --verbose --subsystem-match=usb --attr-match=idVendor=10c4 --attr-match=idProduct=823e
trigger --action=change --parent-match=/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2
LIST
diff -u "$work/udevadm.expected" "$work/udevadm.log" || fail "postinst triggers other devices than the programmer"
echo "ok: postinst"

if ! command -v dpkg-deb >/dev/null 2>&1; then
    echo "skipped: dpkg-deb is not installed, no Debian package built"
    exit 0
fi
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
[ "$(ls "$work"/package/*.deb | wc -l)" -eq 2 ] || fail "cpack did not make exactly two packages"

# check_package NAME EXPECTED_LIST: the package's files, and prints its control data.
check_package() {
    deb=$(ls "$work"/package/"$1"_*.deb) || fail "no package $1"
    info=$(dpkg-deb --info "$deb")
    echo "$info"
    dpkg-deb --contents "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort \
        >"$work/packaged-$1"
    diff -u "$2" "$work/packaged-$1" || fail "$1 holds other files than expected"
    version=$(dpkg-deb --field "$deb" Version)
    dpkg-deb --fsys-tarfile "$deb" | tar -xOf - "./usr/share/doc/$1/changelog.gz" | gzip -dc |
        head -n 1 | grep -q "($version)" || fail "$1: the changelog does not start at version $version"
    depends=$(dpkg-deb --field "$deb" Depends)
}

check_package qov-tools "$work/expected-tools"
for dep in libqt6core6 libqt6serialport6; do
    echo "$depends" | grep -q "$dep" || fail "qov-tools does not depend on $dep"
done
# A bench or server without a desktop gets no GUI stack.
for dep in libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    if echo "$depends" | grep -q "$dep"; then fail "qov-tools depends on $dep"; fi
done
for script in postinst postrm; do
    echo "$info" | grep -Eq "^ +[0-9]+ bytes, +[0-9]+ lines +\* +$script " ||
        fail "qov-tools: $script missing or not executable"
done
# udev only recommended: a container installs with --no-install-recommends without it.
dpkg-deb --field "$deb" Recommends | grep -Eq '(^|, )udev( |,|$)' || fail "qov-tools does not recommend udev"
if echo "$depends" | grep -Eq '(^|, )udev( |,|$)'; then fail "qov-tools depends on udev"; fi
tools_version=$version

check_package qovprog "$work/expected-gui"
for dep in "qov-tools (= $tools_version)" libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    echo "$depends" | grep -qF "$dep" || fail "qovprog does not depend on $dep"
done
echo "ok: Debian packages"
