#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test:
#   1. the normal build: unit, window, simulator and end-to-end tests (CTest);
#   2. an AddressSanitizer + UndefinedBehaviorSanitizer build of the same suite
#      (end-to-end and soak tests excepted);
#   3. the libFuzzer targets (clang), each for a bounded number of runs.
# Options: LXV_SKIP_INSTALL=1 skips the package installation;
#          LXV_SOAK_SECONDS=N makes the soak test last N seconds (default 120).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${JOBS:-$(nproc)}

if [ "${LXV_SKIP_INSTALL:-0}" != 1 ]; then
  scripts/install-deps.sh
fi

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
summary=()

echo "==> layering: lower folders never include higher ones"
scripts/check-layers.sh
summary+=("layering check passed")

echo "==> normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLXV_SOAK_SECONDS="${LXV_SOAK_SECONDS:-120}"
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs" --timeout 600)
normal=$(cd build && ctest -N | sed -n 's/^Total Tests: //p')
summary+=("normal build: $normal tests passed")

echo "==> sanitizer build (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLXV_SANITIZE=ON -DLXV_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure -j"$jobs" --timeout 900 -LE 'e2e|soak')
sanitized=$(cd build-asan && ctest -N -LE 'e2e|soak' | sed -n 's/^Total Tests: //p')
summary+=("sanitizer build: $sanitized tests passed")

echo "==> fuzz targets (libFuzzer)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLXV_FUZZ=ON
cmake --build build-fuzz -j"$jobs"
fuzz_runs=${LXV_FUZZ_RUNS:-100000}
fuzzers=0
for fuzzer in build-fuzz/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/$name"
  [ -d "$seeds" ] || seeds=""
  echo "--> $name ($fuzz_runs runs)"
  "$fuzzer" -runs="$fuzz_runs" -max_len=9000 -max_total_time=60 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/" "$corpus" $seeds 2>&1 | tail -n 4
  summary+=("$name: $fuzz_runs runs (or 60 s) passed")
  fuzzers=$((fuzzers + 1))
done

echo
printf '%s\n' "${summary[@]}"
echo "$((normal + sanitized + fuzzers)) passed, 0 failed"
