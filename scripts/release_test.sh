#!/usr/bin/env bash
# Checks the release step (scripts/release.sh) on two clean clones of HEAD,
# in folders of different depth, removed at the end:
#   - both clones give the same archives and SHA256SUMS, byte for byte, named
#     after the version of CMakeLists.txt, which the exe's version record and
#     manifest carry too;
#   - each archive holds exactly the file its clone built, mode 0644, and
#     `sha256sum -c SHA256SUMS` passes;
#   - an unsigned release says so, and a tree with changes is refused;
#   - signed with a throw-away self-signed certificate, the exe in the archive
#     verifies against that certificate, names it, and its Authenticode
#     digest is that of the unsigned exe signed here the same way, which is
#     left in the build folder as it was.
# What is not committed is not in the clones: commit before running this.
set -Eeuo pipefail
source "$(dirname "$0")/common.sh"
trap report_failure ERR
cd "$repo_root"
ensure_packages "${release_packages[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clone_a="$work/a"
clone_b="$work/clone-b/second"

if [ -n "$(git -c safe.directory="$repo_root" status --porcelain)" ]; then
    echo "Note: the changes not committed in $repo_root are not part of this test."
fi

# A clone of this repository's HEAD; root may clone a repository another user owns.
clone_head() {
    mkdir -p "$(dirname "$1")"
    git -c safe.directory='*' clone -q "$repo_root" "$1"
}

# Runs the release step of a clone, its output in the log named; shows the
# log and stops when the step fails.
release_in() {
    local clone=$1 log=$2
    shift 2
    if ! (cd "$clone" && env "$@" scripts/release.sh) >"$log" 2>&1; then
        cat "$log" >&2
        fail "the release step failed in $clone (its output is above)."
    fi
}
unsigned=(-u VANTAROO_SIGN_PFX -u VANTAROO_SIGN_PASSWORD -u VANTAROO_SIGN_TIMESTAMP_URL)

