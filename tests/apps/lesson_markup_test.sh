#!/usr/bin/env bash
# A lesson entry whose English carries markup that names a file: spoken by
# the staged Lorvane ("播放读音" on, then "范读") or Miselle (Ctrl+P), it
# must run nothing, crash nothing, and still say the word. The first entry
# names an existing wave file whose name holds a shell command, the second
# a file that is no wave file at all. Run under tests/with_pulseaudio.sh;
# needs an X display and xdotool.
#   lesson_markup_test.sh Lorvane|Miselle PATH/TO/PROGRAM PATH/TO/sound_regions
set -euo pipefail
name=$1
executable=$2
sound_regions=$3
. "$(dirname "$0")/app_session.sh"
. "$(dirname "$0")/heard_speech.sh"
needs xdotool
begin_session

# A real wave file (a short tone at 16 kHz, which the synthesiser would have
# sox convert to its own rate through the shell).
sounds=$work/sounds
mkdir "$sounds"
wave="$sounds/\$(touch PWNED).wav"
{
    printf 'RIFF\x44\x11\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00'
    printf '\x80\x3e\x00\x00\x00\x7d\x00\x00\x02\x00\x10\x00data\x20\x11\x00\x00'
    for _ in $(seq 1100); do printf '\x00\x40\x00\xc0'; done
} > "$wave"

spoken_by() {  # ENTRY: stages a program folder whose lesson holds ENTRY, speaks it
    local entry=$1
    stage_program "$name" "$executable" "$work/程序 $RANDOM"
    # For Lorvane "播放读音": the word is spoken as soon as the lesson is back.
    stage_lesson "$name" --setting check2=1 "$entry"
    start_listening "$work/heard.raw"
    (cd "$sounds" && exec "$program/$name") &
    pid=$!
    wait_for_window "$name" "$pid"
    sleep 1.5
    if [ "$name" = Lorvane ]; then
        eval "$(xdotool getwindowgeometry --shell "$window")"
        xdotool mousemove $((X + 128)) $((Y + 60)) click 1 sleep 1.5  # "范读"
    else
        xdotool windowfocus --sync "$window" key ctrl+p sleep 1.5
    fi
    stop_listening
    kill -0 "$pid" 2>/dev/null || { echo "$name ended speaking $entry"; exit 1; }
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
    if [ -n "$(find "$work" -name PWNED)" ] || [ -e PWNED ]; then
        echo "speaking $entry ran a command"
        exit 1
    fi
}

# Each time the word alone is heard, about 0.6 s long from the first
# natural voice (0.4 s from espeak-ng's): once for Miselle's Ctrl+P, twice
# for Lorvane (at the start and for "范读").
times=1
[ "$name" = Lorvane ] && times=2
heard=()
for _ in $(seq $times); do heard+=(400:800); done

spoken_by "<audio src=\"$wave\"/>apple  苹果"
expect_heard "$work/heard.raw" "${heard[@]}"
spoken_by "<audio src=\"/etc/passwd\"/>apple  苹果"
expect_heard "$work/heard.raw" "${heard[@]}"
echo "1 passed, 0 failed"
