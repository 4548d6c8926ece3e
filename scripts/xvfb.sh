# Starts a private Xvfb unless DISPLAY names a live one; sets KORVANT_XVFB_PID when it started one.
start_private_xvfb() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
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
