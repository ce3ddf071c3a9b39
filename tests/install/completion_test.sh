#!/bin/bash
# The bash completion of radioprog-cli, asked as bash asks it.
# Usage: completion_test.sh COMPLETION
set -euo pipefail
source "$1"
fail() { echo "completion: $*" >&2; exit 1; }

# complete_words WORD... : what completes the last word of "radioprog-cli WORD...".
complete_words() {
    COMP_WORDS=(radioprog-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _radioprog_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}
expect() {
    local want=$1
    shift
    local got
    got=$(complete_words "$@")
    [[ $got == "$want" ]] || fail "radioprog-cli $*: expected \"$want\", got \"$got\""
}

expect "new " ne
expect "password " pas
expect "read report " re
expect "--appdir " --appdir "/tmp" --app
expect "read " --appdir /tmp rea
expect "--password --password-file " read --pas
expect "--password --password-file " password change --pass
expect "--user-password " password change --user
expect "--help change query " password ""
expect "COM1 COM2 COM3 COM4 " read --port CO
expect "demo " write --port de
expect "admin user " read --role ""
expect "en zh " show --lang ""
expect "--json " show --js

# Serial devices that exist are offered after --port.
device=$(ls /dev/ttyUSB* /dev/ttyACM* 2>/dev/null | head -n 1 || true)
if [[ -n $device ]]; then
    [[ $(complete_words read --port /dev/tty) == *"$device"* ]] || fail "no $device"
fi

# .dat files and folders for show.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/radio.dat" "$work/notes.txt"
mkdir "$work/radios"
expect "$work/radio.dat $work/radios " show "$work/r"
echo "completion: ok"
