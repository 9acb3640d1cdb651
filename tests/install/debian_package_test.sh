#!/usr/bin/env bash
# The Debian package as `cpack -G DEB` makes it from the build folder: its
# dependencies name the libraries and what the programs load at run time,
# lintian finds no error or warning, and dpkg installs it into a scratch
# root, verifies every file and removes it again without a trace.
# Exits 77 (skipped) without the packaging tools (dpkg-dev, file, lintian).
#   debian_package_test.sh BUILD_FOLDER CPACK
set -euo pipefail
build=$1
cpack=$2
for tool in dpkg-deb dpkg-shlibdeps file lintian; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
fail() { echo "$@"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# cpack's archiver takes file names in the locale's character set: the
# lessons' Chinese names need a UTF-8 one (a bare root shell has none).
LC_ALL=C.UTF-8 "$cpack" -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" \
    >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
packages=("$work"/out/lorvane_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "cpack made no single package"
package=${packages[0]}
echo "$(basename "$package"): $(stat -c %s "$package") bytes"

depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6multimedia6 libespeak-ng1 libx11-6 \
              espeak-ng-data fonts-wqy-microhei qt6-translations-l10n xdg-utils; do
    [[ ", $depends," == *", $needed"[\ ,\|]* ]] || fail "Depends lacks $needed"
done
# The natural voices: installed by default, but the programs run without them.
recommends=$(dpkg-deb -f "$package" Recommends)
echo "Recommends: $recommends"
[[ ", $recommends," == *", libflite1"[\ ,\|]* ]] || fail "Recommends lacks libflite1"
[[ ", $depends," != *flite* ]] || fail "Depends names flite, which the programs do without"

# Every file owned by root, directories and programs 0755, the rest 0644;
# the programs in their folder, reached from usr/bin by relative links.
contents=$(dpkg-deb -c "$package")
odd=$(awk '$2 != "root/root" ||
        ($1 !~ /^[dl]/ && $1 != "-rw-r--r--" && $1 != "-rwxr-xr-x") ||
        ($1 ~ /^d/ && $1 != "drwxr-xr-x")' <<<"$contents")
[ -z "$odd" ] || fail "odd owners or modes: $odd"
for program in Lorvane Miselle; do
    grep -q -- "^-rwxr-xr-x root/root .* \./usr/libexec/lorvane/$program\$" <<<"$contents" ||
        fail "usr/libexec/lorvane/$program is not in the package as a program"
    grep -q -- "^lrwxrwxrwx root/root .* \./usr/bin/$program -> \.\./libexec/lorvane/$program\$" \
        <<<"$contents" || fail "usr/bin/$program does not lead to the program"
done

# Its notes (-I) are shown too; only errors and warnings fail.
status=0
report=$(lintian -I --fail-on error,warning "$package" 2>&1) || status=$?
grep -v '^running with root privileges' <<<"$report" || true
[ $status -eq 0 ] || fail "lintian found errors or warnings"

# A scratch root of dpkg's own: the unpacking, the file list and the
# checksums are dpkg's. The dependencies belong to the real system and are
# not there.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg() { command dpkg --root="$root" --force-not-root "$@"; }
dpkg --force-depends -i "$package" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i failed"; }
[ "$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${db:Status-Abbrev}' lorvane)" = "ii " ] ||
    fail "lorvane is not installed in the scratch root"
for file in usr/bin/Lorvane usr/bin/Miselle usr/libexec/lorvane/单词课文/word.dat \
            usr/share/applications/org.lorvane.Lorvane.desktop \
            usr/share/icons/hicolor/scalable/apps/miselle.svg; do
    [ -f "$root/$file" ] || fail "dpkg did not install $file"
done
dpkg --verify lorvane || fail "dpkg --verify found changed files"
dpkg -r lorvane >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r failed"; }
left=$(find "$root" -path "$root/var" -prune -o -type f -print)
[ -z "$left" ] || fail "dpkg -r left: $left"
echo "1 passed, 0 failed"
