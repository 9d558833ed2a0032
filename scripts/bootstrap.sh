#!/usr/bin/env bash
# Installs the Debian packages VlText needs. Idempotent: packages already present are left alone,
# so running it twice is harmless.
#   scripts/bootstrap.sh          what building and running need (the library, vltext, the desktop window)
#   scripts/bootstrap.sh --test   and what testing adds: the unit tests, the benchmarks, the fuzz
#                                 targets and the end-to-end test on a virtual X server
set -euo pipefail

run_packages=(
  cmake g++ make pkg-config
  liblua5.4-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic libpng-dev zlib1g-dev
  libsqlite3-dev nlohmann-json3-dev
  libsdl2-dev
)
test_packages=(
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev libicu-dev
  clang libclang-rt-dev
  clang-format-14
  xvfb xdotool xclip
)

packages=("${run_packages[@]}")
case "${1:-}" in
  --test) packages+=("${test_packages[@]}") ;;
  "") ;;
  *) echo "usage: scripts/bootstrap.sh [--test]" >&2; exit 2 ;;
esac

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
