# Sourced: makes sure a display exists. Without one it starts Xvfb on a free display number
# and stops it when the sourcing shell exits.
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 119); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 ${XVFB_SCREEN:-1024x768x24} -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null' EXIT
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=:$n
    break
  done
fi
