#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the programs in their folder
# libexec/lorvane, reached from bin, finding their documents and exactly the
# shipped lessons (GBK with CR LF, nothing a learner left in the staged
# folder) beside them as links into share/lorvane; the menu entries,
# AppStream data and every icon where the desktop looks for them, and
# nothing anywhere else. appstreamcli checks the installed tree as a whole.
# Exits 77 (skipped) without appstreamcli.
#   install_tree_test.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
build=$1
source=$2
command -v appstreamcli >/dev/null || { echo "no appstreamcli: skipped"; exit 77; }
fail() { echo "$@"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; }

# The program folder as the programs see it: the folder of their executable
# with the links resolved. Links are relative, or the tree could not move.
programs=$prefix/libexec/lorvane
[ -f "$programs/lorvane-audio.so" ] || fail "no sound module in libexec/lorvane"
[ -f "$programs/lorvane-pcaudio-stand-in.so" ] ||
    fail "no stand-in for espeak-ng's audio library in libexec/lorvane"
for program in Lorvane Miselle; do
    [ "$(readlink -f "$prefix/bin/$program")" = "$programs/$program" ] ||
        fail "bin/$program does not lead to libexec/lorvane/$program"
    [ -f "$programs/$program" ] && [ ! -L "$programs/$program" ] && [ -x "$programs/$program" ] ||
        fail "libexec/lorvane/$program is not a program"
    cmp -s "$prefix/share/applications/org.lorvane.$program.desktop" \
        "$source/data/desktop/org.lorvane.$program.desktop" || fail "$program's menu entry differs"
    cmp -s "$prefix/share/metainfo/org.lorvane.$program.metainfo.xml" \
        "$source/data/desktop/org.lorvane.$program.metainfo.xml" || fail "$program's AppStream data differs"
    icon=$(sed -n 's/^Icon=//p' "$source/data/desktop/org.lorvane.$program.desktop")
    for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
        [ -f "$prefix/share/icons/hicolor/$size/apps/$icon.png" ] || fail "no $size icon $icon"
    done
    cmp -s "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" "$source/data/icons/$icon.svg" ||
        fail "the scalable icon $icon differs from its drawing"
    [ -f "$prefix/share/man/man1/$program.1.gz" ] || fail "no manual page for $program"
    # Their sound, loaded from the program folder when first needed.
    ldd "$programs/$program" | grep -q Multimedia &&
        fail "$program loads Qt Multimedia at its start"
done
for document in Lorvane说明.htm 安装必读.htm; do
    cmp -s "$programs/$document" "$source/data/$document" || fail "$document differs"
    [ "$(readlink -f "$programs/$document")" = "$prefix/share/lorvane/$document" ] ||
        fail "$document is not the one in share/lorvane"
done
[ "$(readlink -f "$programs/单词课文")" = "$prefix/share/lorvane/单词课文" ] ||
    fail "the lesson folder is not the one in share/lorvane"
absolute=$(find "$prefix" -type l -lname '/*')
[ -z "$absolute" ] || fail "absolute links: $absolute"

# The lesson folder: the same files as data/单词课文, converted.
lessons=$programs/单词课文
shipped=$(cd "$source/data/单词课文" && find . -type f | sort)
installed=$(cd "$lessons/" && find . -type f | sort)
[ "$shipped" = "$installed" ] || fail "installed lessons differ:"$'\n'"$installed"$'\n'"from:"$'\n'"$shipped"
while IFS= read -r file; do
    grep -q $'\r$' "$lessons/$file" || fail "$file has no CR LF line ends"
    iconv -f GBK -t UTF-8 "$lessons/$file" | tr -d '\r' | cmp -s - "$source/data/单词课文/$file" ||
        fail "$file is not its source in GBK"
done <<<"$shipped"

outside=$(cd "$prefix" && find . ! -type d | grep -Ev '^\./(bin/(Lorvane|Miselle)$|libexec/lorvane/|share/(lorvane|applications|metainfo|icons/hicolor|man/man1|doc/lorvane|lintian/overrides)/)' || true)
[ -z "$outside" ] || fail "installed outside the layout: $outside"

appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli does not accept the installed tree"
echo "1 passed, 0 failed"
