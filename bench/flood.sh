#!/usr/bin/env bash
# Flood benchmark of the setup window under Wine: builds what it needs, then
# runs bench/flood_bench.cpp on a virtual display with the project's Wine
# prefix and prints the figures.
set -Eeuo pipefail
source "$(dirname "$0")/../scripts/common.sh"
trap report_failure ERR
trap stop_started_processes EXIT
cd "$repo_root"
ensure_packages
locate_tools

cmake --preset windows >/dev/null
cmake --build --preset windows --target flood_bench -j 2
start_virtual_display
prepare_wine_prefix
start_wineserver
"$WINELOADER" build/windows/bin/flood_bench.exe
