#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build Lumivane, then
# configures and builds it in build/. Safe to run again: it only installs
# missing packages and rebuilds what changed.
#   scripts/setup.sh [--packages-only]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake ninja-build pkg-config mold
  libwxgtk3.2-dev libgtk-3-dev libftdi1-dev libcurl4-openssl-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth curl
  weasyprint fonts-dejavu-core desktop-file-utils poppler-utils shared-mime-info file
  lintian appstream man-db
  clang libclang-rt-14-dev
  liblo-dev libmicrohttpd-dev nlohmann-json3-dev libqrencode-dev libgif-dev
  gettext locales chromium wx3.2-i18n
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
  elif command -v sudo >/dev/null; then
    SUDO=(sudo)
  else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
  fi
  "${SUDO[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "${1:-}" = --packages-only ]; then
  exit 0
fi

BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD_DIR" -- -j"$(nproc)"
