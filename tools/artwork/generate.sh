#!/bin/sh
# Rebuilds the editor's PNG images into resources/img/. The plug-in build never runs this: the
# images are committed. Needs g++, pkg-config and Debian's libcairo2-dev, libpng-dev and fonts-dejavu-core.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

g++ -std=c++17 -O2 -Wall -Wextra -Werror -o "$work/artwork" "$here"/*.cpp \
    $(pkg-config --cflags --libs cairo libpng)
mkdir -p "$root/resources/img"
"$work/artwork" "$root/resources/img"
echo "images written to $root/resources/img"
