"""Headless Chromium over the DevTools protocol on a pipe (--remote-debugging-pipe: JSON messages
ended by NUL, commands on the browser's descriptor 3, answers and events on 4), with Python's
standard library alone. One browser opens many pages, with the network off: a proxy that is no
proxy, no background traffic, and the page's session emulating a browser offline. The page's
requests, console and log messages, exceptions and dialogs are kept in `events`."""

import base64
import fcntl
import json
import os
import select
import shutil
import subprocess
import tempfile
import time

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-extensions", "--proxy-server=127.0.0.1:9", "--window-size=1000,1300"]
KEYS = {"ArrowLeft": 37, "ArrowRight": 39, "Home": 36, "End": 35, " ": 32, "Enter": 13}
KEPT = ("Network.request", "Network.loading", "Log.", "Runtime.exception", "Runtime.consoleAPI",
        "Page.javascriptDialog")


def find_binary():
    return next(filter(None, map(shutil.which, ("chromium", "chromium-browser"))), None)


class Chromium:
    def __init__(self, binary, flags=()):
        """flags: more of Chromium's command-line switches, beside FLAGS."""
        self.profile = tempfile.TemporaryDirectory(prefix="kostra-chromium-",
                                                   ignore_cleanup_errors=True)
        commands_in, self.commands = os.pipe()
        self.answers, answers_out = os.pipe()
        # The browser's ends, moved above 4 first, so that placing them cannot overwrite each other.
        ends = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (commands_in, answers_out)]
        for fd in (commands_in, answers_out):
            os.close(fd)
        self.process = subprocess.Popen(
            [binary, *FLAGS, *flags, "--remote-debugging-pipe",
             "--user-data-dir=" + self.profile.name],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=lambda: (os.dup2(ends[0], 3), os.dup2(ends[1], 4)), pass_fds=(3, 4))
        for fd in ends:
            os.close(fd)
        self.buffer, self.pending, self.events, self.last_id = b"", [], [], 0
        self.timeout = 20  # seconds a command may take
        target = self.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.send("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]
        for domain in ("Page", "Runtime", "Network", "Log"):
            self.send(domain + ".enable", session=self.session)
        self.send("Network.emulateNetworkConditions", {
            "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1},
            session=self.session)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        try:
            self.send("Browser.close")
            self.process.wait(timeout=10)
        except (OSError, RuntimeError, subprocess.TimeoutExpired):
            self.process.kill()
            self.process.wait()
        os.close(self.commands)
        os.close(self.answers)
        self.profile.cleanup()

    def _receive(self, deadline):
        while b"\0" not in self.buffer:
            if not select.select([self.answers], [], [], max(0, deadline - time.monotonic()))[0]:
                raise RuntimeError("chromium: no answer in time")
            chunk = os.read(self.answers, 1 << 16)
            if not chunk:
                raise RuntimeError("chromium: the browser has gone")
            self.buffer += chunk
        message, _, self.buffer = self.buffer.partition(b"\0")
        message = json.loads(message)
        if message.get("method", "").startswith(KEPT):
            self.events.append(message)
        return message

    def send(self, method, params=None, session=None):
        """The result of one command (session: the page's)."""
        self.last_id += 1
        message = {"id": self.last_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + self.timeout
        while True:
            answer = self._receive(deadline)
            if answer.get("id") == self.last_id:
                if "error" in answer:
                    raise RuntimeError("chromium: %s: %s" % (method, answer["error"]))
                return answer.get("result", {})
            self.pending.append(answer)

    def open(self, url):
        """Opens url as a new document and waits for its load event."""
        self.pending.clear()
        self.events.clear()
        self.send("Page.navigate", {"url": url}, session=self.session)
        deadline = time.monotonic() + 20
        while not any(m.get("method") == "Page.loadEventFired" for m in self.pending):
            self.pending.append(self._receive(deadline))

    def evaluate(self, expression, wait=False):
        """The JSON value of a JavaScript expression in the page (wait: of the promise it gives,
        once settled)."""
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": wait}, session=self.session)
        if "exceptionDetails" in result:
            raise RuntimeError("chromium: %s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def key(self, key, up=False):
        """Presses a key of KEYS; the page acts on its going down (a release would cost a frame),
        unless up: then the key is released too, as a button pressed by space wants."""
        params = {"type": "keyDown", "key": key, "windowsVirtualKeyCode": KEYS[key],
                  "code": {" ": "Space"}.get(key, key)}
        if key in (" ", "Enter"):
            params["text"] = {" ": " ", "Enter": "\r"}[key]
        self.send("Input.dispatchKeyEvent", params, session=self.session)
        if up:
            self.send("Input.dispatchKeyEvent", dict(params, type="keyUp", text=""),
                      session=self.session)

    def viewport(self, width, height):
        """Shows the page in a window of width x height CSS pixels."""
        self.send("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": False},
            session=self.session)

    def screenshot(self, clip=None):
        """The window, or the clip {x, y, width, height} of it, as PNG bytes."""
        params = {"format": "png"}
        if clip:
            params["clip"] = dict(clip, scale=1)
        return base64.b64decode(self.send("Page.captureScreenshot", params,
                                          session=self.session)["data"])
