#!/bin/sh
# The package as another project meets it: installs the built tree into a temporary prefix,
# builds examples/embed against it through find_package(VlText) and through pkg-config, runs
# both, runs the installed vltext program, and configures a project that adds the source tree
# with add_subdirectory.
#   embed.sh BUILD_DIR SOURCE_DIR CXX "EXTRA FLAGS"
set -eu
build=$1
src=$2
cxx=$3
flags=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
cmake -S "$src/examples/embed" -B "$tmp/build" -DCMAKE_PREFIX_PATH="$tmp/prefix" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >"$tmp/configure.log" 2>&1 ||
  { cat "$tmp/configure.log"; exit 1; }
cmake --build "$tmp/build" >"$tmp/build.log" 2>&1 || { cat "$tmp/build.log"; exit 1; }
out=$("$tmp/build/embed")
echo "$out"
echo "$out" | grep -qx "value: 1234.5 (Currency)"
echo "$out" | grep -qx "shown: 1,234.50円"
echo "$out" | grep -q "^error 380: "

# shellcheck disable=SC2046
"$cxx" -std=c++20 $flags "$src/examples/embed/main.cpp" -o "$tmp/embed-pc" \
  $(PKG_CONFIG_PATH="$tmp/prefix/lib/pkgconfig" pkg-config --cflags --libs vltext)
[ "$("$tmp/embed-pc")" = "$out" ]

[ "$("$tmp/prefix/bin/vltext" format Long '#,##0' 1234)" = "1,234" ]

# Added with add_subdirectory, the tree configures without its tests.
cmake -S "$src/tests/package/subproject" -B "$tmp/sub" -DVLTEXT_SOURCE_DIR="$src" -DCMAKE_CXX_COMPILER="$cxx" \
  >"$tmp/sub.log" 2>&1 || { cat "$tmp/sub.log"; exit 1; }
if [ -e "$tmp/sub/vltext/tests" ]; then
  echo "package: VlText's tests were configured inside another project" >&2
  exit 1
fi
echo "package: installed, built against with CMake and pkg-config, run"
