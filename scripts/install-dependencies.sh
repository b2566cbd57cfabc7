#!/usr/bin/env bash
# Installs what Tillano needs to build, test and run on Debian 12, when missing,
# and the further packages named as arguments (the package steps' tools).
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  libsqlite3-dev libbenchmark-dev
  poppler-utils fonts-dejavu-core
  libpq-dev libqt6sql6-psql postgresql postgresql-common
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Tillano needs these packages, which are not installed: ${missing[*]}" >&2
      echo "Install them as root, then run this again:" >&2
      echo "    apt-get install --no-install-recommends ${missing[*]}" >&2
      exit 1
    fi
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq || true
  if ! "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
    echo "Could not install: ${missing[*]}. Install them as root, then run this again." >&2
    exit 1
  fi
fi
