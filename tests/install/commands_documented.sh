#!/bin/bash
# Every command radioprog-cli has is in its manual page (English and Chinese) and in its bash
# completion, and every long option of a command is offered by the completion, so that a new
# command or option cannot be forgotten there.
# Usage: commands_documented.sh CLI MAN_PAGE ZH_MAN_PAGE COMPLETION
set -euo pipefail
cli=$1 man=$2 zh=$3 completion=$4
fail() { echo "commands_documented: $*" >&2; exit 1; }
subcommands() { "$cli" "$@" --help | sed -n '/^Subcommands:/,/^$/p' | awk 'NR > 1 && NF {print $1}'; }
long_options() {
    "$cli" "$@" --help | sed -n '/^Options:/,/^$/p' | grep -E '^  -' |
        sed -E 's/^  ([^ ]+).*/\1/' | tr ',' '\n' | grep -- '^--' || true
}
# completion_entry KEY: the words the completion offers for KEY ("read", "password query").
completion_entry() { sed -n "s/^ *\[$1\]=\"\(.*\)\"$/\1/p" "$completion"; }
check_options() {
    local key=$1 offered option
    shift
    offered=" $(completion_entry "$key") "
    for option in $(long_options "$@"); do
        [[ $offered == *" $option "* ]] || fail "$* $option is not offered by $completion"
    done
}
commands=$(subcommands)
[[ -n $commands ]] || fail "no commands in --help"
for command in $commands; do
    for page in "$man" "$zh"; do
        grep -q "^\.BI\? \"\?$command\b" "$page" || fail "$command is not in $page"
    done
    grep -q "\[$command\]=" "$completion" || fail "$command has no options in $completion"
    grep -q "^_radioprog_cli_commands=\".*\b$command\b" "$completion" ||
        fail "$command is not among the commands of $completion"
    check_options "$command" "$command"
    for sub in $(subcommands "$command"); do
        if [[ -n $(completion_entry "$command $sub") ]]; then
            check_options "$command $sub" "$command" "$sub"
        else
            check_options "$command" "$command" "$sub"
        fi
    done
done
for option in $(long_options); do
    grep -q -- "\$_radioprog_cli_commands .*$option\b" "$completion" ||
        fail "$option is not offered before a command by $completion"
done
echo "commands_documented: ok ($(echo $commands))"