version=$(sed -n 's/^project(Vantaroo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no project version found in CMakeLists.txt."
exe_zip="Vantaroo-$version-win64.zip"
debug_zip="Vantaroo-$version-win64-debug.zip"

echo "== release test: $(git -c safe.directory="$repo_root" rev-parse --short HEAD), version $version, two clean clones"
clone_head "$clone_a"
clone_head "$clone_b"
release_in "$clone_a" "$work/a.log" "${unsigned[@]}"
release_in "$clone_b" "$work/b.log" "${unsigned[@]}"

for log in "$work/a.log" "$work/b.log"; do
    grep -q "this release is unsigned" "$log" || fail "an unsigned release did not say it is unsigned:$(echo; cat "$log")"
done

for clone in "$clone_a" "$clone_b"; do
    dist="$clone/build/dist"
    listed=$(cd "$dist" && ls | sort | tr '\n' ' ')
    expected=$(printf '%s\n' "$exe_zip" "$debug_zip" SHA256SUMS | sort | tr '\n' ' ')
    [ "$listed" = "$expected" ] || fail "$dist holds \"$listed\" instead of \"$expected\"."
    (cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS fails in $dist."
    for entry in "$exe_zip:Vantaroo.exe" "$debug_zip:Vantaroo.debug"; do
        zip=$dist/${entry%%:*} file=${entry#*:}
        [ "$(unzip -Z1 "$zip")" = "$file" ] || fail "$zip holds \"$(unzip -Z1 "$zip" | tr '\n' ' ')\" instead of $file alone."
        unzip -Z -s "$zip" "$file" | grep -q '^-rw-r--r-- ' || fail "$file in $zip is not stored with mode 0644."
        unzip -p "$zip" "$file" | cmp -s - "$clone/build/release-build/bin/$file" \
            || fail "$file in $zip is not the $file that $clone built."
    done
done

for file in "$exe_zip" "$debug_zip" SHA256SUMS; do
    cmp "$clone_a/build/dist/$file" "$clone_b/build/dist/$file" \
        || fail "the two clones gave different $file."
done

# The version record and the manifest carry the version of CMakeLists.txt:
# VS_FIXEDFILEINFO's signature and structure version, then the file
# version's two words, and the manifest's assemblyIdentity.
unsigned_exe="$work/unsigned.exe"
unzip -p "$clone_a/build/dist/$exe_zip" Vantaroo.exe >"$unsigned_exe"
IFS=. read -r major minor patch <<<"$version"
le16() { printf '\\x%02x\\x%02x' $(($1 & 0xff)) $(($1 >> 8)); }
fixed_info="\\xbd\\x04\\xef\\xfe\\x00\\x00\\x01\\x00$(le16 "$minor")$(le16 "$major")\\x00\\x00$(le16 "$patch")"
LC_ALL=C grep -qaP "$fixed_info" "$unsigned_exe" \
    || fail "the version record of Vantaroo.exe does not hold the file version $version.0."
grep -qaF "name=\"Vantaroo.Launcher\" version=\"$version.0\"" "$unsigned_exe" \
    || fail "the manifest of Vantaroo.exe does not carry the version $version.0."

echo "== release test: a tree with changes is refused"
touch "$clone_b/not-committed.txt"
if (cd "$clone_b" && env "${unsigned[@]}" scripts/release.sh) >"$work/dirty.log" 2>&1; then
    fail "the release step ran in a tree with an untracked file."
fi
grep -q "not-committed.txt" "$work/dirty.log" || fail "the refusal does not name the change:$(echo; cat "$work/dirty.log")"
rm "$clone_b/not-committed.txt"

echo "== release test: signed with a throw-away certificate"
subject="Vantaroo-Release-Test"
password='a test pass $word'
password_file="$work/password.txt"
printf '%s' "$password" >"$password_file"
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=$subject" \
    -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature \
    -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1 \
    || fail "openssl could not make the test certificate."
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.pfx" \
    -passout file:"$password_file" \
    || fail "openssl could not make the test .pfx file."

# The first clone's build folder is reused: nothing is built again.
release_in "$clone_a" "$work/signed.log" -u VANTAROO_SIGN_TIMESTAMP_URL \
    VANTAROO_SIGN_PFX="$work/cert.pfx" VANTAROO_SIGN_PASSWORD="$password"
if grep -q "this release is unsigned" "$work/signed.log"; then
    fail "a signed release says it is unsigned:$(echo; cat "$work/signed.log")"
fi
cmp -s "$clone_a/build/release-build/bin/Vantaroo.exe" "$unsigned_exe" \
    || fail "signing changed the exe in the build folder: it must stay the unsigned one."
cmp "$clone_a/build/dist/$debug_zip" "$clone_b/build/dist/$debug_zip" \
    || fail "signing changed the symbols archive."
(cd "$clone_a/build/dist" && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS fails after signing."
signed_exe="$work/signed.exe"
unzip -p "$clone_a/build/dist/$exe_zip" Vantaroo.exe >"$signed_exe"

# The digest lines read the same in Debian 12's osslsigncode 2.5 and in later
# versions: "Current message digest    : HEX" (the digest the signature
# holds) and "Calculated message digest : HEX" (the file's own).
digest_line() {
    sed -n "s/^$1 message digest *: *\\([0-9A-Fa-f][0-9A-Fa-f]*\\).*/\\1/p" "$2" | head -n 1
}
verify_signed() {
    local exe=$1 out=$2
    osslsigncode verify -CAfile "$work/cert.pem" -in "$exe" >"$out" 2>&1 \
        || fail "osslsigncode verify rejects $exe:$(echo; cat "$out")"
    local current calculated
    current=$(digest_line Current "$out")
    calculated=$(digest_line Calculated "$out")
    [ -n "$current" ] && [ "$current" = "$calculated" ] \
        || fail "the signature of $exe does not cover the file (digests \"$current\" and \"$calculated\")."
    grep -qF "CN=$subject" "$out" || fail "osslsigncode verify does not name CN=$subject for $exe:$(echo; cat "$out")"
    echo "$current"
}
release_digest=$(verify_signed "$signed_exe" "$work/verify-release.txt")

own_signed="$work/own-signed.exe"
osslsigncode sign -pkcs12 "$work/cert.pfx" -readpass "$password_file" -h sha256 -n Vantaroo \
    -in "$unsigned_exe" -out "$own_signed" >"$work/own-sign.txt" 2>&1 \
    || fail "osslsigncode could not sign the unsigned exe:$(echo; cat "$work/own-sign.txt")"
own_digest=$(verify_signed "$own_signed" "$work/verify-own.txt")
[ "$release_digest" = "$own_digest" ] \
    || fail "the signed release exe covers other bytes than the unsigned one (digest $release_digest, not $own_digest)."

echo "== release test: passed"
