#!/usr/bin/env python3
"""The Orvex page in headless Chromium: the sample plays, its picture is the desktop renderer's,
a scene beyond 16-bit indices with a texture whose sides are not powers of two draws as on the
desktop, a corrupt scene shows the scene loader's reason, the page then plays dropped files,
and the mouse turns the camera.

    tests/web/page_test.py --site build-web --bin build/bin [--shots DIR]

--bin holds the native orvex-render (the desktop's pictures), Orvex (the desktop viewer's words
for a refused file, on SDL's offscreen driver) and orvex-web-fixtures (the test scenes). Exit status 0 when every check passes.
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import BrowserError, Chromium, StaticServer, read_png  # noqa: E402

WIDTH, HEIGHT = 1024, 768
OVERLAY_ROWS = 32  # the driver line and the frame-rate line, 16 pixels each
MIN_PSNR = 40.0

failures = []


def check(condition, what):
    print(("PASS " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def psnr(a, b, first_row):
    """Peak signal-to-noise ratio in dB of two pictures' rows from first_row on."""
    squared, count = 0, 0
    for row_a, row_b in zip(a[first_row:], b[first_row:]):
        squared += sum((x - y) * (x - y) for x, y in zip(row_a, row_b))
        count += len(row_a)
    return float("inf") if squared == 0 else 10 * math.log10(255 * 255 * count / squared)


def count_pixels(rows, x0, y0, x1, y1, test):
    return sum(1 for y in range(y0, y1) for x in range(x0, x1) if test(rows[y][3 * x], rows[y][3 * x + 1],
                                                                         rows[y][3 * x + 2]))


def differing_pixels(a, b, x0, y0, x1, y1):
    return sum(1 for y in range(y0, y1) for x in range(x0, x1)
               if max(abs(a[y][3 * x + c] - b[y][3 * x + c]) for c in range(3)) > 24)


class Session:
    def __init__(self, args, site, work):
        self.args = args
        self.site = site
        self.work = work

    def tool(self, name, *arguments):
        environment = dict(os.environ, XDG_RUNTIME_DIR=os.environ.get("XDG_RUNTIME_DIR", self.work),
                           SDL_VIDEODRIVER="offscreen")
        return subprocess.run([os.path.join(self.args.bin, name)] + list(arguments), capture_output=True, text=True,
                              env=environment, timeout=120)

    def desktop(self, scene, *options):
        """orvex-render's picture of a scene of the site at the page's size."""
        out = os.path.join(self.work, "desktop-%d.png" % len(os.listdir(self.work)))
        result = self.tool("orvex-render", os.path.join(self.site, scene), "--size", "%dx%d" % (WIDTH, HEIGHT),
                           "--quiet", "-o", out, *options)
        if result.returncode != 0:
            raise RuntimeError("orvex-render failed: " + result.stderr)
        with open(out, "rb") as f:
            return read_png(f.read())[2]

    def shot(self, page, name):
        data = page.screenshot()
        if self.args.shots:
            with open(os.path.join(self.args.shots, name + ".png"), "wb") as f:
                f.write(data)
        width, height, rows = read_png(data)
        if (width, height) != (WIDTH, HEIGHT):
            raise RuntimeError("a screenshot of %dx%d, not %dx%d" % (width, height, WIDTH, HEIGHT))
        return rows


def wait_playing(page, frames=3, timeout=90):
    return page.wait_for("window.orvexPage && (orvexPage.state().failure || orvexPage.state().frames >= %d) && "
                         "orvexPage.state()" % frames, timeout=timeout)


def test_sample_plays(session, browser):
    page = browser.open(session.server.url("index.html"), WIDTH, HEIGHT)
    state = wait_playing(page)
    if not check(not state["failure"] and state["playing"], "the sample plays (%s)" % (state["failure"] or "ok")):
        return
    time.sleep(1.5)  # the frame rate is measured over a second
    first = session.shot(page, "sample-1")
    time.sleep(1.0)
    second = session.shot(page, "sample-2")
    state = page.evaluate("orvexPage.state()")
    # The text's texture replaces the lit colour and is added to the grey background (51), so
    # the glyphs' cores are exactly the colours plus that grey.
    cyan = count_pixels(first, 0, 0, 300, 16, lambda r, g, b: (r, g, b) == (51, 255, 255))
    yellow = count_pixels(first, 0, 16, 300, 32, lambda r, g, b: (r, g, b) == (255, 255, 51))
    check(cyan > 60, "the driver line is cyan (%d pixels)" % cyan)
    check(yellow > 20, "the frame-rate line is yellow (%d pixels)" % yellow)
    moved = differing_pixels(first, second, 384, 140, 640, 620)
    still = differing_pixels(first, second, 0, 640, WIDTH, HEIGHT)
    check(moved > 500 and still == 0,
          "a second apart the figure moved (%d pixels differ) and the floor of the picture did not (%d)" %
          (moved, still))
    print("     frame rate %.1f fps, first frame %.0f ms after the page began to load" %
          (state["framesPerSecond"], state["firstFrameMs"]), flush=True)
    page.close()


def compare_with_desktop(session, browser, query, desktop, what, shot):
    page = browser.open(session.server.url("index.html?" + query), WIDTH, HEIGHT)
    state = wait_playing(page)
    if not check(not state["failure"], what + " loads (%s)" % (state["failure"] or "ok")):
        return
    page.wait_for("orvexPage.state().frames >= 3")  # from the second frame the overlay's texture is bound
    picture = session.shot(page, shot)
    value = psnr(picture, desktop, OVERLAY_ROWS)
    check(value >= MIN_PSNR, "%s matches orvex-render: %.1f dB below the overlay" % (what, value))
    page.close()


