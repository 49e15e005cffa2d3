#!/bin/sh
# Installs the Debian 12 packages Lodex needs to build, test and run.
# As root it installs what is missing with apt-get; otherwise it lists
# what to install by hand and fails only if something required is absent.
set -eu

PACKAGES="
cmake
ninja-build
g++
clang
libclang-rt-14-dev
make
qt6-base-dev
qt6-base-dev-tools
qt6-l10n-tools
qt6-translations-l10n
qt6-qpa-plugins
libqt6svg6
libgl-dev
libbenchmark-dev
xvfb
xauth
xclip
x11-utils
imagemagick
poppler-utils
fonts-liberation2
xdg-utils
shared-mime-info
desktop-file-utils
appstream
lintian
bash-completion
dpkg-dev
file
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing
else
    echo "These Debian packages are missing:$missing" >&2
    echo "Install them as root with:" >&2
    echo "    sudo apt-get install$missing" >&2
    exit 1
fi
