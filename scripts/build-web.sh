#!/usr/bin/env bash
# Builds the viewer for web browsers, from the same engine and viewer sources, into build-web/:
# a folder of static files that any web server can serve (index.html, orvex-page.js, orvex.js,
# orvex.wasm and the sample scene in sample/). To try it:
#   ./scripts/build-web.sh && cd build-web && python3 -m http.server    # then http://localhost:8000/
# The objects are built in build-web-cmake/ with Emscripten (emcmake).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/deps.sh --web

# Debian's emcc finds its JavaScript tools (acorn) through Node's global folder.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emcmake cmake -S . -B build-web-cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web-cmake -j2 --target orvex

site=build-web
rm -rf "$site"
mkdir -p "$site/sample"
cp build-web-cmake/bin/orvex.js build-web-cmake/bin/orvex.wasm viewer/web/index.html viewer/web/orvex-page.js "$site/"
cp samples/2.MES samples/2.KNX samples/*.TGA samples/README.md "$site/sample/"
echo "built $site/:"
(cd "$site" && ls -l . sample)
