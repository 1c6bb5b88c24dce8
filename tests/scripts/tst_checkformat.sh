#!/usr/bin/env bash
# scripts/check-format on a small tree of its own: a formatted tree passes, a file clang-format
# would change fails and is named, and a tree where no source is found fails instead of passing
# with nothing checked.
# Usage: tst_checkformat.sh SOURCE_DIR
set -euo pipefail

source_dir=${1:?usage: tst_checkformat.sh SOURCE_DIR}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/scripts" "$tree/src" "$tree/tests" "$tree/bench"
cp "$source_dir/scripts/check-format" "$tree/scripts/"
cp "$source_dir/.clang-format" "$tree/"

failures=0
expect() {
    local want=$1 pattern=$2 what=$3 status=0 output
    output=$(bash "$tree/scripts/check-format" 2>&1) || status=$?
    if [[ $status -eq $want && $output == *$pattern* ]]; then
        echo "PASS: $what"
    else
        echo "FAIL: $what: status $status, output [$output]"
        failures=$((failures + 1))
    fi
}

expect 1 "no C++ files found" "a tree without sources fails"
printf 'int main() { return 0; }\n' >"$tree/src/main.cpp"
expect 0 "1 files formatted" "a formatted file passes"
printf 'int  twice(int x)  {return 2*x;}\n' >"$tree/tests/twice.h"
expect 1 "tests/twice.h" "a file clang-format would change fails and is named"

echo "$failures failed"
[[ $failures -eq 0 ]]
