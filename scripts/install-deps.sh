#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Quiet and quick when all are present.
set -euo pipefail
packages=(
  g++ cmake ninja-build ccache pkg-config make
  qt6-base-dev qt6-base-dev-tools libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  poppler-utils fonts-dejavu-core
  # The cross compilers that the GNU build tests (and the demo's ColdFire project) run.
  gcc-m68k-linux-gnu gcc-powerpc-linux-gnu
)
if [ "${1:-}" = "--bench" ]; then
  # Reference programs the benchmarks compare against.
  packages+=(vim highlight libkf5syntaxhighlighting-tools pcre2-utils gzip lz4 hyperfine valgrind)
fi
if [ "${1:-}" = "--run" ]; then
  packages+=(fonts-dejavu-core)
fi
if [ "${1:-}" = "--xvfb" ]; then
  # The run of the real program on a virtual screen (scripts/run-demo-under-xvfb.sh).
  packages+=(fonts-dejavu-core xvfb xauth xdotool x11-apps imagemagick)
  # Chinese and emoji for the UTF-8 screenshot (scripts/run-utf8-under-xvfb.sh).
  packages+=(fonts-wqy-microhei fonts-noto-color-emoji)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
