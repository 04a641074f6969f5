#!/usr/bin/env bash
# Builds the Windows edition and makes what a Windows user downloads, in dist/:
#   quorvel-<version>-win64.zip      quorvel.exe, README.txt and LICENSE.txt in
#                                    a folder Quorvel; runs from wherever it is
#                                    unpacked
#   quorvel-<version>-setup.exe      installs it for the current user (NSIS)
#   winget/<version>/*.yaml          the winget manifest set for the setup
#   scoop/quorvel.json               the Scoop manifest for the zip
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset windows >/dev/null
nice -n 10 cmake --build --preset windows --target quorvel

build=build/windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt" >&2; exit 1; }

# The zip has nothing but the program: a runtime DLL it needed would be missing.
runtime_dlls=$(x86_64-w64-mingw32-objdump -p "$build/quorvel.exe" |
    sed -n 's/^[[:space:]]*DLL Name: //p' | grep -i '^lib' || true)
if [ -n "$runtime_dlls" ]; then
    echo "quorvel.exe needs DLLs that Windows does not have: $runtime_dlls" >&2
    exit 1
fi

stage=build/package/Quorvel
rm -rf build/package
mkdir -p "$stage" dist
cp "$build/quorvel.exe" "$stage/"
# Windows users get the README's part written for them, with Windows line ends.
awk '/^## For Windows users/ { on = 1; print "Quorvel '"$version"'"; next }
     on && /^## / { exit }
     on' README.md | sed 's/$/\r/' >"$stage/README.txt"
grep -q . "$stage/README.txt" || { echo "README.md has no part For Windows users" >&2; exit 1; }
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

zip_file="dist/quorvel-$version-win64.zip"
setup_file="dist/quorvel-$version-setup.exe"
rm -f "$zip_file" "$setup_file"
(cd build/package && zip -q -X -r "../../$zip_file" Quorvel)

makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DICON="$PWD/$build/resources/quorvel.ico" \
    -DOUTFILE="$PWD/$setup_file" packaging/quorvel.nsi

rm -rf dist/winget dist/scoop
python3 packaging/write_manifests.py "$version" "$setup_file" "$zip_file" dist
python3 packaging/check_manifests.py dist "$version" "$setup_file" "$zip_file"

ls -l "$zip_file" "$setup_file" dist/winget/"$version"/* dist/scoop/quorvel.json
