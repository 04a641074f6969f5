#!/usr/bin/env python3
"""Checks the manifests write_manifests.py wrote against the published schemas
(copies in packaging/schemas/) and against the downloads they describe.

    check_manifests.py OUT_DIR VERSION SETUP_EXE ZIP

Prints each problem and exits 1 when there is one.
"""

import hashlib
import json
import pathlib
import sys

import jsonschema
import yaml

SCHEMAS = pathlib.Path(__file__).resolve().parent / "schemas"
WINGET_SCHEMA_VERSION = "1.10.0"


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def schema_problems(document, schema_file, label):
    schema = json.loads((SCHEMAS / schema_file).read_text(encoding="utf-8"))
    validator = jsonschema.Draft7Validator(schema)
    return [f"{label}: {'/'.join(map(str, error.absolute_path)) or '(top)'}: {error.message}"
            for error in validator.iter_errors(document)]


def check(out, version, setup, archive):
    problems = []
    winget = out / "winget" / version
    installer = None
    types = []
    for path in sorted(winget.glob("*.yaml")):
        document = yaml.safe_load(path.read_text(encoding="utf-8"))
        kind = document.get("ManifestType", "") if isinstance(document, dict) else ""
        types.append(kind)
        problems += schema_problems(document, f"manifest.{kind}.{WINGET_SCHEMA_VERSION}.json",
                                    path.name) if kind else [f"{path.name}: no ManifestType"]
        if kind == "installer":
            installer = document
        if isinstance(document, dict) and document.get("PackageVersion") != version:
            problems.append(f"{path.name}: PackageVersion is not {version}")
    if sorted(types) != ["defaultLocale", "installer", "version"]:
        problems.append(f"{winget}: manifests {sorted(types)}, not a version, an installer and a default locale")
    if installer:
        if installer.get("Installers", [{}])[0].get("InstallerSha256", "").lower() != sha256(setup):
            problems.append(f"installer manifest: InstallerSha256 is not the SHA-256 of {setup.name}")
        shown = [entry.get("DisplayVersion") for entry in installer.get("AppsAndFeaturesEntries", [])]
        if shown != [version]:
            problems.append(f"installer manifest: DisplayVersion {shown}, not {version}")

    scoop_path = out / "scoop" / "quorvel.json"
    scoop = json.loads(scoop_path.read_text(encoding="utf-8"))
    problems += schema_problems(scoop, "scoop.schema.json", scoop_path.name)
    if scoop.get("version") != version:
        problems.append(f"{scoop_path.name}: version is not {version}")
    if scoop.get("architecture", {}).get("64bit", {}).get("hash") != sha256(archive):
        problems.append(f"{scoop_path.name}: hash is not the SHA-256 of {archive.name}")
    return problems


def main(argv):
    if len(argv) != 5:
        sys.exit(__doc__)
    problems = check(pathlib.Path(argv[1]), argv[2], pathlib.Path(argv[3]), pathlib.Path(argv[4]))
    for problem in problems:
        print(problem, file=sys.stderr)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main(sys.argv)
