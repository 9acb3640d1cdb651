# Listening to what the programs play, for the scripts in this folder that
# run under tests/with_pulseaudio.sh: the output of its audio server is
# recorded with parecord and cut into the stretches that were heard by
# sound_regions (tests/speech), whose path is in $sound_regions.
#   . heard_speech.sh

listening_pid=""

# How long the test phrase "a beautiful butterfly" sounds, said whole and
# cut off after 0.6 s and begun again, by the synthesiser that speaks:
#   phrase_lengths natural|espeak   sets $whole and $cut_and_whole (MIN:MAX ms)
phrase_lengths() {
    if [ "$1" = natural ]; then
        whole=1100:1700
        cut_and_whole=1700:2300
    else
        whole=850:1450
        cut_and_whole=1500:2100
    fi
}

# start_listening FILE: returns once sound reaches FILE.
start_listening() {
    rm -f "$1"  # a file left from before would look like sound arriving
    parecord --latency-msec=20 --device=vsink.monitor --raw --format=s16le \
        --rate=16000 --channels=1 "$1" &
    listening_pid=$!
    for _ in $(seq 200); do
        [ -s "$1" ] && break
        sleep 0.05
    done
    [ -s "$1" ] || { echo "nothing could be recorded from the audio server"; return 1; }
    sleep 0.5  # well clear of the recording's start
}

stop_listening() {
    [ -n "$listening_pid" ] || return 0
    sleep 0.5  # the last sound is on its way
    kill "$listening_pid" 2>/dev/null || true
    wait "$listening_pid" 2>/dev/null || true
    listening_pid=""
}

# expect_heard FILE MIN:MAX...: one stretch per argument, in order, each
# lasting MIN to MAX milliseconds.
expect_heard() {
    local file=$1
    shift
    local heard
    heard=$("$sound_regions" "$file")
    local count
    count=$(printf '%s\n' "$heard" | grep -c . || true)
    if [ "$count" != $# ]; then
        echo "heard $count stretches instead of $#: start+length in ms:"
        printf '%s\n' "$heard" | tr ' \n' '+ '
        echo
        return 1
    fi
    local i=0 bounds length
    for bounds in "$@"; do
        i=$((i + 1))
        length=$(printf '%s\n' "$heard" | sed -n "${i}p" | cut -d' ' -f2)
        if [ "$length" -lt "${bounds%:*}" ] || [ "$length" -gt "${bounds#*:}" ]; then
            echo "stretch $i lasted $length ms, not ${bounds%:*} to ${bounds#*:}: start+length in ms:"
            printf '%s\n' "$heard" | tr ' \n' '+ '
            echo
            return 1
        fi
    done
}
