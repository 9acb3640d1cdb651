#!/usr/bin/env bash
# The staged Miselle at a learner's pace, listened to on the audio server of
# tests/with_pulseaudio.sh: Ctrl+P pressed thirty times, every other time
# cutting off the phrase it has just begun. Every utterance must be heard.
# Needs an X display and xdotool.
#   miselle_heard_test.sh PATH/TO/Miselle PATH/TO/sound_regions [MACHINE]
# MACHINE is what the machine has: "all" (default) for both synthesisers,
# the first natural voice speaking; "without-flite" to run as where libflite
# is not installed, with nine presses.
set -euo pipefail
executable=$1
sound_regions=$2
machine=${3:-all}
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 77; }
. "$(dirname "$0")/heard_speech.sh"
. "$(dirname "$0")/hidden_libraries.sh"

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; stop_listening; rm -rf "$work"' EXIT
# The sound server of the wrapper stays reachable under a runtime folder of
# our own.
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/config
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"

program="$work/学习 程序"
lessons=$program/单词课文
mkdir -p "$lessons/初一"
cp "$executable" "$program/Miselle"
gbk() { iconv -f UTF-8 -t GBK; }
printf 'a beautiful butterfly  一只美丽的蝴蝶\r\n' | gbk > "$lessons/初一/第一课.txt"
printf 'T%s\r\n' "$lessons/初一/第一课.txt" | gbk > "$lessons/listgirl.dat"

if [ "$machine" = without-flite ]; then
    phrase_lengths espeak
    rounds=3
    run_without libflite.so.1 "$program/Miselle" &
else
    phrase_lengths natural
    rounds=10
    "$program/Miselle" &
fi
pid=$!
window=""
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Miselle$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the main window did not appear"; exit 1; }
sleep 1
xdotool windowfocus --sync "$window"

# The phrase lasts 1.1 to 1.4 s. Cut off after 0.6 s and begun again, it
# sounds for 1.7 to 2 s; had the second key been lost, 0.6 or 1.1 to 1.4 s.
# One xdotool presses every key, so that its pauses are kept to.
keys=()
expected=()
for _ in $(seq $rounds); do
    keys+=(key ctrl+p sleep 2 key ctrl+p sleep 0.6 key ctrl+p sleep 2)
    expected+=("$whole" "$cut_and_whole")
done
start_listening "$work/spoken.raw"
xdotool "${keys[@]}"
stop_listening
expect_heard "$work/spoken.raw" "${expected[@]}"
echo "1 passed, 0 failed"
