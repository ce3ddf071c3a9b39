#!/bin/bash
# Start-up of the installed desktop program, as a user sees it: from starting the process to
# its first window (the Login) on the screen, and from the Login's OK to the main window.
# It installs the build folder into a temporary root and runs that copy on a virtual display,
# with fresh settings, ROUNDS times (15), and prints the median, the best and the worst.
# Usage: bench/startup_bench.sh BUILD_FOLDER [ROUNDS]
set -euo pipefail
build=$(realpath "$1")
rounds=${2:-15}
if [[ -z ${RADIOPROG_ON_XVFB:-} ]]; then
    export RADIOPROG_ON_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$(realpath "$0")" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/root/usr" >/dev/null
program=$work/root/usr/bin/radioprog
export XDG_RUNTIME_DIR=$work LANG=C.UTF-8
unset LC_ALL LC_MESSAGES RADIOPROG_APPDIR QT_QPA_PLATFORM || true

now() { date +%s%N; }
# wait_for PID NAME: the id of the visible window NAME of process PID, polled every few
# milliseconds.
wait_for() {
    local window
    for _ in $(seq 3000); do
        window=$(xdotool search --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | tail -n 1) ||
            true
        if [[ -n $window ]]; then
            echo "$window"
            return 0
        fi
    done
    return 1
}
summary() {
    sort -n | awk -v what="$1" '{v[NR] = $1} END {
        printf "%-34s median %6.1f ms   best %6.1f ms   worst %6.1f ms   (%d runs)\n",
               what, v[int((NR + 1) / 2)], v[1], v[NR], NR}'
}

: >"$work/login" >"$work/main" >"$work/version"
for ((round = 0; round < rounds; round++)); do
    export XDG_CONFIG_HOME=$work/config-$round
    start=$(now)
    "$program" --version >/dev/null
    echo $((($(now) - start) / 1000)) | awk '{print $1 / 1000}' >>"$work/version"

    start=$(now)
    "$program" 2>/dev/null &
    pid=$!
    login=$(wait_for "$pid" Login)
    shown=$(now)
    echo $(((shown - start) / 1000)) | awk '{print $1 / 1000}' >>"$work/login"
    xdotool windowfocus --sync "$login" key Return
    accepted=$(now)
    wait_for "$pid" "Radio Programming Software.*" >/dev/null
    echo $((($(now) - accepted) / 1000)) | awk '{print $1 / 1000}' >>"$work/main"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
summary "radioprog --version" <"$work/version"
summary "start to the Login window" <"$work/login"
summary "Login OK to the main window" <"$work/main"
