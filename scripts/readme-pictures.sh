#!/usr/bin/env bash
# Makes the README's pictures of the three windows at 100 % and 200 % display
# scale: runs the display-scale test at 96 and 192 DPI, which saves each
# window as it shows on the screen, and turns those pictures into the PNG
# files in docs/.
set -Eeuo pipefail
source "$(dirname "$0")/common.sh"
trap report_failure ERR
trap stop_started_processes EXIT
cd "$repo_root"
ensure_packages
locate_tools

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
start_virtual_display
prepare_wine_prefix
start_wineserver
mkdir -p docs
for dpi in 96 192; do
    use_display_scale "$dpi"
    VANTAROO_DISPLAY_DPI=$dpi ctest --preset windows -R '^e2e\.DisplayScale\.' >/dev/null
    for window in home settings setup; do
        convert "$screenshot_dir/$window-$dpi.bmp" "docs/$window-$((dpi * 100 / 96)).png"
    done
done
use_display_scale 96
echo "Pictures written to docs/: home, settings and setup at 100 and 200 %."
