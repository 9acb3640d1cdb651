#!/usr/bin/env bash
# The staged Lorvane at a learner's pace, listened to on the audio server of
# tests/with_pulseaudio.sh: "范读" clicked thirty times, every other time
# cutting off the phrase it has just begun; then a recording of the phrase
# made with "录音" and played with "回放" ten times. Every utterance and
# every replay must be heard. Needs an X display and xdotool.
#   lorvane_heard_test.sh PATH/TO/Lorvane PATH/TO/sound_regions [MACHINE]
# MACHINE is what the machine has: "all" (default) for both synthesisers,
# the first natural voice speaking; "without-flite" or "without-espeak" to
# run as where that one is not installed, with nine clicks and no replay.
set -euo pipefail
executable=$1
sound_regions=$2
machine=${3:-all}
. "$(dirname "$0")/app_session.sh"
. "$(dirname "$0")/heard_speech.sh"
. "$(dirname "$0")/hidden_libraries.sh"
needs xdotool
begin_session
stage_program Lorvane "$executable"
stage_lesson Lorvane 'a beautiful butterfly  一只美丽的蝴蝶'

rounds=10
case $machine in
    all)
        phrase_lengths natural
        "$program/Lorvane" &
        ;;
    without-flite)
        phrase_lengths espeak
        rounds=3
        run_without libflite.so.1 "$program/Lorvane" &
        ;;
    without-espeak)
        phrase_lengths natural
        rounds=3
        mkdir "$work/no-voices"
        ESPEAK_DATA_PATH=$work/no-voices "$program/Lorvane" &
        ;;
esac
pid=$!
wait_for_window Lorvane "$pid"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# The buttons by their centres, in pixels from the window's corner. One
# xdotool runs each whole sequence, so that its pauses are kept to.
record=(mousemove $((X + 32)) $((Y + 60)) click 1)   # "录音", then "停止"
replay=(mousemove $((X + 80)) $((Y + 60)) click 1)   # "回放"
model=(mousemove $((X + 128)) $((Y + 60)) click 1)   # "范读"

# The phrase lasts 1.1 to 1.4 s. Cut off after 0.6 s and begun again, it
# sounds for 1.7 to 2 s; had the second click been lost, 0.6 or 1.1 to 1.4 s.
clicks=()
expected=()
for _ in $(seq $rounds); do
    clicks+=("${model[@]}" sleep 2 "${model[@]}" sleep 0.6 "${model[@]}" sleep 2)
    expected+=("$whole" "$cut_and_whole")
done
start_listening "$work/spoken.raw"
xdotool "${clicks[@]}"
stop_listening
expect_heard "$work/spoken.raw" "${expected[@]}"
if [ "$machine" != all ]; then
    echo "1 passed, 0 failed"
    exit 0
fi

# The test's audio server delivers the first 0.6 to 1.9 s of a recording
# late: the phrase is spoken well into the recording, which then lasts 1.9
# to 3.2 s and ends with it.
xdotool "${record[@]}" sleep 2.2 "${model[@]}" sleep 1.6 "${record[@]}" sleep 0.5
clicks=()
expected=()
for _ in $(seq 10); do
    clicks+=("${replay[@]}" sleep 3.8)
    expected+=("$whole")
done
start_listening "$work/replayed.raw"
xdotool "${clicks[@]}"
stop_listening
expect_heard "$work/replayed.raw" "${expected[@]}"
echo "1 passed, 0 failed"
