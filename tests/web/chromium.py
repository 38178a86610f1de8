"""Headless Chromium driven through its DevTools protocol over a pipe, a static web server,
and PNG reading: what the page tests need, from Python's standard library alone.

    with StaticServer(folder) as server, Chromium() as browser:
        page = browser.open(server.url('index.html'), 1024, 768)
        page.wait_for('window.orvexPage && orvexPage.state().frames > 3')
        width, height, rgb = read_png(page.screenshot())
"""

import json
import os
import select
import shutil
import struct
import subprocess
import tempfile
import threading
import time
import zlib
from functools import partial
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer

# As this machine's headless Chromium needs it: no sandbox, no GPU process (WebGL runs on
# SwiftShader), nothing fetched from the network behind the page's back.
CHROMIUM_FLAGS = [
    "--headless",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--remote-debugging-pipe",
]


class BrowserError(Exception):
    pass


class Chromium:
    """One headless Chromium with a fresh profile; commands go in on fd 3, answers come out on
    fd 4, each a JSON message ended by a zero byte."""

    def __init__(self, executable=None, timeout=60):
        self.executable = executable or shutil.which("chromium") or shutil.which("chromium-browser")
        if not self.executable:
            raise BrowserError("no chromium on PATH")
        self.timeout = timeout
        self.profile = tempfile.mkdtemp(prefix="orvex-chromium-")
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()

        def child_pipes():
            # Duplicates first, so that neither end can be overwritten by the other.
            commands, answers = os.dup(to_browser_read), os.dup(from_browser_write)
            os.dup2(commands, 3)
            os.dup2(answers, 4)

        self.process = subprocess.Popen(
            [self.executable] + CHROMIUM_FLAGS + ["--user-data-dir=" + self.profile, "about:blank"],
            preexec_fn=child_pipes, pass_fds=(3, 4), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self._buffer = b""
        self._next_id = 0
        self.events = []  # (sessionId, method, params) of everything not yet looked at

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.process.poll() is None:
            try:
                self.send("Browser.close")
            except (BrowserError, OSError):
                pass
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        for fd in (self._to_browser, self._from_browser):
            try:
                os.close(fd)
            except OSError:
                pass
        shutil.rmtree(self.profile, ignore_errors=True)

    def _read_message(self, deadline):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise BrowserError("Chromium did not answer in time")
            ready, _, _ = select.select([self._from_browser], [], [], left)
            if not ready:
                continue
            chunk = os.read(self._from_browser, 1 << 20)
            if not chunk:
                raise BrowserError("Chromium closed its pipe (exit status %s)" % self.process.poll())
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, params=None, session=None, timeout=None):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + (timeout or self.timeout)
        while True:
            answer = self._read_message(deadline)
            if answer.get("id") == self._next_id:
                if "error" in answer:
                    raise BrowserError("%s: %s" % (method, answer["error"].get("message")))
                return answer.get("result", {})
            if "method" in answer:
                self.events.append((answer.get("sessionId"), answer["method"], answer.get("params", {})))

    def open(self, url, width, height):
        """A new page of width x height CSS pixels (one device pixel each) showing url."""
        target = self.send("Target.createTarget", {"url": "about:blank"})
        session = self.send("Target.attachToTarget", {"targetId": target["targetId"], "flatten": True})["sessionId"]
        page = Page(self, session, target["targetId"])
        page.call("Runtime.enable")
        page.call("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
        page.navigate(url)
        return page


class Page:
    def __init__(self, browser, session, target):
        self.browser = browser
        self.session = session
        self.target = target

    def call(self, method, params=None, timeout=None):
        return self.browser.send(method, params, self.session, timeout)

    def navigate(self, url):
        self.call("Page.navigate", {"url": url})

    def evaluate(self, expression, timeout=None):
        """The value of a JavaScript expression (promises are awaited)."""
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True}, timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise BrowserError("%s: %s" % (expression, details.get("exception", {}).get("description",
                                                                                         details.get("text"))))
        return result["result"].get("value")

    def wait_for(self, expression, timeout=60, interval=0.1):
        """Polls until the expression is truthy; its value."""
        deadline = time.monotonic() + timeout
        while True:
            value = self.evaluate(expression)
            if value:
                return value
            if time.monotonic() > deadline:
                raise BrowserError("timed out waiting for %s; page said: %s" % (expression, self.console()))
            time.sleep(interval)

    def console(self):
        """What the page wrote to its console and the exceptions it threw, as lines."""
        lines = []
        for session, method, params in self.browser.events:
            if session != self.session:
                continue
            if method == "Runtime.consoleAPICalled":
                lines.append(params["type"] + ": " + " ".join(str(a.get("value", a.get("description", "")))
                                                              for a in params.get("args", [])))
            elif method == "Runtime.exceptionThrown":
                lines.append("exception: " + params["exceptionDetails"].get("exception", {}).get(
                    "description", params["exceptionDetails"].get("text", "")))
        return lines

    def screenshot(self):
        """The page as PNG bytes."""
        import base64
        return base64.b64decode(self.call("Page.captureScreenshot", {"format": "png"})["data"])

    def mouse(self, kind, x, y, button="none", buttons=0, modifiers=0):
        self.call("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": button, "buttons": buttons,
                                               "modifiers": modifiers, "clickCount": 1 if kind != "mouseMoved" else 0})

    def close(self):
        self.browser.send("Target.closeTarget", {"targetId": self.target})


class _QuietHandler(SimpleHTTPRequestHandler):
    extensions_map = dict(SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm",
                                                                      ".js": "text/javascript"})

    def log_message(self, *args):
        pass


class StaticServer:
    """Serves a folder over HTTP on a free port of this machine, in a thread."""

    def __init__(self, folder):
        self.server = ThreadingHTTPServer(("127.0.0.1", 0), partial(_QuietHandler, directory=folder))
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.server.shutdown()
        self.server.server_close()

    def url(self, path):
        return "http://127.0.0.1:%d/%s" % (self.server.server_address[1], path)


def read_png(data):
    """(width, height, rows of RGB bytes) of an 8-bit, non-interlaced RGB or RGBA PNG."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    width, height, depth, color, _, _, interlace = header
    if depth != 8 or color not in (2, 6) or interlace:
        raise ValueError("only 8-bit RGB or RGBA PNGs without interlacing are read")
    channels = 3 if color == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            up_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else up_left)) & 255
        previous = line
        rows.append(bytes(line) if channels == 3 else bytes(b for i, b in enumerate(line) if i % 4 != 3))
    return width, height, rows
