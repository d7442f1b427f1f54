#!/usr/bin/env bash
# Fuzzes one target of tests/fuzz/ with libFuzzer for a while:
#   scripts/fuzz.sh TARGET SECONDS      (TARGET: batch_builder, line_splitter, log_model)
# Builds it with clang++-14 (-fsanitize=fuzzer,address,undefined) into
# build/fuzz/ and runs it on a copy of its seed corpus (tests/fuzz/corpus/TARGET),
# so the committed corpus is never changed. A failing input is saved as
# build/fuzz/TARGET-crash-*; replay it with build/fuzz/TARGET <file>.
set -Eeuo pipefail
source "$(dirname "$0")/common.sh"
trap report_failure ERR

targets=(batch_builder line_splitter log_model)
usage() {
    echo "usage: $0 TARGET SECONDS   (TARGET: ${targets[*]})" >&2
    exit 2
}
[ $# -eq 2 ] || usage
target=$1
seconds=$2
[[ " ${targets[*]} " == *" $target "* ]] || usage
[[ "$seconds" =~ ^[0-9]+$ ]] || usage

# clang-14 and its runtime (libFuzzer and the sanitizers) from Debian 12.
required_packages=(
    "clang-14:clang++-14"
    "libclang-rt-14-dev:libFuzzer and the sanitizer runtimes for clang 14"
)
ensure_packages
command -v clang++-14 >/dev/null 2>&1 \
    || fail "clang++-14 was not found although clang-14 is installed; reinstall it: apt-get install --reinstall clang-14"

cd "$repo_root"
out="$build_root/fuzz"
mkdir -p "$out"
echo "== building $target"
clang++-14 -std=c++20 -g -O1 -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Isrc -Itests/fuzz \
    "tests/fuzz/${target}_fuzz.cpp" \
    src/setup/line_splitter.cpp src/setup/output_batcher.cpp src/setup/utf8_decoder.cpp \
    src/setup/tool_output.cpp src/setup/log_model.cpp \
    -o "$out/$target"

work="$out/corpus-$target"
rm -rf "$work"
mkdir -p "$work"
cp "tests/fuzz/corpus/$target/"* "$work/"

echo "== fuzzing $target for $seconds s (corpus copy: $work)"
"$out/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$out/$target-" -print_final_stats=1 "$work"
