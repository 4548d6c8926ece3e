# Starts a private Xvfb unless DISPLAY names a live one; sets KORVANT_XVFB_PID when it started one.
# KORVANT_XVFB_DISPLAYS (e.g. 200-220) names the display numbers it may take.
start_private_xvfb() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    local n range=${KORVANT_XVFB_DISPLAYS:-91-140}
    for n in $(seq "${range%-*}" "${range#*-}"); do
        [ -e "/tmp/.X$n-lock" ] && continue
        # In a session of its own, so that Ctrl+C in the terminal leaves it to the script.
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
        KORVANT_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 1 100); do
            xdpyinfo >/dev/null 2>&1 && return
            kill -0 "$KORVANT_XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
    done
    echo "could not start Xvfb" >&2
    return 1
}
