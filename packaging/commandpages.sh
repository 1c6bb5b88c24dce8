#!/bin/sh
# Writes to OUTPUT a help2man include file: a SEE ALSO section naming the pages of SEE_ALSO, and
# the usage and options of each sub-command of PROGRAM, as its own `COMMAND --help` prints them.
# Usage: commandpages.sh PROGRAM OUTPUT SEE_ALSO
set -e
program=$1
output=$2
printf '[SEE ALSO]\n%s\n' "$3" >"$output"
commands=$(QT_QPA_PLATFORM=offscreen "$program" --help | sed -n '/^Commands:$/,/^$/s/^  \([a-z0-9-]*\) .*/\1/p')
[ -n "$commands" ] || exit 0
{
    printf '[COMMANDS IN DETAIL]\n'
    for command in $commands; do
        printf '.SS %s\n.nf\n' "$command"
        "$program" "$command" --help | sed -e 's/\\/\\e/g' -e 's/^[.'"'"']/\\\&&/'
        printf '.fi\n'
    done
} >>"$output"
