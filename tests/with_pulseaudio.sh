#!/usr/bin/env bash
# Runs a command under a private PulseAudio server whose default output is a
# null sink and whose default input records that sink, so that what the
# programs play can be recorded again. The server is stopped afterwards.
set -u
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
unset PULSE_SERVER
pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load=module-native-protocol-unix \
    --load="module-null-sink sink_name=vsink" \
    --load="module-remap-source master=vsink.monitor source_name=vmic" 2>/dev/null
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl set-default-sink vsink
pactl set-default-source vmic
"$@"
status=$?
pulseaudio -k 2>/dev/null
rm -rf "$runtime"
exit $status
