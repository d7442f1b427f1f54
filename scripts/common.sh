# Shared by ./run, ./test, bench/ and the release scripts: the Debian
# packages, the tools they bring, the Wine prefix, the virtual display and the
# persistent wineserver.
#
# Sourcing this file only defines constants and functions; nothing here runs
# a program or can fail. A script calls the steps it needs in order:
#   ensure_packages        install what is missing (as root) or say what it is;
#                          entries given ("package:what it brings", such as
#                          release_packages) are wanted too
#   locate_tools           find the Wine loader, wineserver, Xvfb and MinGW-w64
#   start_virtual_display  Xvfb on a display it picks itself
#   prepare_wine_prefix    the private prefix under build/
#   start_wineserver       one persistent server for the whole run
#   use_display_scale DPI  the display scale Wine reports (restarts the server)
# Each step says what is missing and how to get it when it fails. Everything
# started here is recorded by process id and stopped by stop_started_processes.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root="$repo_root/build"

# The Debian 12 packages the scripts need, each with what it brings.
required_packages=(
    "cmake:CMake"
    "ninja-build:Ninja"
    "g++:the host C++ compiler"
    "g++-mingw-w64-x86-64-posix:MinGW-w64 (the Windows cross compiler)"
    "binutils-mingw-w64-x86-64:MinGW-w64 binutils"
    "wine:Wine"
    "wine64:Wine (its 64-bit loader)"
    "xvfb:Xvfb (the virtual display)"
    "x11-utils:X11 utilities"
    "imagemagick:ImageMagick (screenshots)"
    "googletest:GoogleTest sources"
)

# What the release step (scripts/release.sh) and its test need beyond those.
# Only they ask for them: ./run and the tests before them do without.
release_packages=(
    "git:Git (a release is built from a commit)"
    "zip:zip (the release archives)"
    "unzip:unzip (the release test opens the archives)"
    "osslsigncode:osslsigncode (Authenticode signing)"
    "openssl:OpenSSL (the release test's throw-away certificate)"
)

export WINEPREFIX="$build_root/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installs (nothing can be downloaded) and no .desktop files.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The stand-in browser appends each address it is asked to open to this file.
# The tests read it through Wine's Z: drive, which maps the Unix root.
browser_log="$build_root/browser-opened.txt"
VANTAROO_BROWSER_LOG="Z:${browser_log//\//\\}"
export VANTAROO_BROWSER_LOG
# Where the display-scale test saves a picture of each window at each scale.
screenshot_dir="$build_root/screenshots"
VANTAROO_SCREENSHOT_DIR="Z:${screenshot_dir//\//\\}"
export VANTAROO_SCREENSHOT_DIR

started_pids=()

# Says which command stopped the script, so that it never ends silently.
report_failure() {
    local status=$? command=$BASH_COMMAND
    echo "$0: stopped because this failed (status $status): $command" >&2
}

fail() {
    echo "$0: $*" >&2
    exit 1
}

ensure_packages() {
    command -v dpkg-query >/dev/null 2>&1 \
        || fail "this needs Debian 12: dpkg-query, which tells which packages are installed, was not found."
    local entry package missing=() described=()
    for entry in "${required_packages[@]}" "$@"; do
        package=${entry%%:*}
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" && continue
        missing+=("$package")
        described+=("  $package: ${entry#*:}")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        {
            echo "$0: these Debian packages are missing:"
            printf '%s\n' "${described[@]}"
            echo "Install them as root, then run $0 again:"
            echo "  apt-get install ${missing[*]}"
        } >&2
        exit 1
    fi
    echo "Installing ${missing[*]}..."
    apt-get update -qq || fail "apt-get update failed; the packages to install are: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null \
        || fail "apt-get could not install: ${missing[*]}"
}

