#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the program and the
# tests need and this machine lacks, and the extra packages named as
# arguments (check scripts add theirs). Quick when everything is there already.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
    libgl-dev
    fonts-liberation fonts-dejavu-core
    xvfb xauth
    poppler-utils libjpeg-dev
    libtesseract-dev tesseract-ocr tesseract-ocr-ita tesseract-ocr-lat tesseract-ocr-eng
    libqt6sql6-sqlite
    qt6-translations-l10n qt6-l10n-tools
    desktop-file-utils appstream
    libsane-dev sane-utils
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
