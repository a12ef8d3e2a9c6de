#!/usr/bin/env bash
# `cmake --install` into a temporary prefix (with a space in it): the menu
# entry passes desktop-file-validate and names the installed program, the
# icon is there in every size as a PNG of that size, and the installed
# program started from other folders opens its rock model: the working
# folder's copy when there is one, else the installed one; with neither it
# says where it looked and goes on.
# Usage: install_test.sh CMAKE BUILD_DIR RUN_UNTIL_OPEN
set -euo pipefail
cmake="$1" build="$2" run_until_open="$3"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix="$work/pre fix"
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }

entry="$prefix/share/applications/morvandel-gauge.desktop"
desktop-file-validate "$entry" || fail "$entry is not a valid desktop entry"
grep -qxF "Exec=\"$prefix/bin/morvandel-gauge\"" "$entry" || fail "Exec does not name the program"
grep -qxF "Icon=morvandel-gauge" "$entry" || fail "Icon is not the installed icon's name"
[ -x "$prefix/bin/morvandel-gauge" ] && [ -x "$prefix/bin/morvandel-compare-server" ] ||
  fail "the program and its comparison server are not both in bin/"

for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/morvandel-gauge.png"
  [ -f "$icon" ] || fail "no $icon"
  # Signature, then IHDR's width and height (big-endian) and RGBA colour type.
  header="$(od -An -tx1 -N26 "$icon" | tr -d ' \n')"
  expected="$(printf '89504e470d0a1a0a0000000d49484452%08x%08x0806' "$size" "$size")"
  [ "$header" = "$expected" ] || fail "$icon is no ${size}x${size} RGBA PNG ($header)"
done

export SDL_VIDEODRIVER=offscreen LIBGL_ALWAYS_SOFTWARE=1 MG_BENCH_PATH_KEYFRAMES=4
export XDG_CONFIG_HOME="$work/config"
unset DISPLAY WAYLAND_DISPLAY
program=("$prefix/bin/morvandel-gauge" --benchmark --offscreen --size 64x48 --quality low)
rock=obj/Kleiner_Granitfelsen.obj
installed_rock="$prefix/share/morvandel-gauge/$rock"

mkdir "$work/empty"
(cd "$work/empty" && "$run_until_open" "$installed_rock" 300 "${program[@]}" >"$work/out" 2>&1) ||
  { cat "$work/out" >&2; fail "started from an empty folder, it did not open $installed_rock"; }

mkdir -p "$work/own/obj"
cp "$installed_rock" "$work/own/$rock"
(cd "$work/own" && "$run_until_open" "$work/own/$rock" 300 "${program[@]}" >"$work/out" 2>&1) ||
  { cat "$work/out" >&2; fail "it did not take the working folder's $rock first"; }

rm "$installed_rock"
message="The rock model $rock is neither in the working folder nor in $prefix/share/morvandel-gauge."
(cd "$work/empty" && exec "${program[@]}" >"$work/out" 2>"$work/err") &
pid=$!
for _ in $(seq 600); do
  grep -qxF "$message" "$work/err" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
alive=0
kill -0 "$pid" 2>/dev/null && alive=1 && kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
grep -qxF "$message" "$work/err" || { cat "$work/err" >&2; fail "no message about the missing model"; }
[ "$alive" -eq 1 ] || grep -q "FPS average" "$work/out" ||
  { cat "$work/out" "$work/err" >&2; fail "without its rock model the program did not go on"; }
echo "e2e: installed into a prefix, entry and icons valid, rock model found from other folders"
