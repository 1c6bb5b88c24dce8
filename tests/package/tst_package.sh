#!/usr/bin/env bash
# Builds the Debian package from the build folder with CPack and checks what an office relies on:
# the programs, the desktop entry and icon, the manual pages, the system-wide deployment file as a
# conffile with every key commented out, the declared dependencies, and maintainer scripts that
# register the ODBC driver name on configure and take it back only on purge.
# Usage: tst_package.sh BUILD_DIR SOURCE_DIR   (exit 77 = skipped: no dpkg-deb)
set -euo pipefail

build=${1:?usage: tst_package.sh BUILD_DIR SOURCE_DIR}
source_dir=${2:?usage: tst_package.sh BUILD_DIR SOURCE_DIR}
if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
    echo "SKIP: dpkg-deb or dpkg-shlibdeps missing (scripts/setup installs dpkg-dev)"
    exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log") || { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/selvoro_*_*.deb)

failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "PASS: $what"
    else
        echo "FAIL: $what"
        failures=$((failures + 1))
    fi
}

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
has_file() { grep -qx "\./$1" <<<"$contents"; }
for file in usr/bin/selvoro usr/bin/selvoro-cli usr/bin/inetspooler usr/share/applications/selvoro.desktop \
    usr/share/icons/hicolor/256x256/apps/selvoro.png usr/share/man/man1/selvoro-cli.1.gz \
    usr/share/man/man1/inetspooler.1.gz etc/selvoro/selvoro.ini; do
    check "installs /$file" has_file "$file"
done

depends=$(dpkg-deb -f "$deb" Depends)
declares() { grep -qE "(^|, )$1( |,|$)" <<<"$depends"; }
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-odbc qt6-qpa-plugins unixodbc \
    odbcinst odbc-mariadb libxlsxwriter4 libharfbuzz0b libharfbuzz-subset0 libfontconfig1 libdeflate0 fonts-dejavu-core; do
    check "depends on $package" declares "$package"
done

dpkg-deb -e "$deb" "$scratch/control"
check "the deployment file is a conffile" grep -qx /etc/selvoro/selvoro.ini "$scratch/control/conffiles"
dpkg-deb -x "$deb" "$scratch/root"
ini=$scratch/root/etc/selvoro/selvoro.ini
check "the deployment file sets no key" bash -c '! grep -qE "^[[:space:]]*[A-Za-z]+[[:space:]]*=" "$1"' _ "$ini"
# Every key the program reads is listed, at the value the program takes without it.
for key in RemoteUser=quorvanix RemotePassword=greenmeadows LoopbackPassword=6309 Port= ConnectTimeout=120 \
    StatementTimeout=300 ConnectRetrySeconds=5 \
    InHouseServer1=192.168.1.10 InHouseServer2=192.168.1.11 InHouseUpdatePage=http://192.168.1.10/advtupdate/ \
    VendorWebAddress=www.selvoro.example VendorWebPage=http://www.selvoro.example/updates/ DefaultUnit=001 \
    Address= PhoneFax= LegalName= Location= Pin= StateCode= AppFolder= Mode=pdf Queue= Command=lp OutputFolder= Preview=false; do
    check "the deployment file shows ;$key" grep -qx ";$key" "$ini"
done
desktop=$scratch/root/usr/share/applications/selvoro.desktop
check "the desktop entry starts selvoro with its icon" \
    bash -c 'grep -qx "Exec=selvoro" "$1" && grep -qx "Icon=selvoro" "$1" && grep -qx "Type=Application" "$1"' _ "$desktop"
check "the manual page of selvoro-cli lists its commands' options" \
    bash -c 'zcat "$1" | grep -q -- "--split-total"' _ "$scratch/root/usr/share/man/man1/selvoro-cli.1.gz"

# The maintainer scripts against a stand-in odbcinst that keeps its registrations in a file.
fake=$scratch/fake
mkdir -p "$fake/bin"
cat >"$fake/bin/odbcinst" <<'FAKE'
#!/bin/sh
registry=$FAKE_REGISTRY
case "$1 $2" in
    "-q -d") grep -qx "\[$4\]" "$registry" ;;
    "-i -d") sed -n 1p "$4" >>"$registry" ;;
    "-u -d") grep -vx "\[$4\]" "$registry" >"$registry.new" || true; mv "$registry.new" "$registry" ;;
    *) exit 2 ;;
esac
FAKE
chmod +x "$fake/bin/odbcinst"
run_script() {
    local marks=$fake/var
    # The scripts keep their mark in /var/lib/selvoro; here in a scratch folder.
    sed "s|/var/lib/selvoro|$marks|g; s|/etc/selvoro|$fake/etc|g" "$scratch/control/$1" >"$fake/$1"
    PATH=$fake/bin:$PATH FAKE_REGISTRY=$fake/registry sh "$fake/$1" "$2"
}
registered() { grep -qx '\[MySQL ODBC 3.51 Driver\]' "$fake/registry"; }

: >"$fake/registry"
run_script postinst configure
check "configure registers the driver name" registered
run_script postinst configure
check "configure again registers it once" test "$(grep -c 'MySQL' "$fake/registry")" -eq 1
run_script postrm remove
check "remove keeps the registration" registered
run_script postrm purge
check "purge takes it back" bash -c '! grep -q MySQL "$1"' _ "$fake/registry"

echo '[MySQL ODBC 3.51 Driver]' >"$fake/registry"
run_script postinst configure
run_script postrm purge
check "a registration made before the package survives its purge" registered

echo "$failures failed"
[[ $failures -eq 0 ]]
