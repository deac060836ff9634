#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs
# each for SECONDS (default 60), one after the other, from the seeds in
# fuzz/corpus/<target>/. Inputs that break a property, crash, leak or time
# out land in build-fuzz/findings/<target>/; the script then fails.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH=${1:-60}
shift || true
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  TARGETS=(ini scenario board_stream mailcap)
fi

if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build-fuzz -- -j"$(nproc)"

failed=()
for target in "${TARGETS[@]}"; do
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  echo "== fuzz_$target for ${SECONDS_EACH}s"
  # One process: the machine's cores are shared.
  build-fuzz/fuzz_"$target" -max_total_time="$SECONDS_EACH" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "fuzz/corpus/$target" > "build-fuzz/fuzz_$target.log" 2>&1 &
  pid=$!
  status=0
  wait "$pid" || status=$?
  # The scratch file the target named after its process.
  rm -f "/dev/shm/lumivane-fuzz-$target-$pid" "/tmp/lumivane-fuzz-$target-$pid"
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    tail -n 40 "build-fuzz/fuzz_$target.log"
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "build-fuzz/fuzz_$target.log" || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzz findings in: ${failed[*]} (inputs in build-fuzz/findings/)" >&2
  exit 1
fi
echo "Fuzzing: ${#TARGETS[@]} targets, no findings"
