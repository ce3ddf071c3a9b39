#!/bin/bash
# The installed desktop program as a real process on a virtual X display: it shows its Login
# in the locale's language (so it found its catalogue and settings) and ends when the Login is
# cancelled, leaving the installed tree as it was.
# Usage: installed_desktop.sh ROOT
set -euo pipefail
root=$1
if [[ -z ${RADIOPROG_ON_XVFB:-} ]]; then
    export RADIOPROG_ON_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work
unset LC_ALL LC_MESSAGES RADIOPROG_APPDIR QT_QPA_PLATFORM || true
export LSAN_OPTIONS=suppressions=$(dirname "$(realpath "$0")")/lsan-suppressions.txt
fail() { echo "installed_desktop: $*" >&2; exit 1; }
# wait_for_window TITLE: the program's visible window of exactly that title, within 30 s. The
# title is compared here: xdotool's own --name cannot match a Chinese one.
wait_for_window() {
    local window
    for _ in $(seq 300); do
        for window in $(xdotool search --onlyvisible --class radioprog 2>/dev/null); do
            if [[ $(xdotool getwindowname "$window" 2>/dev/null) == "$1" ]]; then
                sleep 0.3
                echo "$window"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}
before=$(cd "$root" && find . -type f -exec md5sum {} + | sort)

for case in "C.UTF-8 Login" "zh_CN.UTF-8 登录"; do
    read -r locale title <<<"$case"
    LANG=$locale "$root/usr/bin/radioprog" 2>"$work/stderr" &
    pid=$!
    window=$(wait_for_window "$title") ||
        fail "no window \"$title\" for $locale: $(cat "$work/stderr")"
    # Without a window manager the keyboard goes where the focus is put.
    xdotool windowfocus --sync "$window" key Escape
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        fail "the program did not end when its Login was cancelled"
    fi
    wait "$pid" || fail "the program ended with $?: $(cat "$work/stderr")"
done

after=$(cd "$root" && find . -type f -exec md5sum {} + | sort)
[[ $before == "$after" ]] || fail "the installed tree changed"
echo "installed_desktop: ok"
