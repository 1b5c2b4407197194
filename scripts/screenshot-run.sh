# Sourced by the screenshot scripts: shoot OUT TESTS WINEPREFIX takes the pictures of one test
# machine into the folder OUT as PNG files.
shoot() {
  local out=$1 tests=$2 name
  export WINEPREFIX=$3
  name=$(basename "$WINEPREFIX")
  echo "Screenshots of $tests on $name"
  TRIMMWERK_SCREENSHOTS=$(winepath -w "$out") wine "$tests" --gtest_filter='Screenshots.*' \
    >"$out/$name.log" 2>&1 || { cat "$out/$name.log"; return 1; }
  rm -f "$out/$name.log"
  wineserver -k 2>/dev/null || true
  for bmp in "$out"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png"
    rm -f "$bmp"
  done
}
