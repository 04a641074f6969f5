#!/usr/bin/env bash
# The manifests for stand-in downloads pass the published schemas and match the
# files; a checker that cannot fail proves nothing, so each fault below must fail it.
set -uo pipefail
packaging="$(cd "$(dirname "$0")/../packaging" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0

fresh() {
    rm -rf out && printf 'setup bytes' >setup.exe && printf 'zip bytes' >win64.zip
    python3 "$packaging/write_manifests.py" 2.1.0 setup.exe win64.zip out
}
check() { python3 "$packaging/check_manifests.py" out 2.1.0 setup.exe win64.zip 2>"$work/problems"; }

fresh && check || { echo "FAIL: fresh manifests: $(cat "$work/problems")"; failed=1; }

installer=out/winget/2.1.0/Quorvel.Quorvel.installer.yaml
while IFS='|' read -r fault edit; do
    fresh && eval "$edit"
    if check; then
        echo "FAIL: passed with $fault"
        failed=1
    fi
done <<'FAULTS'
a setup changed after writing|printf 'other bytes' >setup.exe
a zip changed after writing|printf 'other bytes' >win64.zip
an installer type winget does not know|sed -i 's/^InstallerType: nullsoft/InstallerType: nsis/' "$installer"
a machine-wide scope misspelt|sed -i 's/^Scope: user/Scope: everyone/' "$installer"
a shown version other than the package's|sed -i 's/  DisplayVersion: 2.1.0/  DisplayVersion: 2.1/' "$installer"
a default-locale file missing|rm out/winget/2.1.0/Quorvel.Quorvel.locale.en-US.yaml
a Scoop manifest without its licence|sed -i '/"license"/d' out/scoop/quorvel.json
FAULTS
exit "$failed"
