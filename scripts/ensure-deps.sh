#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only when missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config ccache
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libcurl4-openssl-dev libssl-dev openssl libpugixml-dev libzip-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libsmbclient-dev samba smbclient xdg-utils
    libxml2-utils mktorrent xvfb xauth iproute2
    fonts-dejavu-core
    # Scripts of the language file beyond DejaVu: Chinese and Korean, Japanese, Thai.
    fonts-wqy-microhei fonts-ipafont-gothic fonts-tlwg-loma-otf
    # The package: its icons drawn from the SVG, CPack's dependency scan and the checks.
    librsvg2-bin dpkg-dev fakeroot lintian desktop-file-utils appstream shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root or install sudo." >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
