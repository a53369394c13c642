#!/usr/bin/env bash
# The Debian package built from the release build: its control fields, the same files as
# `cmake --install`, and no error and no warning from lintian.
#
#   package_lint.sh <build folder>
set -uo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed" >&2; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(tail -5 "$work/cpack.log")"
debs=("$work"/quenlow_2.3_*.deb)
[[ -f ${debs[0]} ]] || fail "no quenlow_2.3_<arch>.deb was made: $(ls "$work")"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == quenlow ]] || fail "the package is called $(field Package)"
[[ $(field Version) == 2.3 ]] || fail "the version is $(field Version)"
[[ $(field Section) == games ]] || fail "the section is $(field Section)"
[[ $(field Recommends) == *qt6-wayland* ]] || fail "the Wayland plugin is not recommended"
depends=$(field Depends)
# The fonts the labels and the Chinese names are drawn with, and the Qt libraries found in
# the program itself.
for needed in fonts-liberation fonts-wqy-microhei fonts-dejavu-core libqt6widgets6 libc6; do
  [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done

DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null 2>&1 || fail "cmake --install failed"
diff <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' | sort) \
     <(cd "$work/root" && find . -type f -printf '%P\n' | sort) >"$work/list.diff" ||
  fail "the package and cmake --install hold different files:
$(cat "$work/list.diff")"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
status=$?
if grep -E '^[EW]: ' "$work/lintian.log"; then fail "lintian reports the lines above"; fi
((status == 0)) || fail "lintian failed with status $status: $(tail -3 "$work/lintian.log")"
echo "passed"
