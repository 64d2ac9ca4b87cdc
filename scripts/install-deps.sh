#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# As root it runs apt-get itself; otherwise it names exactly what to install.
set -euo pipefail

build_pkgs="build-essential cmake ninja-build qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins fonts-liberation fonts-dejavu-extra libboost-math-dev libssl3"
test_pkgs="xvfb xauth poppler-utils pulseaudio"
want="$build_pkgs"
[ "${1:-}" = "--test" ] && want="$want $test_pkgs"

missing=""
for p in $want; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
else
  echo "These Debian packages are missing:$missing"
  echo "Install them with:  sudo apt-get install$missing"
  exit 1
fi
