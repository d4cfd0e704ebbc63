#!/usr/bin/env bash
# Holds down a key that has no action in mtlplot's real window for eight
# seconds, so that every auto-repeat of the keyboard asks for the error tone,
# then presses F10: the program must end at once. Were the repeats queued
# behind their tones, it would still be sounding them for seconds.
# Usage: run_key_repeat_test.sh MTLPLOT OUTPUT_FOLDER
# Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick's import are missing.
set -u
mtlplot="$1" out="$2"
source "$(dirname "$0")/window_session.sh"
mkdir -p "$out"
start_session "$mtlplot" "$out/mtlplot.out"

timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null
sleep 0.5
timeout 5 xdotool keydown x
sleep 8
timeout 5 xdotool keyup x
timeout 5 xdotool key F10
wait_for_end 15 || fail "mtlplot still worked through the held-down key 1.5 s after it was let go"
[ "$plot_status" -eq 0 ] || fail "mtlplot ended with status $plot_status"
echo "PASS: a held-down key left no backlog behind its error tones"
