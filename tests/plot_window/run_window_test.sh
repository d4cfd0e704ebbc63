#!/usr/bin/env bash
# Starts mtlplot in a virtual X display, checks that its window shows the
# title and the main menu bar exactly as the headless screen draws them,
# presses F1, F5, F10 and F10 and expects the program to end with status 0.
# Usage: run_window_test.sh MTLPLOT PLOT_START_SCREEN OUTPUT_FOLDER
# Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick's import are missing.
set -u
mtlplot="$1" helper="$2" out="$3"
source "$(dirname "$0")/window_session.sh"
mkdir -p "$out"
start_session "$mtlplot" "$out/mtlplot.out"

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
wait_for_end 100 || fail "mtlplot did not end after F10"
[ "$plot_status" -eq 0 ] || fail "mtlplot ended with status $plot_status"
echo "PASS: start screen shown, F10 ended mtlplot with status 0"
