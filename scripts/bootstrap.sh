#!/usr/bin/env bash
# Installs the Debian packages VlText builds, tests, benchmarks and fuzzes with.
# Idempotent: packages already present are left alone, so running it twice is harmless.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev libicu-dev
  liblua5.4-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic libpng-dev
  libsqlite3-dev nlohmann-json3-dev
  clang libclang-rt-dev
  clang-format-14
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "bootstrap: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "bootstrap: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
