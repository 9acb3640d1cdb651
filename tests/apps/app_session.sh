# What the scripts in this folder that drive the staged programs share: a
# scratch folder removed at the end with every program started from it,
# the programs' runtime, home and configuration folders inside it, Qt on
# X11, a program folder with a lesson that the program reopens at start,
# and the waits for windows and for a program's end.
#   . app_session.sh            (after `set -euo pipefail`)
#   needs TOOL...               skip (exit 77) without an X display or a tool
#   begin_session               $work, the folders, the end-of-test cleanup
#   started PID                 killed at the end if it still runs
#   stage_program NAME EXECUTABLE [FOLDER]
#                               $program (default "$work/学习 程序"), $lessons
#   stage_lesson NAME [--setting KEY=VALUE] LINE...
#                               初一/第一课.txt of the LINEs (GBK, CR LF),
#                               reopened by NAME at start: Lorvane's boxes
#                               hold them all as new words, the setting
#                               follows the lesson path in dan.dat; Miselle's
#                               lesson list ticks the lesson
#   wait_for_window NAME [PID] [TENTHS]
#                               $window, NAME's first viewable window; fails
#                               when PID ends first or TENTHS (300) pass
#   wait_for_end PID [TENTHS]   true once PID has ended (within 100 tenths)
#   fail MESSAGE...  gbk (a UTF-8 to GBK filter)

fail() {
    echo "$@"
    exit 1
}

gbk() { iconv -f UTF-8 -t GBK; }

needs() {
    [ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
    done
}

session_pids=()
pid=""

started() { session_pids+=("$1"); }

end_session() {
    local p
    for p in "${session_pids[@]}" $pid; do kill "$p" 2>/dev/null || true; done
    if declare -F stop_listening >/dev/null; then stop_listening; fi
    rm -rf "$work"
}

begin_session() {
    work=$(mktemp -d)
    trap end_session EXIT
    # The audio server of tests/with_pulseaudio.sh stays reachable under a
    # runtime folder of our own.
    if [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ]; then
        export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    fi
    export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/config
    export QT_QPA_PLATFORM=xcb
    mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"
}

stage_program() {
    program=${3:-"$work/学习 程序"}
    lessons=$program/单词课文
    mkdir -p "$lessons/初一"
    cp "$2" "$program/$1"
    # The modules the program loads from its folder go with it.
    local module
    for module in lorvane-audio.so lorvane-pcaudio-stand-in.so; do
        if [ -e "$(dirname "$2")/$module" ]; then
            cp "$(dirname "$2")/$module" "$program/"
        fi
    done
}

stage_lesson() {
    local name=$1 setting=""
    shift
    if [ "$1" = --setting ]; then
        setting=$2
        shift 2
    fi
    local lesson=$lessons/初一/第一课.txt
    printf '%s\r\n' "$@" | gbk >"$lesson"
    if [ "$name" = Lorvane ]; then
        printf '%s\r\n' "$@" "" | gbk >"${lesson%.txt}.lt0"
        local box
        for box in 1 2 3 4 5; do printf '\r\n' >"${lesson%.txt}.lt$box"; done
        printf '[单词]\r\nfilename=%s\r\n' "$lesson" | gbk >"$lessons/dan.dat"
        if [ -n "$setting" ]; then printf '%s\r\n' "$setting" | gbk >>"$lessons/dan.dat"; fi
    else
        printf 'T%s\r\n' "$lesson" | gbk >"$lessons/listgirl.dat"
    fi
}

wait_for_window() {
    local name=$1 watched=${2:-} tenths=${3:-300}
    window=""
    for _ in $(seq "$tenths"); do
        window=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && return 0
        if [ -n "$watched" ] && ! kill -0 "$watched" 2>/dev/null; then
            fail "$name ended without showing its window"
        fi
        sleep 0.1
    done
    fail "no window named $name appeared"
}

wait_for_end() {
    local tenths=${2:-100}
    for _ in $(seq "$tenths"); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$1" 2>/dev/null
}
