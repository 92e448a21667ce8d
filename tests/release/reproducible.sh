#!/usr/bin/env bash
# Two release builds of one source tree, each in a fresh build tree of its
# own, must give the same executable byte for byte.
#   reproducible.sh <source tree> <scratch folder>
set -euo pipefail
source_tree=$1
scratch=$2
rm -rf "$scratch"
for tree in first second; do
  cmake -S "$source_tree" -B "$scratch/$tree" -DCMAKE_TOOLCHAIN_FILE="$source_tree/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCORVANEL_TESTS=OFF >/dev/null
  cmake --build "$scratch/$tree" --target corvanel --parallel "$(nproc)" >/dev/null
done
sha256sum "$scratch"/*/ui/corvanel.exe
cmp "$scratch/first/ui/corvanel.exe" "$scratch/second/ui/corvanel.exe"
