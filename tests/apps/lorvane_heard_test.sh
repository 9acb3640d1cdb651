#!/usr/bin/env bash
# The staged Lorvane at a learner's pace, listened to on the audio server of
# tests/with_pulseaudio.sh: "范读" clicked thirty times, every other time
# cutting off the phrase it has just begun; then a recording of the phrase
# made with "录音" and played with "回放" ten times. Every utterance and
# every replay must be heard. Needs an X display and xdotool.
#   lorvane_heard_test.sh PATH/TO/Lorvane PATH/TO/sound_regions
set -euo pipefail
executable=$1
sound_regions=$2
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 77; }
. "$(dirname "$0")/heard_speech.sh"

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; stop_listening; rm -rf "$work"' EXIT
# The sound server of the wrapper stays reachable under a runtime folder of
# our own.
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"

program="$work/学习 程序"
lessons=$program/单词课文
mkdir -p "$lessons/初一"
cp "$executable" "$program/Lorvane"
gbk() { iconv -f UTF-8 -t GBK; }
printf 'a beautiful butterfly  一只美丽的蝴蝶\r\n' | gbk > "$lessons/初一/第一课.txt"
printf 'a beautiful butterfly  一只美丽的蝴蝶\r\n\r\n' | gbk > "$lessons/初一/第一课.lt0"
for box in 1 2 3 4 5; do printf '\r\n' > "$lessons/初一/第一课.lt$box"; done
printf '[单词]\r\nfilename=%s\r\n' "$lessons/初一/第一课.txt" | gbk > "$lessons/dan.dat"

"$program/Lorvane" &
pid=$!
window=""
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Lorvane$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the study window did not appear"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# The buttons by their centres, in pixels from the window's corner. One
# xdotool runs each whole sequence, so that its pauses are kept to.
record=(mousemove $((X + 32)) $((Y + 60)) click 1)   # "录音", then "停止"
replay=(mousemove $((X + 80)) $((Y + 60)) click 1)   # "回放"
model=(mousemove $((X + 128)) $((Y + 60)) click 1)   # "范读"

# The phrase lasts about 1.1 s. Cut off after 0.6 s and begun again, it
# sounds for about 1.7 s; had the second click been lost, 0.6 or 1.1 s.
clicks=()
expected=()
for _ in $(seq 10); do
    clicks+=("${model[@]}" sleep 1.5 "${model[@]}" sleep 0.6 "${model[@]}" sleep 1.5)
    expected+=(850:1450 1500:2100)
done
start_listening "$work/spoken.raw"
xdotool "${clicks[@]}"
stop_listening
expect_heard "$work/spoken.raw" "${expected[@]}"

# The test's audio server delivers the first 0.6 to 1.9 s of a recording
# late: the phrase is spoken well into the recording, which then lasts 1.6
# to 2.9 s and ends with it.
xdotool "${record[@]}" sleep 2.2 "${model[@]}" sleep 1.3 "${record[@]}" sleep 0.5
clicks=()
expected=()
for _ in $(seq 10); do
    clicks+=("${replay[@]}" sleep 3.6)
    expected+=(850:1450)
done
start_listening "$work/replayed.raw"
xdotool "${clicks[@]}"
stop_listening
expect_heard "$work/replayed.raw" "${expected[@]}"
echo "1 passed, 0 failed"
