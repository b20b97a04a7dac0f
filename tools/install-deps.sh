#!/usr/bin/env bash
# Installs the Debian packages that are missing for building and running
# (argument "run") or also for the tests (argument "test"). Idempotent and
# non-interactive; uses sudo when not root.
set -euo pipefail

build_pkgs=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libsdl2-dev
            libjpeg62-turbo-dev fonts-noto-cjk)
run_pkgs=(qt6-wayland)
test_pkgs=(libgtest-dev xvfb xauth xdotool openbox wmctrl trayer faketime imagemagick x11-utils
           clang libclang-rt-14-dev dpkg-dev)

want=("${build_pkgs[@]}" "${run_pkgs[@]}")
[ "${1:-run}" = test ] && want+=("${test_pkgs[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
