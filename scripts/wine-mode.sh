# Sourced by every script that builds, runs or tests: decides once whether this machine runs
# 32-bit programs, and says so on one line.
#
# Both modes: the XP machine is a 32-bit prefix, the Vista machine a 64-bit one; the i686 exe
# (the release) is tested on both, the x86_64 exe on Vista.
# 64-bit-only mode (a kernel without IA32 emulation, or ONLY_64BIT=1): Debian's wine wrapper
# still picks the 32-bit loader there, so `wine` (and with it wineboot, winepath, reg) is
# pointed at the 64-bit loader; both machines are 64-bit prefixes and the x86_64 exe is tested
# on both. The i686 exe is still built and its imports checked.
#
# Sets: TRIMMWERK_ONLY_64BIT (0|1), and functions wine_arch <xp|vista> (win32|win64),
# wine_prefix_name <xp|vista> (xp-win32, ...), run_tree (the build tree whose exe runs here).
# TRIMMWERK_WINE32 names the 32-bit loader to probe (the probe's own test points it elsewhere).

trimmwerk_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine32_loader=${TRIMMWERK_WINE32:-/usr/lib/wine/wine}
wine64_loader=${TRIMMWERK_WINE64:-/usr/lib/wine/wine64}

# Prints why 32-bit programs cannot run here, or nothing when they can.
probe_32bit() {
  local out
  if [ ! -e "$wine32_loader" ]; then
    echo "there is no 32-bit Wine loader ($wine32_loader)"
    return
  fi
  # Run directly, not through timeout or env: their execvp hands a file the kernel refuses to
  # /bin/sh, which hides the kernel's "Exec format error".
  if ! out=$("$wine32_loader" --version 2>&1); then
    out=$(echo "$out" | head -n 1)
    echo "the 32-bit Wine loader does not start (${out:-no output})"
  fi
}

if [ -z "${TRIMMWERK_MODE_LINE:-}" ]; then
  if [ "${ONLY_64BIT:-0}" = 1 ]; then
    TRIMMWERK_ONLY_64BIT=1
    TRIMMWERK_MODE_LINE="ONLY_64BIT=1 forces the 64-bit-only mode: the 64-bit build runs as Windows XP and as Windows Vista."
  else
    why=$(probe_32bit)
    if [ -n "$why" ]; then
      TRIMMWERK_ONLY_64BIT=1
      TRIMMWERK_MODE_LINE="This machine cannot run 32-bit programs ($why): the 64-bit build runs as Windows XP and as Windows Vista."
    else
      TRIMMWERK_ONLY_64BIT=0
      TRIMMWERK_MODE_LINE="This machine runs 32-bit programs: the 32-bit release runs as Windows XP and as Windows Vista, the 64-bit build as Windows Vista."
    fi
    unset why
  fi
  export TRIMMWERK_ONLY_64BIT TRIMMWERK_MODE_LINE
  echo "$TRIMMWERK_MODE_LINE"
fi

if [ "$TRIMMWERK_ONLY_64BIT" = 1 ]; then
  # wineboot, winepath and friends exec `wine-stable` by name: both names lead to the 64-bit
  # loader.
  shim_dir=$trimmwerk_root/build/wine64-bin
  if [ ! -x "$shim_dir/wine-stable" ]; then
    mkdir -p "$shim_dir"
    printf '#!/bin/sh\nexec "%s" "$@"\n' "$wine64_loader" >"$shim_dir/wine"
    chmod +x "$shim_dir/wine"
    cp "$shim_dir/wine" "$shim_dir/wine-stable"
  fi
  case ":$PATH:" in *":$shim_dir:"*) ;; *) PATH=$shim_dir:$PATH ;; esac
  export PATH WINELOADER=$wine64_loader
fi

wine_arch() {
  if [ "$1" = xp ] && [ "$TRIMMWERK_ONLY_64BIT" = 0 ]; then echo win32; else echo win64; fi
}
wine_prefix_name() { echo "$1-$(wine_arch "$1")"; }
run_tree() {
  if [ "$TRIMMWERK_ONLY_64BIT" = 1 ]; then echo mingw-x86_64; else echo mingw-i686; fi
}
