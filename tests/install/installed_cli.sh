#!/bin/bash
# The installed command-line tool and simulator, run from the installed tree alone.
# Usage: installed_cli.sh ROOT VERSION
set -euo pipefail
root=$1
version=$2
bin=$root/usr/bin
data=$root/usr/share/radioprog
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES RADIOPROG_APPDIR QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY || true
fail() { echo "installed_cli: $*" >&2; exit 1; }
before=$(cd "$root" && find . -type f -exec md5sum {} + | sort)

for program in radioprog radioprog-cli radioprog-sim; do
    line=$("$bin/$program" --version)
    [[ $line == "$program $version"* ]] || fail "$program --version said: $line"
done
"$bin/radioprog" --help | grep -q -- "--appdir" || fail "radioprog --help"

"$bin/radioprog-cli" new -o "$work/new.dat"
[[ $(stat -c %s "$work/new.dat") == 1024 ]] || fail "new wrote no memory"

shown=$("$bin/radioprog-cli" show "$data/samples/demo.dat")
grep -q "^ 1  145.01250" <<<"$shown" || fail "show of the sample: $shown"
grep -q "^Optional Features" <<<"$shown" || fail "show without the dialogs"
LANG=zh_CN.UTF-8 "$bin/radioprog-cli" show "$data/samples/demo.dat" | grep -q "信道" ||
    fail "a Chinese locale does not show Chinese"

"$bin/radioprog-cli" report "$data/samples/demo.dat" -o "$work/report.pdf"
[[ $(head -c 5 "$work/report.pdf") == "%PDF-" ]] || fail "report wrote no PDF"
"$bin/radioprog-cli" report "$data/samples/demo.dat" -o - | head -c 5 | grep -q "%PDF-" ||
    fail "report -o - wrote no PDF"

# The user's file wins over the installed defaults.
mkdir -p "$work/config/radioprog"
printf '[Setup]\nLanguage=Chinese\n' >"$work/config/radioprog/Program.ini"
"$bin/radioprog-cli" show "$data/samples/demo.dat" | grep -q "信道" ||
    fail "the user's Language=Chinese is not taken"

after=$(cd "$root" && find . -type f -exec md5sum {} + | sort)
[[ $before == "$after" ]] || fail "the installed tree changed"
[[ ! -e $bin/Program.ini ]] || fail "a settings file was made next to the programs"
echo "installed_cli: ok"
