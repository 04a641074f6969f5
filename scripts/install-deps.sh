#!/usr/bin/env bash
# Installs what building and testing Quorvel needs on Debian, once.
set -euo pipefail

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(cmake ninja-build g++ clang-format libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-x86-64 wine wine64 xvfb xdotool x11-utils x11-xkb-utils imagemagick
          locales nsis librsvg2-bin icoutils zip unzip
          # Unicode's case folding table, made into C++ at build time.
          unicode-data
          # The header-only JSON library that reads other programs' exports.
          nlohmann-json3-dev
          # Glyphs for the windows' text in every script under Wine: DejaVu
          # Sans (Latin, Greek, symbols, emoji) and IPAGothic (Japanese).
          fonts-dejavu-core fonts-ipafont-gothic
          # The winget and Scoop manifests checked against their schemas.
          python3-jsonschema python3-yaml "$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes its code page and user locale from the Unix locale: en_US.UTF-8
# gives Windows-1252 and English (United States), as a Western Windows has. A
# fresh machine has only C.UTF-8.
if ! locale -a 2>/dev/null | grep -qxiE 'en_US\.utf-?8'; then
    $sudo sed -i -E 's/^#[[:space:]]*(en_US\.UTF-8[[:space:]]+UTF-8)/\1/' /etc/locale.gen
    grep -qxE 'en_US\.UTF-8[[:space:]]+UTF-8' /etc/locale.gen ||
        echo 'en_US.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen
fi
