#!/usr/bin/env bash
# The staged Lorvane or Miselle on a machine without espeak-ng's voices (its
# data folder empty) and, where a private mount namespace can be made,
# without libespeak-ng itself: the message box says so, OK opens the
# installation notes through the desktop's opener (a stand-in xdg-open
# here), and the program ends having saved nothing. Needs an X display
# and xdotool.
#   missing_speech_test.sh Lorvane|Miselle PATH/TO/PROGRAM PATH/TO/clipboard_text
set -euo pipefail
name=$1
executable=$2
clipboard_text=$3
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 77; }

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/config
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME" "$XDG_CONFIG_HOME"
fail() { echo "$@"; exit 1; }

# The desktop's opener, standing in: notes what it was asked to open.
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

program="$work/学习 程序"
lessons=$program/单词课文
mkdir -p "$lessons/初一"
cp "$executable" "$program/$name"
printf '<html></html>\n' > "$program/安装必读.htm"
gbk() { iconv -f UTF-8 -t GBK; }
printf 'apple  苹果\r\n' | gbk > "$lessons/初一/第一课.txt"
if [ "$name" = Lorvane ]; then
    printf '[单词]\r\nfilename=%s\r\n' "$lessons/初一/第一课.txt" | gbk > "$lessons/dan.dat"
else
    printf 'T%s\r\n' "$lessons/初一/第一课.txt" | gbk > "$lessons/listgirl.dat"
fi
mkdir "$work/no-voices"

# Everything the program may write: its folder, and the autostart entry.
written() {
    find "$program" "$XDG_CONFIG_HOME" -printf '%p %s %T@\n' | sort
}
before=$(written)
# The box's text as it is copied: its line break comes out as a newline.
expected="您机器里没有安装espeak-ng语音系统的英文语音，所以无法播放英文读音，请参照说明下载相应的语音包。
安装完成后，再运行桌面上${name}快捷方式。"

check() {  # HOW, then the command that starts the program
    local how=$1
    shift
    "$@" 2>/dev/null &
    pid=$!
    local box=""
    for _ in $(seq 300); do
        box=$(xdotool search --onlyvisible --name '^Lorvane$' 2>/dev/null | head -n 1 || true)
        [ -n "$box" ] && break
        kill -0 "$pid" 2>/dev/null || fail "$how: $name ended without a message"
        sleep 0.1
    done
    [ -n "$box" ] || fail "$how: no message box"
    sleep 0.5
    [ ! -e "$work/opened" ] || fail "$how: the notes opened before the learner answered"
    # Select the text with the keyboard and copy it.
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + (HEIGHT - 50) / 2)) click 1 key ctrl+a key ctrl+c
    local shown
    shown=$("$clipboard_text") || fail "$how: nothing could be copied from the box"
    [ "$shown" = "$expected" ] || fail "$how: the box says: $shown"
    xdotool key Return
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "$how: $name did not end after OK"
    pid=""
    [ "$(cat "$work/opened" 2>/dev/null)" = "$program/安装必读.htm" ] ||
        fail "$how: opened $(cat "$work/opened" 2>/dev/null) instead of the installation notes"
    rm "$work/opened"
    [ "$(written)" = "$before" ] || fail "$how: $name wrote files: $(diff <(echo "$before") <(written))"
}

check "an empty voice data folder" env ESPEAK_DATA_PATH="$work/no-voices" "$program/$name"

# Without the library: hidden behind /dev/null in a mount namespace of our
# own, which needs root.
# awk reads the whole list: leaving early would end ldconfig with SIGPIPE,
# which pipefail turns into a silent failure of this script.
library=$(ldconfig -p | awk '/libespeak-ng\.so\.1 / && !found {print $NF; found = 1}')
if [ -n "$library" ] && [ "$(id -u)" = 0 ] &&
    unshare --mount --propagation private true 2>/dev/null; then
    check "no libespeak-ng" unshare --mount --propagation private \
        sh -c 'mount --bind /dev/null "$1" && exec "$2"' _ "$(readlink -f "$library")" \
        "$program/$name"
else
    echo "no libespeak-ng: not checked (needs root and unshare)"
fi
echo "1 passed, 0 failed"
