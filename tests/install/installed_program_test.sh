#!/usr/bin/env bash
# The program as the Debian package installs it, for a learner who has
# never run it: the package (made by cpack from the build folder) is
# unpacked into a scratch root that is then made read-only, and its Lorvane
# is started from usr/bin with a fresh home and the default data folder
# (XDG_DATA_HOME unset). The learner opens the first lesson of the first
# folder in the chooser, answers the word shown and closes the window with
# its "X". Before anything is said, no speech or sound library is loaded.
# The shipped lessons, the progress of that lesson and the settings
# must then be in ~/.local/share/lorvane/单词课文, and nothing of the unpacked
# tree may have changed.
# Runs on the X display it is given, or starts a virtual one (Xvfb).
# Exits 77 (skipped) without dpkg-deb, dpkg-shlibdeps, file, xdotool or,
# with no display, Xvfb.
#   installed_program_test.sh BUILD_FOLDER CPACK
set -euo pipefail
build=$1
cpack=$2
tools=(dpkg-deb dpkg-shlibdeps file xdotool iconv sha256sum)
[ -n "${DISPLAY:-}" ] || tools+=(Xvfb)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
fail() { echo "$@"; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display and writes its number to fd 3.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=:$(cat "$work/display")
fi

LC_ALL=C.UTF-8 timeout 240 "$cpack" -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" \
    >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
packages=("$work"/out/lorvane_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "cpack made no single package"
root=$work/root
dpkg-deb -x "${packages[0]}" "$root"
chmod -R a-w "$root"
# Every entry with its type, mode and link target, and every file's checksum.
snapshot() {
    (cd "$root" && find . -printf '%y %m %p %l\n' | sort &&
        find . -type f -print0 | sort -z | xargs -0 sha256sum)
}
snapshot >"$work/before"

home=$work/home
export HOME=$home XDG_RUNTIME_DIR=$work/runtime
unset XDG_DATA_HOME XDG_CONFIG_HOME QT_QPA_PLATFORM XDG_SESSION_TYPE WAYLAND_DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$home"
lessons=$home/.local/share/lorvane/单词课文

"$root/usr/bin/Lorvane" >"$work/lorvane.out" 2>&1 &
pid=$!
pids+=("$pid")
find_window() {  # NAME: the first visible window of that exact name
    local window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$window" ] || { cat "$work/lorvane.out"; fail "no window $1"; }
    echo "$window"
}
double_click_first_row() {  # WINDOW
    xdotool mousemove --window "$1" 40 8
    sleep 0.3  # let the pointer arrive before the press
    xdotool click --repeat 2 --delay 80 1
}

# Without settings the chooser shows the lesson folders (the names without
# a dot), then the lessons of the one opened, each sorted by their bytes
# (ASCII letters in either case alike; the shipped names have none).
chooser=$(find_window 课文)
sleep 1
# Up and idle, it holds neither espeak-ng, loaded again when first heard, nor
# the audio server's libraries, which come with the first sound: the stand-in
# for espeak-ng's audio library was installed beside it and found.
for library in libespeak-ng libpulse; do
    grep -q "$library" "/proc/$pid/maps" && fail "$library is loaded before anything was said"
done
[ -d "$lessons" ] || fail "no lesson folder in the data folder"
folder=$(ls "$lessons" | grep -v '\.' | LC_ALL=C sort | head -n 1)
lesson=$(ls "$lessons/$folder" | grep '\.txt$' | LC_ALL=C sort | head -n 1)
[ -n "$folder" ] && [ -n "$lesson" ] || fail "no shipped lesson in $lessons"
double_click_first_row "$chooser"
sleep 1
double_click_first_row "$chooser"
sleep 1
first=$(head -n 1 "$lessons/$folder/$lesson" | iconv -f GBK -t UTF-8 | tr -d '\r')
english=${first%%  *}

window=$(find_window Lorvane)
xdotool windowfocus --sync "$window"
xdotool type --delay 50 "$english"
xdotool key Return
sleep 0.5
# The "X" at the top right of the window (5880 twips = 392 pixels in, 17 wide).
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 403)) $((Y + 6))
sleep 0.3
xdotool click 1
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && { cat "$work/lorvane.out"; fail "Lorvane did not end after its X was clicked"; }

# Every shipped lesson, the six boxes of the lesson studied with the word
# answered in the memorized one, and the settings naming that lesson.
shipped=$(cd "$root/usr/share/lorvane/单词课文" && find . -type f | sort)
while IFS= read -r file; do
    cmp -s "$root/usr/share/lorvane/单词课文/$file" "$lessons/$file" || fail "$file was not copied"
done <<<"$shipped"
base=$lessons/$folder/${lesson%.txt}
for box in 0 1 2 3 4 5; do
    [ -f "$base.lt$box" ] || { cat "$work/lorvane.out"; fail "no progress file $folder/${lesson%.txt}.lt$box"; }
done
iconv -f GBK -t UTF-8 "$base.lt5" | grep -qxF "$first"$'\r' ||
    fail "the word answered is not in the memorized box: $(iconv -f GBK -t UTF-8 "$base.lt5")"
iconv -f GBK -t UTF-8 "$lessons/dan.dat" | grep -qxF "filename=$lessons/$folder/$lesson"$'\r' ||
    fail "dan.dat does not name the lesson: $(iconv -f GBK -t UTF-8 "$lessons/dan.dat")"

snapshot >"$work/after"
diff "$work/before" "$work/after" >/dev/null || {
    diff "$work/before" "$work/after" || true
    fail "the unpacked tree changed"
}
echo "1 passed, 0 failed"
