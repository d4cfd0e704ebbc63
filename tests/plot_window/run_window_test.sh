#!/usr/bin/env bash
# Starts mtlplot in a virtual X display, checks that its window shows the
# title and the main menu bar exactly as the headless screen draws them,
# presses F1, F5, F10 and F10 and expects the program to end with status 0.
# Usage: run_window_test.sh MTLPLOT PLOT_START_SCREEN OUTPUT_FOLDER
# Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick's import are missing.
set -u
mtlplot="$1" helper="$2" out="$3"
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
mkdir -p "$out"
work="$(mktemp -d)"
xvfb_pid="" plot_pid=""
cleanup() {
    [ -n "$plot_pid" ] && kill "$plot_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display itself and writes its number once it accepts
# connections (several of these tests may run at the same time).
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
[ -s "$work/display" ] || fail "cannot start Xvfb"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

# mtlplot in an empty folder: roman.fon comes from the build tree.
(cd "$work" && SDL_AUDIODRIVER=dummy exec "$mtlplot") >"$out/mtlplot.out" 2>&1 &
plot_pid=$!
window="$(timeout 10 xdotool search --sync --onlyvisible --name '^mtlplot$' | head -1)"
[ -n "$window" ] || fail "no mtlplot window"

# The window is drawn after start-up; take screenshots until it matches.
matched=""
for _ in $(seq 30); do
    sleep 0.2
    timeout 5 import -window "$window" -depth 8 "$out/mtlplot_window.ppm" 2>/dev/null || continue
    if "$helper" compare "$out/mtlplot_window.ppm" >"$out/compare.txt" 2>&1; then
        matched=yes
        break
    fi
done
timeout 5 import -window "$window" "$out/mtlplot_window.png" 2>/dev/null
"$helper" render "$out/expected_start_screen.png"
cat "$out/compare.txt"
[ -n "$matched" ] || fail "the window does not show the start screen (see $out)"

timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null
for key in F1 F5 F10 F10; do
    timeout 5 xdotool key "$key"
    sleep 0.3
done
for _ in $(seq 100); do
    kill -0 "$plot_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$plot_pid" 2>/dev/null && fail "mtlplot did not end after F10"
wait "$plot_pid"
status=$?
plot_pid=""
[ "$status" -eq 0 ] || fail "mtlplot ended with status $status"
echo "PASS: start screen shown, F10 ended mtlplot with status 0"
