#!/usr/bin/env bash
# Installs the desk's Debian package in a pristine Debian 12 root as an office would (apt-get
# install ./selvoro_*.deb, nothing else by hand), reaches a private demo server of this machine
# with selvoro-cli, keeps an edited deployment file across a reinstall, then purges the package and
# checks that nothing of it remains.
# Usage (as root): install-check.sh ROOT DEB
#   ROOT: a pristine root, e.g. debootstrap --variant=minbase bookworm ROOT; it is copied, not changed.
set -euo pipefail

base=${1:?usage: install-check.sh ROOT DEB}
deb=${2:?usage: install-check.sh ROOT DEB}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
[[ $(id -u) -eq 0 ]] || { echo "install-check: run as root" >&2; exit 2; }

root=$(mktemp -d /tmp/selvoro-install-check.XXXXXX)
db=$root.db
cleanup() {
    bash "$repo/scripts/db" stop "$db" >/dev/null 2>&1 || true
    for m in dev/pts dev sys proc; do umount -l "$root/$m" 2>/dev/null || true; done
    rm -rf "$root" "$db"
}
trap cleanup EXIT
cp -a "$base/." "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
for m in proc sys dev dev/pts; do mount --bind "/$m" "$root/$m"; done
inside() {
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive bash -c "$1"
}

failures=0
check() {
    local what=$1
    shift
    if "$@"; then echo "PASS: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

package=$(basename "$deb")
inside 'apt-get update -q >/dev/null'
inside "apt-get install -y -q --no-install-recommends ./tmp/$package" >"$root.install.log" 2>&1 \
    || { tail -n 30 "$root.install.log"; exit 1; }
echo "installed $package and $(grep -c '^Setting up' "$root.install.log") packages in all"
files=$(inside 'dpkg -L selvoro')

check "the programs run" inside 'selvoro-cli --version && inetspooler --version && test -x /usr/bin/selvoro' 
check "every library of the programs is found" inside '! ldd /usr/bin/selvoro /usr/bin/selvoro-cli /usr/bin/inetspooler | grep -q "not found"'
check "the ODBC driver name is registered" inside 'odbcinst -q -d -n "MySQL ODBC 3.51 Driver" | grep -q libmaodbc'
check "the X11 platform plugin is there" inside 'ls /usr/lib/*/qt6/plugins/platforms/libqxcb.so >/dev/null'

bash "$repo/scripts/db" start "$db" --demo >/dev/null
port=$(<"$db/port")
# The installed desk reads /etc/selvoro/selvoro.ini: the demo server's port goes there.
inside "sed -i 's/^;Port=\$/Port=$port/' /etc/selvoro/selvoro.ini"
check "selvoro-cli check reaches the server as the workstation's unit" \
    inside 'SELVORO_PASSWORD=ravi123 selvoro-cli check --server 127.0.0.1 --user ravi | grep -qx "001	KOCHI"'
check "bills print through the installed spooler into a PDF" \
    inside "SELVORO_PASSWORD=ravi123 selvoro-cli bills --server 127.0.0.1 --user ravi --from \$(date -d '30 days ago' +%F) --to \$(date +%F) --prn /tmp/sch.prn --spool >/dev/null 2>&1 && for i in \$(seq 60); do test -s /tmp/sch.pdf && break; sleep 0.5; done; head -c 5 /tmp/sch.pdf | grep -q %PDF"

# The desktop program gets as far as its first window and waits there for the user.
check "the desktop program starts and waits for the user" \
    inside 'timeout 10 env QT_QPA_PLATFORM=offscreen selvoro >/dev/null 2>&1; test $? -eq 124'

inside "apt-get install -y -q --reinstall ./tmp/$package" >/dev/null 2>&1
check "a reinstall keeps the edited deployment file" inside "grep -qx 'Port=$port' /etc/selvoro/selvoro.ini"

inside 'apt-get purge -y -q selvoro' >/dev/null 2>&1
left=()
while read -r path; do
    [[ -f $root$path ]] && left+=("$path")
done <<<"$files"
check "purge removes every file of the package (left: ${left[*]:-none})" test ${#left[@]} -eq 0
check "purge removes /etc/selvoro and /var/lib/selvoro" test ! -e "$root/etc/selvoro" -a ! -e "$root/var/lib/selvoro"
check "purge takes the driver name back" inside '! odbcinst -q -d -n "MySQL ODBC 3.51 Driver" >/dev/null 2>&1'
check "dpkg no longer knows the package" inside '! dpkg -s selvoro >/dev/null 2>&1'

echo "$failures failed"
[[ $failures -eq 0 ]]
