#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang++ in a build tree of their
# own and runs each for SECONDS (default 600), one after the other, from a
# starting corpus of valid inputs. Prints one line per target: executions,
# coverage, corpus and the result. Inputs that break a target are kept in
# <build>/findings/.
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
#
# WLT_FUZZ_BUILD_DIR chooses the build tree (default build-fuzz). The corpus
# each run finds stays in <build>/corpus/<target> and is the start of the
# next run. Exit status: 0 every target ran clean, 1 a target failed, 2 bad
# arguments, 77 clang++ with libFuzzer is not installed (nothing was run).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-600}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: bash scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
fi
shift $(($# > 0 ? 1 : 0))
all_targets=(link-reply settings-file event-file grid-integer)
if [ $# -gt 0 ]; then targets=("$@"); else targets=("${all_targets[@]}"); fi
for target in "${targets[@]}"; do
  if [ ! -f "fuzz/${target}.options" ]; then
    echo "fuzz.sh: no fuzz target '${target}' (targets: ${all_targets[*]})" >&2
    exit 2
  fi
done

build=${WLT_FUZZ_BUILD_DIR:-build-fuzz}
mkdir -p "$build"
build=$(cd "$build" && pwd)

# clang++ must link a program with libFuzzer and both sanitizers; Debian
# ships libFuzzer in libclang-rt-14-dev (scripts/install-deps.sh).
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$probe/probe.cpp"
if ! command -v clang++ >/dev/null ||
   ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>"$probe/error"; then
  echo "fuzz.sh: skipped: clang++ with libFuzzer is not installed (bash scripts/install-deps.sh)"
  head -n 5 "$probe/error" 2>/dev/null || true
  exit 77
fi

echo "== building the fuzz targets in $build"
cmake -S "$root" -B "$build" -DWLT_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build/configure.log" ||
  { cat "$build/configure.log"; exit 1; }
cmake --build "$build" --target wlt-fuzzers -j"$(nproc)" >"$build/build.log" 2>&1 ||
  { tail -n 60 "$build/build.log"; exit 1; }

# The starting corpus: valid inputs from the program's own writers, and the
# text files the project ships.
start="$build/corpus-start"
rm -rf "$start"
"$build/bin/wlt-fuzz-corpus" "$start"
cp data/WLT_*.txt tests/files/data/WLT_*.txt "$start/settings-file/"

# A smaller quarantine than the default 256 MiB: memory is reused sooner,
# which saves the page faults that otherwise cost a third of the time.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1:quarantine_size_mb=32}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export QT_QPA_PLATFORM=offscreen

mkdir -p "$build/findings" "$build/logs"
printf '\n%-14s %8s %11s %8s %7s %7s %16s  %s\n' target seconds executions exec/s cov ft corpus result
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus"
  # Options of the target, one -name=value a line (fuzz/<target>.options).
  mapfile -t options < <(grep -v '^#' "fuzz/${target}.options" | sed '/^$/d')
  dict=()
  if [ -f "fuzz/${target}.dict" ]; then dict=(-dict="fuzz/${target}.dict"); fi
  rc=0
  started=$(date +%s)
  nice "$build/bin/fuzz-$target" "${options[@]}" "${dict[@]}" \
    -max_total_time="$seconds" -print_final_stats=1 -error_exitcode=1 \
    -artifact_prefix="$build/findings/$target-" \
    "$corpus" "$start/$target" >"$log" 2>&1 || rc=$?
  elapsed=$(($(date +%s) - started))

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  units=$(find "$corpus" -type f | wc -l)
  size=$(find "$corpus" -type f -printf '%s\n' | awk '{s += $1} END {printf "%d", s / 1024}')
  if [ "$rc" -eq 0 ]; then
    result=clean
  else
    result="FAILED (exit $rc, see $log)"
    status=1
  fi
  printf '%-14s %8s %11s %8s %7s %7s %16s  %s\n' "$target" "$elapsed" "${executions:-?}" "${rate:-?}" \
    "${cov:-?}" "${ft:-?}" "$units files ${size} KiB" "$result"
  if [ "$rc" -ne 0 ]; then
    grep -E 'ERROR|promise broken|runtime error|SUMMARY|Test unit written' "$log" | head -n 12 | sed 's/^/    /'
  fi
done
exit $status
