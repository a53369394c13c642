#!/usr/bin/env bash
# `cmake --install` into a temporary DESTDIR: exactly the expected files, a desktop entry and
# AppStream data that the desktop's own validators take without a warning, a readable manual
# page, and the icons at the sizes their folders promise.
#
#   install_tree.sh <build folder>
set -uo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli identify man; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed" >&2; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root

DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  fail "cmake --install failed: $(tail -3 "$work/install.log")"

id=org.example.quenlow
expected=(
  usr/games/quenlow
  usr/share/applications/$id.desktop
  usr/share/doc/quenlow/changelog.gz
  usr/share/doc/quenlow/copyright
  usr/share/man/man6/quenlow.6.gz
  usr/share/metainfo/$id.metainfo.xml
  usr/share/quenlow/installed
)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) \
  >"$work/list.diff" || fail "the installed files differ from the expected list:
$(cat "$work/list.diff")"
[[ -x $root/usr/games/quenlow ]] || fail "the program is not executable"

# The validators say nothing about an entry they fully accept.
report=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1) ||
  fail "desktop-file-validate refused the entry: $report"
[[ -z $report ]] || fail "desktop-file-validate complains: $report"
entry=$root/usr/share/applications/$id.desktop
for line in "Name=Quenlow" "Exec=quenlow" "Icon=$id" "Categories=Game;LogicGame;" "Terminal=false"; do
  grep -qxF "$line" "$entry" || fail "the entry lacks $line"
done
grep -q '^Comment\[zh_CN\]=' "$entry" || fail "the entry has no Chinese comment"

report=$(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
  fail "appstreamcli refused the metadata: $report"
if grep -E '^[EW]:' <<<"$report"; then fail "appstreamcli warns about the metadata"; fi

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/quenlow.6.gz" 2>&1 >"$work/man.txt")
[[ -z $warnings ]] || fail "the manual page has mistakes: $warnings"
for heading in NAME SYNOPSIS KEYS OPTIONS FILES; do
  grep -qx "$heading" "$work/man.txt" || fail "the manual page has no $heading section"
done
grep -q 'local/share/quenlow/score.ini' "$work/man.txt" || fail "the manual page does not say where the records live"

for size in 16 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png
  got=$(identify -format '%m %wx%h' "$icon" 2>&1)
  [[ $got == "PNG ${size}x$size" ]] || fail "the ${size}px icon is $got"
done
echo "passed"