def test_corrupt_animation(session, browser):
    # An animation the loader refuses: the page says what the desktop viewer says.
    scene = os.path.join(session.site, "fixtures/grid.mes")
    corrupt = os.path.join(session.site, "fixtures/corrupt.knx")
    refused = session.tool("Orvex", "--window", scene, corrupt)
    expected = refused.stderr.strip().replace(corrupt, "/scene/corrupt.knx").replace(scene, "/scene/grid.mes")
    check(refused.returncode == 1 and "corrupt.knx" in expected,
          "the desktop viewer refuses the corrupt animation: " + expected)
    page = browser.open(session.server.url("index.html?scene=fixtures/grid.mes&anim=fixtures/corrupt.knx"),
                        WIDTH, HEIGHT)
    state = wait_playing(page)
    check(state["failure"] == expected and not state["playing"], "the page says the same: " + state["failure"])
    page.close()


def test_corrupt_scene_then_drop(session, browser):
    # The desktop viewer's words for the file, with the page's path for it.
    corrupt = os.path.join(session.site, "fixtures/corrupt.mes")
    refused = session.tool("Orvex", "--window", corrupt)
    expected = refused.stderr.strip().replace(corrupt, "/scene/corrupt.mes")
    check(refused.returncode == 1 and "cannot load the mesh scene" in expected,
          "the desktop viewer refuses the corrupt scene: " + expected)
    page = browser.open(session.server.url("index.html?scene=fixtures/corrupt.mes"), WIDTH, HEIGHT)
    state = wait_playing(page)
    check(state["failure"] == expected and not state["playing"], "the page says the same: " + state["failure"])
    shown = page.evaluate("document.getElementById('status').textContent")
    check(shown == expected, "as text on the page")

    # The page stays usable: files dropped on it play.
    page.evaluate("""(async () => {
        const files = [];
        for (const name of ['grid.mes', 'checker.TGA']) {
            const bytes = await (await fetch('fixtures/' + name)).arrayBuffer();
            files.push(new File([bytes], name));
        }
        const data = new DataTransfer();
        files.forEach((f) => data.items.add(f));
        document.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));
    })()""")
    state = page.wait_for("orvexPage.state().frames >= 3 && orvexPage.state()", timeout=90)
    check(state["playing"] and not state["failure"] and not state["status"],
          "after the refusal, dropped files play and the message is gone")

    # Left drag turns the camera: the still grid is seen from elsewhere.
    before = session.shot(page, "drop-before-drag")
    page.mouse("mousePressed", 512, 384, "left", 1)
    for step in range(1, 11):
        page.mouse("mouseMoved", 512 + 6 * step, 384, "none", 1)
        time.sleep(0.03)
    page.mouse("mouseReleased", 572, 384, "left", 0)
    frames = page.evaluate("orvexPage.state().frames")
    page.wait_for("orvexPage.state().frames >= %d" % (frames + 2))
    after = session.shot(page, "drop-after-drag")
    turned = differing_pixels(before, after, 0, OVERLAY_ROWS, WIDTH, HEIGHT)
    check(turned > 5000, "a left drag turns the camera (%d pixels differ)" % turned)
    page.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--site", required=True, help="the built page (scripts/build-web.sh: build-web)")
    parser.add_argument("--bin", required=True, help="the native programs (build/bin)")
    parser.add_argument("--shots", help="a folder to keep the screenshots in")
    args = parser.parse_args()
    if args.shots:
        os.makedirs(args.shots, exist_ok=True)

    work = tempfile.mkdtemp(prefix="orvex-page-test-")
    site = os.path.join(work, "site")
    os.makedirs(os.path.join(site, "fixtures"))
    for entry in os.listdir(args.site):
        os.symlink(os.path.abspath(os.path.join(args.site, entry)), os.path.join(site, entry))
    shots = os.path.join(work, "desktop")
    os.makedirs(shots)
    start = time.monotonic()
    try:
        session = Session(args, site, shots)
        made = session.tool("orvex-web-fixtures", os.path.join(site, "fixtures"))
        if made.returncode != 0:
            raise RuntimeError("orvex-web-fixtures failed: " + made.stderr)
        with StaticServer(site) as server, Chromium() as browser:
            session.server = server
            test_sample_plays(session, browser)
            compare_with_desktop(session, browser, "scene=sample/2.MES", session.desktop("sample/2.MES"),
                                 "the sample in its stored pose", "sample-pose")
            compare_with_desktop(session, browser, "scene=sample/2.MES&fit",
                                 session.desktop("sample/2.MES", "--fit"), "the framed sample", "sample-fit")
            compare_with_desktop(session, browser, "scene=fixtures/grid.mes",
                                 session.desktop("fixtures/grid.mes", "--overlay"),
                                 "a grid of 67,600 vertices with a 100x75 texture", "grid")
            compare_with_desktop(session, browser, "scene=fixtures/untextured/grid.mes",
                                 session.desktop("fixtures/untextured/grid.mes", "--overlay"),
                                 "the grid with its texture cut short, drawn untextured", "untextured")
            test_corrupt_animation(session, browser)
            test_corrupt_scene_then_drop(session, browser)
    except (BrowserError, RuntimeError, OSError, subprocess.SubprocessError) as error:
        check(False, "the page test ran: %s" % error)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("page tests: %d failed, %.0f s" % (len(failures), time.monotonic() - start), flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
