#!/usr/bin/env bash
# The menu entries and the AppStream data of both programs, as shipped in
# data/desktop: desktop-file-validate and appstreamcli have nothing at all to
# say about them, each AppStream file launches an entry that exists and
# names its program, and each entry's icon has a drawing in data/icons.
# Exits 77 (skipped) without the validators.
#   launchers_valid_test.sh SOURCE_FOLDER
set -euo pipefail
source=$1
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
fail() { echo "$@"; exit 1; }
desktop=$source/data/desktop

count=0
for entry in "$desktop"/*.desktop; do
    verdict=$(desktop-file-validate "$entry" 2>&1) || fail "$entry: $verdict"
    [ -z "$verdict" ] || fail "$entry: $verdict"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$source/data/icons/$icon.svg" ] || fail "$entry: no drawing data/icons/$icon.svg"
    count=$((count + 1))
done
[ "$count" -eq 2 ] || fail "expected the two programs' entries, found $count"

for metainfo in "$desktop"/*.metainfo.xml; do
    # --strict: even an information-level remark fails.
    appstreamcli validate --no-net --strict "$metainfo" || fail "$metainfo does not validate"
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "$metainfo is not named after $id"
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [ "$launchable" = "$id.desktop" ] || fail "$metainfo launches $launchable, not $id.desktop"
    [ -f "$desktop/$launchable" ] || fail "$metainfo launches $launchable, which is missing"
    binary=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo")
    grep -qx "Exec=$binary" "$desktop/$launchable" || fail "$launchable does not start $binary"
done
echo "1 passed, 0 failed"
