#!/usr/bin/env bash
# Builds the release download: dist/Trimmwerk-<version>.zip holding both exes, LIESMICH.txt and
# SHA256SUMS for the exes, and dist/SHA256SUMS for the zip. It only cross-compiles (the two exe
# targets of the MinGW trees), so it works in either Wine mode and needs no Wine.
#
# The same commit gives the same bytes in any folder: the exes carry no link time and no build
# path (checked here), and the zip's entries have a fixed order and the commit's date.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-mode.sh
version=$(sed -n 's/^project(Trimmwerk VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }

BUILD_TREES="mingw-i686 mingw-x86_64" BUILD_TARGET=trimmwerk scripts/build.sh

stage=build/dist
rm -rf "$stage" dist
mkdir -p "$stage" dist
cp build/mingw-i686/src/ui/trimmwerk.exe "$stage/trimmwerk.exe"
cp build/mingw-x86_64/src/ui/trimmwerk.exe "$stage/trimmwerk-x64.exe"
for exe in "$stage"/*.exe; do
  scripts/check-release-exe.sh "$exe" "$root"
done

# The text is kept as UTF-8 with LF in the repository, where diffs and editors handle it; the
# download gets what Notepad on XP reads: cp1252 with CRLF. iconv fails on any character that
# cp1252 lacks instead of writing a '?'.
sed "s/@VERSION@/$version/g" res/LIESMICH.txt | iconv -f UTF-8 -t CP1252 | sed 's/$/\r/' \
  >"$stage/LIESMICH.txt"

(cd "$stage" && sha256sum trimmwerk.exe trimmwerk-x64.exe >SHA256SUMS)

# Entries in this order, each dated with the commit (or SOURCE_DATE_EPOCH), with fixed
# attributes instead of this machine's.
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 1262304000)}
zip=Trimmwerk-$version.zip
python3 - "dist/$zip" "$epoch" "$stage" trimmwerk.exe trimmwerk-x64.exe LIESMICH.txt SHA256SUMS <<'EOF'
import sys, time, zipfile
out, epoch, stage, names = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4:]
# A zip date is local time without a zone, from 1980 on; the commit's UTC time it is.
date = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))
with zipfile.ZipFile(out, "w") as z:
    for name in names:
        info = zipfile.ZipInfo(name, date_time=date)
        info.compress_type = zipfile.ZIP_DEFLATED
        # A plain file, readable by all when unpacked on Linux; Windows reads no attribute.
        info.create_system = 3
        info.external_attr = 0o100644 << 16
        with open(f"{stage}/{name}", "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
EOF
(cd dist && sha256sum "$zip" >SHA256SUMS)

echo "dist/$zip:"
sed 's/^/  /' "$stage/SHA256SUMS"
sed 's/^/  /' dist/SHA256SUMS
