#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root. Quick when all is present.
set -euo pipefail

packages=(
  cmake make g++ googletest python3
  g++-mingw-w64-i686 mingw-w64-tools
  wine wine64 wine32:i386 xvfb xauth
  imagemagick x11-apps lame nsis libtag1-dev clang libclang-rt-14-dev
)
no_recommends=(libwine-dev)

missing=()
for p in "${packages[@]}" "${no_recommends[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q "${packages[@]}"
apt-get install -y -q --no-install-recommends "${no_recommends[@]}"
