#!/bin/sh
# Installs what the program needs, builds it, and runs it against the bundled
# instrument simulator (or, with --real, against a real instrument).
#
#   scripts/run.sh [--real] [--home DIR] [--language original|en] [-- PROGRAM ARGUMENTS]
#
# --language shows the program in the original texts or in English for this run.
# LXV_SKIP_INSTALL=1 skips the package installation.
# The settings folder (LXV_HOME) defaults to ~/.local/share/lxv7700-demo for the
# simulator and to the program's usual settings folder with --real.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
real=0
home=""
language=""
while [ $# -gt 0 ]; do
    case "$1" in
        --real) real=1; shift ;;
        --home) home="$2"; shift 2 ;;
        --language) language="$2"; shift 2 ;;
        --) shift; break ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        *) break ;;
    esac
done

if [ "${LXV_SKIP_INSTALL:-0}" != 1 ] && [ -x "$here/scripts/install-deps.sh" ]; then
    "$here/scripts/install-deps.sh"
fi

# Build as the user who called sudo, so the build folder stays theirs.
as_user() {
    if [ "$(id -u)" = 0 ] && [ -n "${SUDO_USER:-}" ]; then sudo -u "$SUDO_USER" "$@"; else "$@"; fi
}
as_user cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
as_user cmake --build "$here/build" --target lxv7700 lxv7700-sim

program="$here/build/src/app/lxv7700"
if [ -n "$language" ]; then set -- --language "$language" "$@"; fi
if [ "$real" = 1 ]; then
    if [ -n "$home" ]; then
        as_user mkdir -p "$home"
        exec env LXV_HOME="$home" "$program" "$@"
    fi
    exec "$program" "$@"
fi

if [ -z "$home" ]; then
    user_home=$(as_user sh -c 'echo $HOME')
    home="$user_home/.local/share/lxv7700-demo"
fi
as_user mkdir -p "$home"
link="$home/lxv7700-sim.pty"

# The Starting switch presses itself 2 s after a start request, so the demo's
# starting test needs no hand on the simulator.
# Started as the same user as the program, so the program may open its terminal.
# Not through as_user: a function run in the background is a subshell, and $!
# must be the simulator itself (or sudo, which passes signals on to it).
if [ "$(id -u)" = 0 ] && [ -n "${SUDO_USER:-}" ]; then
    sudo -u "$SUDO_USER" "$here/build/tools/sim/lxv7700-sim" --link "$link" --auto-trigger 2 >"$home/lxv7700-sim.out" 2>&1 &
else
    "$here/build/tools/sim/lxv7700-sim" --link "$link" --auto-trigger 2 >"$home/lxv7700-sim.out" 2>&1 &
fi
sim=$!
stop_sim() { kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true; }
trap stop_sim EXIT INT TERM

# Wait (at most 5 s) for the simulator's pseudo-terminal link.
tries=0
while [ ! -e "$link" ] && [ $tries -lt 50 ]; do
    if ! kill -0 "$sim" 2>/dev/null; then
        echo "lxv7700-sim stopped; see $home/lxv7700-sim.out" >&2
        exit 1
    fi
    sleep 0.1
    tries=$((tries + 1))
done
[ -e "$link" ] || { echo "lxv7700-sim made no link at $link" >&2; exit 1; }

# The settings point COM3 at the simulator (station 1); an existing file is left as it is.
if [ ! -e "$home/SysSet.ini" ]; then
    printf '[PortMap]\nCOM3=%s\n\n[CommPort]\nPort=3\n\n[CommAddress]\nAddress=1\n' "$link" >"$home/SysSet.ini"
    if [ "$(id -u)" = 0 ] && [ -n "${SUDO_USER:-}" ]; then chown "$SUDO_USER" "$home/SysSet.ini"; fi
fi

status=0
# The demo measures continuously from the start, so live values show at once.
as_user env LXV_HOME="$home" LXV_TEST_ACTION="${LXV_DEMO_ACTION-continuous}" "$program" "$@" || status=$?
exit $status
