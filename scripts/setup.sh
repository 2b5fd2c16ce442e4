#!/usr/bin/env bash
# Shared set-up of ./scripts/run and ./scripts/test: installs the Debian packages the project
# needs (only those dpkg-query reports missing) and builds into the given folder.
set -euo pipefail

KW_PACKAGES=(build-essential cmake pkg-config python3
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev libcairo2-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev fonts-liberation2 fonts-comic-neue
  libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick
  desktop-file-utils appstream librsvg2-bin man-db lintian pulseaudio pulseaudio-utils ccache)

kw_install_packages() {
  local missing=()
  for p in "${KW_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
  fi
}

# kw_build DIR [cmake options...]
kw_build() {
  local dir="$1"; shift
  local launcher=()
  # A compiler cache, when the machine has one, makes rebuilds of unchanged files free.
  if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B "$dir" "${launcher[@]}" "$@"
  cmake --build "$dir" -j "$(nproc)"
}
