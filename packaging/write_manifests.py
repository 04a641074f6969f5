#!/usr/bin/env python3
"""Writes the package manager manifests for one built version of Quorvel.

    write_manifests.py VERSION SETUP_EXE ZIP OUT_DIR

OUT_DIR/winget/VERSION/ gets the winget manifest set (version, installer and
default-locale files) for the setup program, and OUT_DIR/scoop/quorvel.json the
Scoop manifest for the zip. Both name the downloads under DOWNLOAD_URL (from
the environment, QUORVEL_DOWNLOAD_URL), where a release publishes them.
"""

import hashlib
import json
import os
import pathlib
import sys

import yaml

IDENTIFIER = "Quorvel.Quorvel"
PUBLISHER = "The Quorvel developers"
HOMEPAGE = "https://www.quorvel.example/"
DOWNLOAD_URL = os.environ.get("QUORVEL_DOWNLOAD_URL", HOMEPAGE + "download/")
LICENSE = "MIT"
DESCRIPTION = ("A keyboard shortcut tool for the Windows desktop: type a trigger "
               "and Quorvel types its text.")
WINGET_SCHEMA_VERSION = "1.10.0"
# The key setup writes under Uninstall, which Windows' list of programs shows.
UNINSTALL_KEY_NAME = "Quorvel"
# Setup gives up with this code when the user's running Quorvel does not close.
SETUP_IN_USE_CODE = 2
# The working file, beside quorvel.exe.
WORKING_FILE = "defaultkeys.qvb"


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as file:
        for block in iter(lambda: file.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def write_yaml(path, manifest_type, document):
    schema = f"https://aka.ms/winget-manifest.{manifest_type.lower()}.{WINGET_SCHEMA_VERSION}.schema.json"
    document = {**document, "ManifestType": manifest_type, "ManifestVersion": WINGET_SCHEMA_VERSION}
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        file.write(f"# yaml-language-server: $schema={schema}\n\n")
        yaml.safe_dump(document, file, sort_keys=False, allow_unicode=True)


def write_winget(version, setup, folder):
    folder.mkdir(parents=True, exist_ok=True)
    package = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    write_yaml(folder / f"{IDENTIFIER}.yaml", "version",
               {**package, "DefaultLocale": "en-US"})
    write_yaml(folder / f"{IDENTIFIER}.installer.yaml", "installer", {
        **package,
        "MinimumOSVersion": "10.0.0.0",
        "InstallerType": "nullsoft",
        "Scope": "user",
        "InstallModes": ["interactive", "silent", "silentWithProgress"],
        # Setup over an installed (even a running) copy upgrades it in place.
        "UpgradeBehavior": "install",
        "ExpectedReturnCodes": [
            {"InstallerReturnCode": SETUP_IN_USE_CODE, "ReturnResponse": "packageInUse"}],
        "ProductCode": UNINSTALL_KEY_NAME,
        "AppsAndFeaturesEntries": [{
            "DisplayName": "Quorvel",
            "Publisher": PUBLISHER,
            "DisplayVersion": version,
            "ProductCode": UNINSTALL_KEY_NAME,
        }],
        "Installers": [{
            "Architecture": "x64",
            "InstallerUrl": DOWNLOAD_URL + setup.name,
            "InstallerSha256": sha256(setup).upper(),
        }],
    })
    write_yaml(folder / f"{IDENTIFIER}.locale.en-US.yaml", "defaultLocale", {
        **package,
        "PackageLocale": "en-US",
        "Publisher": PUBLISHER,
        "PublisherUrl": HOMEPAGE,
        "PackageName": "Quorvel",
        "PackageUrl": HOMEPAGE,
        "License": LICENSE,
        "ShortDescription": DESCRIPTION,
        "Tags": ["text-expander", "keyboard", "shortcuts", "snippets"],
    })


def write_scoop(version, archive, path):
    path.parent.mkdir(parents=True, exist_ok=True)
    # A persisted name that is nowhere yet becomes a folder: the working file is
    # made first, empty, which Quorvel reads as an empty list.
    make_working_file = (f'if (!(Test-Path "$persist_dir\\{WORKING_FILE}")) '
                         f'{{ New-Item "$dir\\{WORKING_FILE}" -ItemType File | Out-Null }}')
    manifest = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": HOMEPAGE,
        "license": LICENSE,
        "architecture": {"64bit": {"url": DOWNLOAD_URL + archive.name, "hash": sha256(archive)}},
        "extract_dir": "Quorvel",
        "pre_install": make_working_file,
        # A link in the app's folder; Quorvel saves through it in place.
        "persist": WORKING_FILE,
        "shortcuts": [["quorvel.exe", "Quorvel"]],
    }
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        json.dump(manifest, file, indent=4)
        file.write("\n")


def main(argv):
    if len(argv) != 5:
        sys.exit(__doc__)
    version, setup, archive, out = argv[1], pathlib.Path(argv[2]), pathlib.Path(argv[3]), pathlib.Path(argv[4])
    write_winget(version, setup, out / "winget" / version)
    write_scoop(version, archive, out / "scoop" / "quorvel.json")


if __name__ == "__main__":
    main(sys.argv)
