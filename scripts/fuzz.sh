#!/usr/bin/env bash
# Fuzz campaigns: builds the libFuzzer targets of fuzz/ with clang in
# build/fuzz and runs one target, or every target in turn.
#   scripts/fuzz.sh [TARGET] [SECONDS]     (all targets, 600 s each, by default)
# New interesting inputs go to build/fuzz-corpus/TARGET (the committed corpus
# in fuzz/corpus is only read), crashes and their logs to
# build/fuzz-findings/TARGET. Extra libFuzzer flags: ROVANTA_FUZZ_FLAGS.
set -euo pipefail
cd "$(dirname "$0")/.."

all=(cal_file cal_rename bmp_header text_file tour_load tour_recovery
     help_sitemap help_archive ini_values manager_settings gpx position_parse raster_map
     map_bitmap)
target=${1:-all}
seconds=${2:-600}
if [[ "$target" == all ]]; then
  targets=("${all[@]}")
elif [[ " ${all[*]} " == *" $target "* ]]; then
  targets=("$target")
else
  echo "fuzz: unknown target '$target' (one of: ${all[*]})" >&2
  exit 2
fi

scripts/setup.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DROVANTA_BUILD_FUZZERS=ON -DROVANTA_BUILD_TESTS=OFF >/dev/null
cmake --build build/fuzz --target "${targets[@]/#/fuzz_}"

dict_for() {
  case $1 in
    cal_*) echo fuzz/dict/cal.dict ;;
    bmp_header | map_bitmap) echo fuzz/dict/bmp.dict ;;
    help_*) echo fuzz/dict/sitemap.dict ;;
  esac
}

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
status=0
for t in "${targets[@]}"; do
  corpus=build/fuzz-corpus/$t findings=build/fuzz-findings/$t
  mkdir -p "$corpus" "$findings"
  flags=(-max_total_time="$seconds" -jobs=1 -workers=1 -timeout=10 -rss_limit_mb=2048
         -print_final_stats=1 -artifact_prefix="$PWD/$findings/")
  dict=$(dict_for "$t")
  [[ -n "$dict" ]] && flags+=(-dict="$PWD/$dict")
  inputs=("$PWD/$corpus" "$PWD/fuzz/corpus/$t")
  [[ -d fuzz/reproducers/$t ]] && inputs+=("$PWD/fuzz/reproducers/$t")
  echo "fuzz: $t for ${seconds}s, log in $findings/fuzz-0.log"
  # With -jobs libFuzzer logs to fuzz-0.log in the working folder.
  (cd "$findings" && "$OLDPWD/build/fuzz/fuzz/fuzz_$t" "${flags[@]}" ${ROVANTA_FUZZ_FLAGS:-} "${inputs[@]}") ||
    status=1
  grep -E '^(#[0-9]+.*(DONE|cov:)|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' \
    "$findings/fuzz-0.log" | tail -4 || true
done
exit $status
