"""Headless Chromium driven over the DevTools protocol on a pipe (--remote-debugging-pipe: JSON
messages ended by a NUL byte, commands on the browser's descriptor 3, answers and events on 4),
with nothing beyond Python's standard library. One browser opens many pages.

    with Chromium(binary) as browser:
        browser.open("file:///tmp/page.html#krok=2")
        browser.evaluate("document.body.dataset.krok")   # "2"
        browser.key("ArrowRight")

The network is off for the whole browser: a proxy that is no proxy, no background traffic, and
the page's session emulates a browser without a network. Every request, console message,
exception and dialog of the page is kept in `events` for the caller to judge.
"""

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
KEYS = {"ArrowLeft": 37, "ArrowRight": 39, "Home": 36, "End": 35, " ": 32}
TIMEOUT = 20  # seconds for one answer


def find_binary():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


class Chromium:
    def __init__(self, binary):
        self.profile = tempfile.TemporaryDirectory(prefix="kostra-chromium-")
        commands_in, self.commands = os.pipe()
        self.answers, answers_out = os.pipe()
        # The browser's ends go to 3 and 4; kept above both first, so that neither overwrites
        # the other.
        ends = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (commands_in, answers_out)]
        os.close(commands_in)
        os.close(answers_out)

        def place_ends():
            os.dup2(ends[0], 3)
            os.dup2(ends[1], 4)

        self.process = subprocess.Popen(
            [binary, *FLAGS, "--remote-debugging-pipe", "--user-data-dir=" + self.profile.name,
             "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=place_ends, pass_fds=(3, 4))
        for fd in ends:
            os.close(fd)
        self.buffer = b""
        self.pending = []  # messages read while waiting for another
        self.events = []   # the page's requests, console messages, exceptions and dialogs
        self.last_id = 0
        pages = [t for t in self.send("Target.getTargets")["targetInfos"] if t["type"] == "page"]
        target = pages[0]["targetId"] if pages else self.send(
            "Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.send("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]
        for domain in ("Page", "Runtime", "Network", "Log"):
            self.send(domain + ".enable", session=self.session)
        self.send("Network.emulateNetworkConditions",
                  {"offline": True, "latency": 0, "downloadThroughput": -1,
                   "uploadThroughput": -1}, session=self.session)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        try:
            self.send("Browser.close")
        except (OSError, RuntimeError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.commands)
        os.close(self.answers)
        self.profile.cleanup()

    def _receive(self, deadline):
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.answers], [], [], left)[0]:
                raise RuntimeError("chromium: no answer within %d s" % TIMEOUT)
            chunk = os.read(self.answers, 1 << 16)
            if not chunk:
                raise RuntimeError("chromium: the browser has gone")
            self.buffer += chunk
        message, _, self.buffer = self.buffer.partition(b"\0")
        message = json.loads(message)
        if message.get("method", "").startswith(("Network.request", "Network.loading", "Log.",
                                                 "Runtime.exception", "Runtime.consoleAPI",
                                                 "Page.javascriptDialog")):
            self.events.append(message)
        return message

    def send(self, method, params=None, session=None):
        """The result of one command; RuntimeError when it fails."""
        self.last_id += 1
        message = {"id": self.last_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + TIMEOUT
        while True:
            answer = self._receive(deadline)
            if answer.get("id") == self.last_id:
                if "error" in answer:
                    raise RuntimeError("chromium: %s: %s" % (method, answer["error"]))
                return answer.get("result", {})
            self.pending.append(answer)

    def wait_for(self, method):
        """Waits for the page's next event of that name."""
        deadline = time.monotonic() + TIMEOUT
        while True:
            for i, message in enumerate(self.pending):
                if message.get("method") == method:
                    del self.pending[i]
                    return message
            self.pending.append(self._receive(deadline))

    def open(self, url):
        """Opens url as a new document and waits until it has loaded."""
        self.pending.clear()
        self.events.clear()
        self.send("Page.navigate", {"url": url}, session=self.session)
        self.wait_for("Page.loadEventFired")

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page (JSON-serialisable)."""
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True},
                           session=self.session)
        if "exceptionDetails" in result:
            raise RuntimeError("chromium: %s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def key(self, key):
        """Presses a key (one of KEYS) in the page. The page acts on the key going down; its
        release, which would cost a frame more, is left out."""
        params = {"type": "keyDown", "key": key, "windowsVirtualKeyCode": KEYS[key],
                  "code": "Space" if key == " " else key}
        if key == " ":
            params["text"] = " "
        self.send("Input.dispatchKeyEvent", params, session=self.session)

