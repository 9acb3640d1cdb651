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
. "$(dirname "$0")/app_session.sh"
. "$(dirname "$0")/heard_speech.sh"
. "$(dirname "$0")/hidden_libraries.sh"
needs xdotool
begin_session
stage_program Miselle "$executable"
stage_lesson Miselle 'a beautiful butterfly  一只美丽的蝴蝶'

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
wait_for_window Miselle "$pid"
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
