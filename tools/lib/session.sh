# The private session that the tools run Wine in: an X server and a PulseAudio null sink, both ended when
# the sourcing script exits. Source it, then:
#   session_display [SCREEN]   starts Xvfb (default screen 1024x768x24) on a display number that is free,
#                              which Xvfb itself picks and reports (-displayfd), and exports DISPLAY
#   session_sound DIR          starts a PulseAudio null sink with XDG_RUNTIME_DIR=DIR (made afresh, 0700) and
#                              exports XDG_RUNTIME_DIR; returns non-zero when PulseAudio cannot start. It gives
#                              Wine's own mixer and DirectSound real devices without sound hardware.
#   session_at_exit COMMAND    runs COMMAND (a string for eval) at exit, before the servers stop; the last
#                              registered runs first
# An interrupt or termination ends the script the same way.

_session_xvfb=
_session_pulse_pid_file=
_session_exit_commands=()

session_display() {
  local screen=${1:-1024x768x24} number_file number=
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  _session_xvfb=$!
  # Xvfb writes the number once it accepts connections; it takes the first display that has neither a
  # lock file nor a socket.
  for _ in $(seq 200); do
    number=$(head -n 1 "$number_file")
    [ -n "$number" ] && break
    kill -0 "$_session_xvfb" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$number_file"
  if [ -z "$number" ]; then
    echo "session: the X server did not start" >&2
    return 1
  fi
  export DISPLAY=:$number
}

session_sound() {
  export XDG_RUNTIME_DIR=$1
  rm -rf "$XDG_RUNTIME_DIR" && mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=zvnull" \
    --load=module-native-protocol-unix >/dev/null 2>&1 || return 1
  _session_pulse_pid_file=$XDG_RUNTIME_DIR/pulse/pid
}

session_at_exit() {
  _session_exit_commands=("$1" "${_session_exit_commands[@]}")
}

_session_stop() {
  local command
  for command in "${_session_exit_commands[@]}"; do eval "$command" || true; done
  if [ -n "$_session_pulse_pid_file" ] && [ -f "$_session_pulse_pid_file" ]; then
    kill "$(cat "$_session_pulse_pid_file")" 2>/dev/null || true
  fi
  if [ -n "$_session_xvfb" ]; then
    kill "$_session_xvfb" 2>/dev/null || true
    wait "$_session_xvfb" 2>/dev/null || true
  fi
}

trap _session_stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
