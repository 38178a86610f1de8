#!/usr/bin/env bash
# Regenerates the bundled sample scene the viewer plays: samples/2.MES, samples/2.KNX and
# the texture they use, converted with orvex-convert from the CesiumMan glTF model in
# samples/gltf (credited in samples/README.md).
#   ./scripts/make-samples.sh            uses build/ (builds orvex-convert first)
#   BUILD=build-x ./scripts/make-samples.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
model=${ORVEX_ASSETS:-$root/samples/gltf}/CesiumMan/glTF/CesiumMan.gltf
# The viewer's camera stands 10 units in front of the origin and looks at it: the figure is
# centred there and scaled to fill about two thirds of the picture's height.
scale=${SAMPLE_SCALE:-3}

[ -f "$model" ] || { echo "make-samples: $model not found" >&2; exit 1; }
if [ ! -d "$build" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target orvex-convert >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The texture names carry the output name "2", so they never clash with other scenes'.
"$build/bin/orvex-convert" "$model" -o "$out/2" --scale "$scale" --center

# The viewer opens "2.MES" and "2.KNX" by these exact names.
rm -f "$root"/samples/2.MES "$root"/samples/2.KNX "$root"/samples/2_*.TGA
mv "$out/2.mes" "$root/samples/2.MES"
mv "$out/2.knx" "$root/samples/2.KNX"
mv "$out"/2_*.TGA "$root/samples/"
ls -l "$root"/samples/2.MES "$root"/samples/2.KNX "$root"/samples/2_*.TGA
