#!/usr/bin/env bash
# Installs what the build and the tests need, with apt-get, and only what is missing:
# rsvg-convert (librsvg2-bin) draws the icons, desktop-file-validate and appstreamcli
# check the installed tree; locales gives the German locale (comma as the decimal point) that
# the tests read numbers under; qt6-webengine-dev is the tag list's view.
# Running it again when everything is there does nothing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6opengl6-dev qt6-webengine-dev
  qt6-tools-dev qt6-l10n-tools
  gstreamer1.0-plugins-good
  libgtest-dev libgmock-dev
  zlib1g-dev
  python3 python3-mutagen ffmpeg lame id3v2 libtag1-dev
  librsvg2-bin desktop-file-utils appstream locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
