#!/bin/sh
# Takes the window pictures of the README and docs/ again, offscreen, with the
# program's own windows against the bundled simulator (build/ must hold
# lxv7700-sim and lxv7700-window-shot: cmake --build build --target
# lxv7700-sim lxv7700-window-shot).
#
#   scripts/take-pictures.sh
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
sim="$here/build/tools/sim/lxv7700-sim"
shot="$here/build/tools/shot/lxv7700-window-shot"
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# A 200 W product whose 7th harmonic is just over its class D limit, as the
# harmonic test's picture shows; the main window shows the same load.
"$sim" --link "$work/sim.pty" --seed 7 --power 200 --phase 0 \
    --harmonic-amperes "3:0.62,5:0.33,7:0.21,9:0.09,11:0.05,13:0.04" >"$work/sim.out" 2>&1 &
pid=$!
tries=0
while [ ! -e "$work/sim.pty" ] && [ $tries -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done

settings() {  # $1: the language
    mkdir -p "$work/$1"
    printf '[PortMap]\nCOM3=%s\n\n[CommPort]\nPort=3\n\n[CommAddress]\nAddress=1\n\n[Language]\nUI=%s\n' \
        "$work/sim.pty" "$1" >"$work/$1/SysSet.ini"
}
settings original
settings en
LXV_HOME="$work/original" "$shot" --click SeSkinSpeedButton8 --seconds 3 MainForm "$here/docs/main-window-original.png"
LXV_HOME="$work/en" "$shot" --click SeSkinSpeedButton8 --seconds 3 MainForm "$here/docs/main-window-en.png"
LXV_HOME="$work/en" "$shot" --set ClassBox=D --set ObservationEdit=20 --click StartButton --seconds 21.5 \
    HarmonicTestForm "$here/docs/harmonic-test.png"
echo "pictures written to $here/docs"
