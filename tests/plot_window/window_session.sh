# Shared by the window tests (sourced): a virtual X display and mtlplot in
# it. Sets DISPLAY, plot_pid and window; cleans up on exit.
# Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick's import are missing.
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
work="$(mktemp -d)"
xvfb_pid="" plot_pid=""
cleanup() {
    [ -n "$plot_pid" ] && kill "$plot_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# start_session MTLPLOT LOG: Xvfb picks a free display itself and writes its
# number once it accepts connections (several of these tests may run at the
# same time); mtlplot starts in an empty folder (roman.fon comes from the
# build tree) and its window is looked up.
start_session() {
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "cannot start Xvfb"
    export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
    (cd "$work" && SDL_AUDIODRIVER=dummy exec "$1") >"$2" 2>&1 &
    plot_pid=$!
    window="$(timeout 10 xdotool search --sync --onlyvisible --name '^mtlplot$' | head -1)"
    [ -n "$window" ] || fail "no mtlplot window"
}

# wait_for_end TENTHS: true when mtlplot ended within TENTHS tenths of a
# second; its exit status is then in plot_status.
wait_for_end() {
    for _ in $(seq "$1"); do
        kill -0 "$plot_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$plot_pid" 2>/dev/null && return 1
    wait "$plot_pid"
    plot_status=$?
    plot_pid=""
}
