#!/usr/bin/env bash
# The staged program folder, copied to a folder whose name needs quoting,
# put into a menu by its own add-to-menu.sh: the entries pass
# desktop-file-validate, their icons are found by theme name, and a real
# desktop launcher (GLib's, as GNOME uses) starts the programs of the copy.
# Nothing staged may name the build folder. --remove takes it all out again.
# Needs an X display (the test runner provides Xvfb), gio, xdotool and
# desktop-file-validate; exits 77 (skipped) without them.
#   portable_menu_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
staged=$build/Lorvane
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
for tool in gio xdotool desktop-file-validate; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

fail() { echo "$@"; exit 1; }
work=$(mktemp -d)
# The desktop launcher starts the programs detached: they are found again by
# their executables, which only this test's copy has.
copy="$work/我的 \$HOME \`x\` \"引号\" \\ 程序"
started_from_copy() {
    local process
    for process in /proc/[0-9]*; do
        case $(readlink "$process/exe" 2>/dev/null) in
            "$copy/Lorvane" | "$copy/Miselle") echo "${process#/proc/}" ;;
        esac
    done
}
trap 'for p in $(started_from_copy); do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_DATA_HOME=$work/data
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"

# Text files only (-I): the executables' debug data may name the build.
leaks=$(grep -rIl -- "$(cd "$build" && pwd -P)" "$staged" || true)
[ -z "$leaks" ] || fail "staged files name the build folder: $leaks"

# GLib looks a program up before it turns "%%" back into "%": no "%" in the
# folder's name.
cp -r "$staged" "$copy"
output=$(bash "$copy/add-to-menu.sh") || fail "add-to-menu.sh failed: $output"
echo "$output"

for program in Lorvane Miselle; do
    entry=$XDG_DATA_HOME/applications/org.lorvane.$program.desktop
    [ -f "$entry" ] || fail "no menu entry $entry"
    verdict=$(desktop-file-validate "$entry" 2>&1) || fail "$entry: $verdict"
    [ -z "$verdict" ] || fail "$entry: $verdict"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    for size in scalable/apps/$icon.svg 16x16/apps/$icon.png 48x48/apps/$icon.png \
                256x256/apps/$icon.png; do
        [ -f "$XDG_DATA_HOME/icons/hicolor/$size" ] || fail "icon $size is missing"
    done

    # Its first window, whichever it is: a first Miselle asks for a lesson.
    gio launch "$entry" || fail "gio could not start $entry"
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --class "^$program\$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window of $program appeared"
    pid=$(xdotool getwindowpid "$window")
    [ "$(readlink "/proc/$pid/exe")" = "$copy/$program" ] ||
        fail "the entry started $(readlink "/proc/$pid/exe"), not the copy's $program"
    kill "$pid"
done

bash "$copy/add-to-menu.sh" --remove
left=$(find "$XDG_DATA_HOME" -type f)
[ -z "$left" ] || fail "--remove left: $left"
echo "1 passed, 0 failed"
