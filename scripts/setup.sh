#!/usr/bin/env bash
# Installs the Debian packages Kombinator needs to build, test and run; quiet when all are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n libgl-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth poppler-utils
  desktop-file-utils appstream lintian dpkg-dev librsvg2-bin xdg-user-dirs
  libcups2-dev cups printer-driver-cups-pdf ghostscript
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
