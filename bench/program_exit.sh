#!/usr/bin/env bash
# How long the staged programs take to be gone once the learner has closed
# them: Lorvane by the "X" of its study window, Miselle by F9 and OK. For
# each run it prints the time from the window disappearing to the process
# ending, and from the last settings file written (dan.dat, girl.dat) to the
# process ending, which is what speech, sound and the rest take to wind
# down. Once after a word was spoken and had finished, once while a long
# sentence was still being spoken, and for Lorvane once while recording.
# Medians of five runs.
#   bench/program_exit.sh BUILD_FOLDER     (from the source folder)
# Starts its own virtual X server and audio server; needs xvfb-run and
# xdotool.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${EXIT_BENCH_INSIDE:-}" ]; then
    export EXIT_BENCH_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$here/tests/with_pulseaudio.sh" "$0" "$build"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/config
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"
gbk() { iconv -f UTF-8 -t GBK; }
now() { date +%s%N; }
mtime() { stat -c %.9Y "$1" | tr -d .; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
sentence="the quick brown fox jumps over the lazy dog and runs far away into the woods"

stage() {  # NAME: a fresh program folder with a one-entry lesson
    program="$work/$1-$RANDOM"
    lessons=$program/单词课文
    mkdir -p "$lessons/a"
    cp "$build/Lorvane/$1" "$program/$1"
    printf '%s  句子\r\n' "$sentence" | gbk > "$lessons/a/l.txt"
    if [ "$1" = Lorvane ]; then
        printf '%s  句子\r\n\r\n' "$sentence" | gbk > "$lessons/a/l.lt0"
        for box in 1 2 3 4 5; do printf '\r\n' > "$lessons/a/l.lt$box"; done
        printf '[单词]\r\nfilename=%s\r\n' "$lessons/a/l.txt" | gbk > "$lessons/dan.dat"
        settings=$lessons/dan.dat
    else
        printf 'T%s\r\n' "$lessons/a/l.txt" | gbk > "$lessons/listgirl.dat"
        settings=$lessons/girl.dat
    fi
}

window_of() {
    local w=""
    for _ in $(seq 300); do
        w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$w" ] && break
        sleep 0.1
    done
    echo "$w"
}

one_run() {  # NAME CASE: speaks (or records) as CASE says, then closes
    local name=$1 case=$2 pid w closed gone wait=6 button=128
    [ "$case" = spoken ] || wait=0.5
    [ "$case" = recording ] && button=32  # "录音" instead of "范读"
    stage "$name"
    "$program/$name" 2>/dev/null &
    pid=$!
    w=$(window_of "$name")
    [ -n "$w" ] || { echo "$name showed no window" >&2; exit 1; }
    sleep 1
    if [ "$name" = Lorvane ]; then
        eval "$(xdotool getwindowgeometry --shell "$w")"
        xdotool mousemove $((X + button)) $((Y + 60)) click 1 sleep "$wait" \
            mousemove $((X + 403)) $((Y + 6)) sleep 0.3 click 1 &
    else
        xdotool windowfocus --sync "$w" key ctrl+p sleep "$wait" key F9
        local question
        question=$(window_of 退出)
        [ -n "$question" ] || { echo "no exit question" >&2; exit 1; }
        xdotool windowfocus --sync "$question" key Return &
    fi
    while xwininfo -id "$w" 2>/dev/null | grep -q IsViewable; do :; done
    closed=$(now)
    while kill -0 "$pid" 2>/dev/null; do sleep 0.001; done
    gone=$(now)
    wait
    echo "$(((gone - closed) / 1000)) $(((gone - $(mtime "$settings")) / 1000))"
}

for name in Lorvane Miselle; do
    cases="spoken speaking"
    [ "$name" = Lorvane ] && cases="$cases recording"
    for case in $cases; do
        runs=$(for _ in 1 2 3 4 5; do one_run "$name" "$case"; done)
        printf '%-8s %-9s window closed -> gone %4d ms   settings written -> gone %4d ms\n' \
            "$name" "$case" "$(($(cut -d' ' -f1 <<<"$runs" | median) / 1000))" \
            "$(($(cut -d' ' -f2 <<<"$runs" | median) / 1000))"
    done
done