# The first of the candidates that is an executable file, else the program
# found on PATH under the last name; empty when there is none.
first_program() {
    local candidate
    for candidate in "$@"; do
        case "$candidate" in
        /*) [ -x "$candidate" ] && { echo "$candidate"; return 0; } ;;
        *) command -v "$candidate" && return 0 ;;
        esac
    done
    return 0
}

locate_tools() {
    # Debian's /usr/bin/wine wrapper warns about 32-bit Wine on every call;
    # the 64-bit loader is all we need.
    WINELOADER=$(first_program /usr/lib/wine/wine64 /usr/lib/wine-stable/wine64 wine64)
    WINESERVER=$(first_program /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver wineserver)
    local problems=()
    [ -n "$WINELOADER" ] || problems+=("Wine's 64-bit loader (wine64), from the packages wine and wine64")
    [ -n "$WINESERVER" ] || problems+=("Wine's wineserver, from the package wine")
    command -v Xvfb >/dev/null 2>&1 || problems+=("Xvfb, from the package xvfb")
    command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 \
        || problems+=("the MinGW-w64 compiler x86_64-w64-mingw32-g++-posix, from g++-mingw-w64-x86-64-posix")
    if [ ${#problems[@]} -gt 0 ]; then
        {
            echo "$0: these programs were not found although their packages are installed:"
            printf '  %s\n' "${problems[@]}"
            echo "Reinstall the packages as root: apt-get install --reinstall wine wine64 xvfb g++-mingw-w64-x86-64-posix"
        } >&2
        exit 1
    fi
    export WINELOADER WINESERVER
}

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

# Starts Xvfb on a display of its own choosing (-displayfd: it takes the
# first number no other server holds and writes it to us once it listens),
# and exports DISPLAY. The screen is a 1920 x 1080 panel unless
# VANTAROO_SCREEN_SIZE names another (WIDTHxHEIGHTxDEPTH): at 175 % and 200 %
# the windows must shrink to fit it, which the display-scale test checks.
start_virtual_display() {
    mkdir -p "$build_root"
    local answer
    answer=$(mktemp "$build_root/xvfb-display.XXXXXX")
    Xvfb -displayfd 3 -screen 0 "${VANTAROO_SCREEN_SIZE:-1920x1080x24}" -nolisten tcp 3>"$answer" >/dev/null 2>&1 &
    local xvfb_pid=$!
    started_pids+=("$xvfb_pid")
    local tries=0 number=""
    while :; do
        number=$(tr -dc '0-9' <"$answer")
        [ -n "$number" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || { rm -f "$answer"; fail "Xvfb ended before it opened a display."; }
        tries=$((tries + 1))
        [ $tries -gt 200 ] && { rm -f "$answer"; fail "Xvfb opened no display within 20 s."; }
        sleep 0.1
    done
    rm -f "$answer"
    export DISPLAY=":$number"
}

# The stand-in for the web browser that the prefix names: it records the
# addresses it is asked to open.
write_browser_standin() {
    local browser="$build_root/browser-log.sh"
    cat > "$browser" <<SCRIPT
#!/bin/sh
# Stands in for the web browser: records the addresses it was asked to open.
printf '%s\\n' "\$*" >> "$browser_log"
SCRIPT
    chmod +x "$browser"
}

# A private Wine prefix under build/, made once and reused. With "managed" as
# argument, a window manager places and decorates its windows (a real desktop);
# otherwise windows are unmanaged, as on the bare virtual display of the tests.
prepare_wine_prefix() {
    local managed="N"
    [ "${1:-}" = "managed" ] && managed="Y"
    mkdir -p "$build_root"
    write_browser_standin
    local ready="$WINEPREFIX/.vantaroo-ready"
    [ -e "$ready" ] && return 0
    echo "Creating the Wine prefix $WINEPREFIX..."
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot -i >/dev/null 2>&1 || fail "wineboot could not create the prefix $WINEPREFIX."
    "$WINESERVER" -w
    local reg="$build_root/prefix-settings.reg"
    cat > "$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="$managed"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]
"Browsers"="$build_root/browser-log.sh"
REG
    "$WINELOADER" regedit "$reg" >/dev/null 2>&1 || fail "regedit could not apply $reg."
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
#
# Once the tests are built, a program that holds one hidden window keeps
# Wine's desktop process alive beside the server (tests/e2e/desktop_keeper.cpp):
# otherwise the desktop ends a second after each test's last window, and a
# launcher started while it ends comes up late.
start_wineserver() {
    setsid "$WINESERVER" -f -p </dev/null >/dev/null 2>&1 &
    wineserver_pid=$!
    started_pids+=("$wineserver_pid")
    "$WINELOADER" wineboot </dev/null >/dev/null 2>&1 || true
    local keeper="$build_root/windows/bin/desktop_keeper.exe"
    if [ -f "$keeper" ]; then
        "$WINELOADER" "$keeper" </dev/null >/dev/null 2>&1 &
        started_pids+=("$!")
    fi
}

# The display scale (LogPixels) the running wineserver's prefix holds; 96
# when none is set.
current_display_scale() {
    local value
    value=$("$WINELOADER" reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null \
                | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }') || true
    if [ -n "$value" ]; then
        echo $((value))
    else
        echo 96
    fi
}

# Makes Wine report this display scale to DPI-aware programs: LogPixels for
# the user and the current hardware profile, then a new wineserver, since
# the server reads them when it starts. Does nothing when the scale is
# already set. The prefix keeps the scale, so a run sets 96 again at its end.
use_display_scale() {
    local dpi=$1
    [ "$(current_display_scale)" = "$dpi" ] && return 0
    local reg="$build_root/display-scale.reg"
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n[HKEY_CURRENT_CONFIG\\Software\\Fonts]\n"LogPixels"=dword:%08x\n' \
        "$dpi" "$dpi" >"$reg"
    # Once in a full run regedit failed here and did not again; its words are
    # kept, shown, and it is tried once more, since writing the file is
    # harmless to repeat.
    local said="$build_root/display-scale-regedit.log"
    if ! "$WINELOADER" regedit "$reg" >"$said" 2>&1; then
        echo "regedit failed to set the display scale to $dpi DPI; it said:" >&2
        cat "$said" >&2
        sleep 2
        "$WINELOADER" regedit "$reg" >"$said" 2>&1 \
            || fail "regedit could not set the display scale to $dpi DPI: $(cat "$said")"
    fi
    "$WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "${wineserver_pid:-}" ]; then
        wait "$wineserver_pid" 2>/dev/null || true
    fi
    "$WINESERVER" -w
    start_wineserver
    [ "$(current_display_scale)" = "$dpi" ] || fail "Wine did not take the display scale of $dpi DPI."
}
