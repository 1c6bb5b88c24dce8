#!/usr/bin/env bash
# scripts/setup run by a user who is neither root nor able to use sudo: one clear line naming what
# an administrator must install, and a failing exit, instead of a half-done installation.
# Usage: tst_setup.sh SOURCE_DIR
set -euo pipefail

source_dir=${1:?usage: tst_setup.sh SOURCE_DIR}
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
# Only these commands are on the path: no sudo, an unprivileged id, a package database that lacks
# zlib1g-dev and knows every other package, and a driver manager that knows the driver name.
printf '#!/bin/sh\necho 1000\n' >"$stubs/id"
printf '#!/bin/sh\n[ "$3" = zlib1g-dev ] || printf installed\n' >"$stubs/dpkg-query"
printf '#!/bin/sh\nexit 0\n' >"$stubs/odbcinst"
chmod +x "$stubs"/*

failures=0
status=0
errors=$(PATH=$stubs /bin/bash "$source_dir/scripts/setup" 2>&1 >/dev/null) || status=$?
if [[ $status -ne 0 && $errors == "setup: not root and no sudo; as root, run: apt-get install zlib1g-dev" ]]; then
    echo "PASS: a missing package without root or sudo is named in one line"
else
    echo "FAIL: status $status, output [$errors]"
    failures=$((failures + 1))
fi

# Nothing missing: nothing to do, whoever runs it.
printf '#!/bin/sh\nprintf installed\n' >"$stubs/dpkg-query"
if PATH=$stubs /bin/bash "$source_dir/scripts/setup" >/dev/null 2>&1; then
    echo "PASS: with everything installed it needs no root"
else
    echo "FAIL: with everything installed it still failed"
    failures=$((failures + 1))
fi

echo "$failures failed"
[[ $failures -eq 0 ]]
