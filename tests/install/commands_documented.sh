#!/bin/bash
# Every command radioprog-cli has is in its manual page (English and Chinese) and in its bash
# completion, so that a new command cannot be forgotten there.
# Usage: commands_documented.sh CLI MAN_PAGE ZH_MAN_PAGE COMPLETION
set -euo pipefail
cli=$1 man=$2 zh=$3 completion=$4
fail() { echo "commands_documented: $*" >&2; exit 1; }
commands=$("$cli" --help | sed -n '/^Subcommands:/,/^$/p' | awk 'NR > 1 && NF {print $1}')
[[ -n $commands ]] || fail "no commands in --help"
for command in $commands; do
    for page in "$man" "$zh"; do
        grep -q "^\.BI\? \"\?$command\b" "$page" || fail "$command is not in $page"
    done
    grep -q "\[$command\]=" "$completion" || fail "$command has no options in $completion"
    grep -q "^_radioprog_cli_commands=\".*\b$command\b" "$completion" ||
        fail "$command is not among the commands of $completion"
done
echo "commands_documented: ok ($(echo $commands))"
