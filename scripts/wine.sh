#!/usr/bin/env bash
# The emulator that CMake runs the Windows-side tests with. In the 64-bit-only mode (the tree
# puts TRIMMWERK_ONLY_64BIT=1 into each test's environment) it is the 64-bit loader, since the
# wine wrapper would pick the 32-bit one.
if [ "${TRIMMWERK_ONLY_64BIT:-0}" = 1 ]; then
  export WINELOADER=${TRIMMWERK_WINE64:-/usr/lib/wine/wine64}
  exec "$WINELOADER" "$@"
fi
exec wine "$@"
