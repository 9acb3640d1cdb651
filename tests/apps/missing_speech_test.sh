#!/usr/bin/env bash
# The staged Lorvane or Miselle on a machine without libflite, and without
# espeak-ng's voices (its data folder empty) or without libespeak-ng
# itself: no voice can speak, the message box says so, OK opens the
# installation notes through the desktop's opener (a stand-in xdg-open
# here), and the program ends having saved nothing. Needs an X display
# and xdotool.
#   missing_speech_test.sh Lorvane|Miselle PATH/TO/PROGRAM PATH/TO/clipboard_text
set -euo pipefail
name=$1
executable=$2
clipboard_text=$3
. "$(dirname "$0")/app_session.sh"
. "$(dirname "$0")/hidden_libraries.sh"
needs xdotool
begin_session
mkdir "$XDG_CONFIG_HOME"

# The desktop's opener, standing in: notes what it was asked to open.
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

stage_program "$name" "$executable"
printf '<html></html>\n' > "$program/安装必读.htm"
stage_lesson "$name" 'apple  苹果'
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
    echo "$how:"
    # The box is titled Lorvane for both programs.
    wait_for_window Lorvane "$pid"
    local box=$window
    sleep 0.5
    [ ! -e "$work/opened" ] || fail "$how: the notes opened before the learner answered"
    # Select the text with the keyboard and copy it; on a busy machine the
    # box may take its keys late, so the copy is tried again for a while.
    eval "$(xdotool getwindowgeometry --shell "$box")"
    local shown=""
    for _ in $(seq 20); do
        xdotool mousemove $((X + WIDTH / 2)) $((Y + (HEIGHT - 50) / 2)) click 1 key ctrl+a key ctrl+c
        sleep 0.2
        shown=$("$clipboard_text" 2>/dev/null) || shown=""
        [ "$shown" = "$expected" ] && break
    done
    [ -n "$shown" ] || fail "$how: nothing could be copied from the box"
    [ "$shown" = "$expected" ] || fail "$how: the box says: $shown"
    xdotool key Return
    wait_for_end "$pid" || fail "$how: $name did not end after OK"
    pid=""
    [ "$(cat "$work/opened" 2>/dev/null)" = "$program/安装必读.htm" ] ||
        fail "$how: opened $(cat "$work/opened" 2>/dev/null) instead of the installation notes"
    rm "$work/opened"
    [ "$(written)" = "$before" ] || fail "$how: $name wrote files: $(diff <(echo "$before") <(written))"
}

check "an empty voice data folder, no libflite" \
    run_without libflite.so.1 env ESPEAK_DATA_PATH="$work/no-voices" "$program/$name"
check "no libespeak-ng, no libflite" \
    run_without "libespeak-ng.so.1 libflite.so.1" "$program/$name"
echo "1 passed, 0 failed"
