# Shared by ./run, ./test and bench/: packages, the Wine prefix, the virtual
# display and the persistent wineserver. Everything started here is recorded
# by process id and stopped by stop_started_processes.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root="$repo_root/build"

required_packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                   wine wine64 xvfb x11-utils imagemagick googletest)

ensure_packages() {
    local missing=() package
    for package in "${required_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Install them as root: apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}..."
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Debian's /usr/bin/wine wrapper warns about 32-bit Wine on every call; the
# 64-bit loader is all we need.
wine_loader() {
    local candidate
    for candidate in /usr/lib/wine/wine64 /usr/lib/wine-stable/wine64; do
        [ -x "$candidate" ] && { echo "$candidate"; return; }
    done
    command -v wine64 || command -v wine
}
wineserver_program() {
    local candidate
    for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
        [ -x "$candidate" ] && { echo "$candidate"; return; }
    done
    command -v wineserver
}

export WINEPREFIX="$build_root/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installs (nothing can be downloaded) and no .desktop files.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINELOADER
WINELOADER=$(wine_loader)
WINESERVER=$(wineserver_program)
export WINESERVER

started_pids=()

stop_started_processes() {
    if [ -n "${wineserver_pid:-}" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    local pid
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${started_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    started_pids=()
}

# Starts Xvfb on the first free display number and exports DISPLAY.
start_virtual_display() {
    local number=91
    while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    started_pids+=($!)
    local tries=0
    while [ ! -e "/tmp/.X11-unix/X${number}" ]; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && { echo "Xvfb did not start" >&2; return 1; }
        sleep 0.1
    done
    export DISPLAY=":$number"
}

# A private Wine prefix under build/, made once and reused. With "managed" as
# argument, a window manager places and decorates its windows (a real desktop);
# otherwise windows are unmanaged, as on the bare virtual display of the tests.
prepare_wine_prefix() {
    local managed="N"
    [ "${1:-}" = "managed" ] && managed="Y"
    local browser="$build_root/browser-log.sh"
    cat > "$browser" <<SCRIPT
#!/bin/sh
# Stands in for the web browser: records the addresses it was asked to open.
printf '%s\\n' "\$*" >> "$build_root/browser-opened.txt"
SCRIPT
    chmod +x "$browser"
    local ready="$WINEPREFIX/.vantaroo-ready"
    [ -e "$ready" ] && return 0
    echo "Creating the Wine prefix $WINEPREFIX..."
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
    local reg="$build_root/prefix-settings.reg"
    cat > "$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="$managed"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]
"Browsers"="$browser"
REG
    "$WINELOADER" regedit "$reg" >/dev/null 2>&1
    "$WINESERVER" -w
    # The desktop folder is a link to \$HOME in a new prefix: make it a real
    # folder so shortcuts land inside the prefix.
    local desktop
    for desktop in "$WINEPREFIX"/drive_c/users/*/Desktop; do
        if [ -L "$desktop" ]; then
            rm -f "$desktop"
            mkdir -p "$desktop"
        fi
    done
    touch "$ready"
}

# Keeps one wineserver alive for the whole run: warm starts are much faster.
# Wine's own service processes are started here too, with no pipe of ours:
# started by the first test instead, they would inherit ctest's output pipe
# and, kept alive by the persistent server, hold it open for ever.
start_wineserver() {
    setsid "$WINESERVER" -f -p </dev/null >/dev/null 2>&1 &
    wineserver_pid=$!
    started_pids+=($wineserver_pid)
    "$WINELOADER" wineboot </dev/null >/dev/null 2>&1 || true
}
