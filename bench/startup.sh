#!/usr/bin/env bash
# Measures the direct start: Vantaroo.exe with the skip marker against a
# minimal launcher doing only the unavoidable work, alternating, under Wine on
# a virtual display. Usage: bench/startup.sh [runs of each, at least 31]
set -Eeuo pipefail
source "$(dirname "$0")/../scripts/common.sh"
trap report_failure ERR
trap stop_started_processes EXIT
cd "$repo_root"
ensure_packages
locate_tools

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" \
    --target Vantaroo game_standin minimal_launcher startup_bench >/dev/null

bin="$build_root/windows/bin"
folder="$build_root/bench-startup"
rm -rf "$folder"
mkdir -p "$folder/setup" "$folder/game/data"
cp "$bin/Vantaroo.exe" "$bin/minimal_launcher.exe" "$folder/"
cp "$bin/game_standin.exe" "$folder/game/qarn.exe"
printf '1.0.0\n' > "$folder/setup/version.txt"
printf '1.0.0\n' > "$folder/game/kit_version.txt"
: > "$folder/game/data/default.xbe"
: > "$folder/skip_launcher.txt"

start_virtual_display
prepare_wine_prefix
start_wineserver
"$WINELOADER" "$bin/startup_bench.exe" "$("$WINELOADER" winepath -w "$folder" 2>/dev/null)" "${1:-31}"
