#!/usr/bin/env bash
# Builds a release of the launcher from this clone's HEAD and writes it to
# build/dist/:
#   Vantaroo-<version>-win64.zip        Vantaroo.exe
#   Vantaroo-<version>-win64-debug.zip  Vantaroo.debug, its symbols
#   SHA256SUMS                          both archives (sha256sum -c SHA256SUMS)
# <version> is the project version of CMakeLists.txt.
#
# A release is what a commit holds: the script refuses to run while
# `git status --porcelain` shows any change (untracked files included), and
# then builds in place. The Release configuration is built with the MinGW-w64
# toolchain into build/release-build/ (only the Vantaroo target); a folder
# left by an earlier release is reused, which gives the same bytes since the
# Release build is reproducible. So are the archives: one entry each, mode
# 0644, dated with the time of the last commit, no extra fields. Two clean
# clones of one commit give byte-identical archives.
#
# Signing: with VANTAROO_SIGN_PFX (a PKCS#12 file holding the code-signing
# certificate and key) and VANTAROO_SIGN_PASSWORD (its password) set, the
# exe in the archive carries an Authenticode signature (SHA-256), made by
# osslsigncode; VANTAROO_SIGN_TIMESTAMP_URL, when set, names an RFC 3161
# time-stamp server. The password reaches osslsigncode through a file only
# this user can read, never on a command line. A copy of the exe is signed:
# build/release-build/bin/Vantaroo.exe stays the reproducible, unsigned one.
# Without a certificate the release is unsigned, and the script says so.
#
# Run as root it installs the Debian packages it lacks; otherwise it names them.
set -Eeuo pipefail
source "$(dirname "$0")/common.sh"
trap report_failure ERR
cd "$repo_root"
ensure_packages "${release_packages[@]}"

# The check of the working tree must also work where root runs in a clone
# another user owns (CI).
git_here() {
    git -c safe.directory="$repo_root" -C "$repo_root" "$@"
}

changes=$(git_here status --porcelain)
if [ -n "$changes" ]; then
    {
        echo "$0: the working tree differs from HEAD, and a release is built only from a commit."
        echo "Commit or stash these changes first:"
        printf '%s\n' "$changes" | head -n 20
    } >&2
    exit 1
fi

signing=no
if [ -n "${VANTAROO_SIGN_PFX:-}" ] || [ -n "${VANTAROO_SIGN_PASSWORD:-}" ]; then
    [ -n "${VANTAROO_SIGN_PFX:-}" ] \
        || fail "VANTAROO_SIGN_PASSWORD is set but VANTAROO_SIGN_PFX is not: name the .pfx file to sign with."
    [ -n "${VANTAROO_SIGN_PASSWORD+set}" ] \
        || fail "VANTAROO_SIGN_PFX is set but VANTAROO_SIGN_PASSWORD is not: give the password of $VANTAROO_SIGN_PFX."
    [ -f "$VANTAROO_SIGN_PFX" ] && [ -r "$VANTAROO_SIGN_PFX" ] \
        || fail "VANTAROO_SIGN_PFX names $VANTAROO_SIGN_PFX, which is no readable file."
    signing=yes
fi

build_dir="$build_root/release-build"
dist_dir="$build_root/dist"
bin="$build_dir/bin"

echo "== release: configure and build Vantaroo (Release) in $build_dir"
cmake -S "$repo_root" -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j "${VANTAROO_JOBS:-$(nproc)}" --target Vantaroo

# The version CMake wrote into the header the exe was built with.
version_header="$build_dir/generated/base/version.h"
version_part() {
    sed -n "s/^#define VANTAROO_VERSION_$1 \\([0-9][0-9]*\\)\$/\\1/p" "$version_header"
}
version="$(version_part MAJOR).$(version_part MINOR).$(version_part PATCH)"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "no version could be read from $version_header (got \"$version\")."

commit_time=$(git_here log -1 --format=%ct)
exe_zip="Vantaroo-$version-win64.zip"
debug_zip="Vantaroo-$version-win64-debug.zip"

stage=$(mktemp -d "$build_root/release-stage.XXXXXX")
password_file=""
cleanup() {
    if [ -n "$password_file" ]; then
        rm -f "$password_file"
    fi
    rm -rf "$stage"
}
trap cleanup EXIT
mkdir "$stage/exe" "$stage/debug"

if [ "$signing" = yes ]; then
    echo "== release: signing Vantaroo.exe with $VANTAROO_SIGN_PFX"
    timestamp=()
    if [ -n "${VANTAROO_SIGN_TIMESTAMP_URL:-}" ]; then
        timestamp=(-ts "$VANTAROO_SIGN_TIMESTAMP_URL")
    else
        echo "No VANTAROO_SIGN_TIMESTAMP_URL: the signature carries no time stamp."
    fi
    password_file=$(mktemp)
    chmod 0600 "$password_file"
    # printf is a shell builtin: the password shows in no process list.
    printf '%s' "$VANTAROO_SIGN_PASSWORD" >"$password_file"
    osslsigncode sign -pkcs12 "$VANTAROO_SIGN_PFX" -readpass "$password_file" \
        -h sha256 -n Vantaroo "${timestamp[@]}" \
        -in "$bin/Vantaroo.exe" -out "$stage/exe/Vantaroo.exe" >/dev/null \
        || fail "osslsigncode could not sign Vantaroo.exe with $VANTAROO_SIGN_PFX."
    rm -f "$password_file"
    password_file=""
else
    echo "== release: no VANTAROO_SIGN_PFX and VANTAROO_SIGN_PASSWORD: this release is unsigned."
    cp "$bin/Vantaroo.exe" "$stage/exe/Vantaroo.exe"
fi
cp "$bin/Vantaroo.debug" "$stage/debug/Vantaroo.debug"

# Same archive bytes from every clone: the entry's mode and date are set
# here (the date as UTC, which zip stores as local time), and -X leaves out
# the extra fields that would hold owner ids and access times.
chmod 0644 "$stage/exe/Vantaroo.exe" "$stage/debug/Vantaroo.debug"
TZ=UTC touch -d "@$commit_time" "$stage/exe/Vantaroo.exe" "$stage/debug/Vantaroo.debug"
rm -rf "$dist_dir"
mkdir -p "$dist_dir"
(cd "$stage/exe" && TZ=UTC zip -X -D -q "$dist_dir/$exe_zip" Vantaroo.exe)
(cd "$stage/debug" && TZ=UTC zip -X -D -q "$dist_dir/$debug_zip" Vantaroo.debug)
(cd "$dist_dir" && sha256sum "$exe_zip" "$debug_zip" >SHA256SUMS)

echo "== release $version ($(git_here rev-parse --short HEAD)) in $dist_dir:"
sed 's/^/  /' "$dist_dir/SHA256SUMS"
