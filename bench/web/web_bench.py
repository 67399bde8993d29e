#!/usr/bin/python3
"""Sizes and speed of the web page beside a bare Emscripten SDL page, in one run.

    bench/web/web_bench.py PAGE_FOLDER BARE_FOLDER [--rounds N]

PAGE_FOLDER is dist/web; BARE_FOLDER holds bare.html with ferrolin-bare-page.js/.wasm/.data
(the page that draws one picture, built with the same libraries and flags). Both are
served from localhost to headless Chromium. Prints a Markdown table for bench/RESULTS.md.
"""
import argparse
import functools
import gzip
import http.server
import os
import statistics
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton

# Seen by both pages before their own scripts: the time of the first picture put on a
# canvas, and the last time a watched column of the picture changed.
PROBE = """
(function () {
  window.probe = { first: null, frames: 0, watch: null, changed: 0, sum: null, pressed: 0 };
  var put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (image) {
    put.apply(this, arguments);
    var p = window.probe, now = performance.now();
    p.frames += 1;
    if (p.first === null) p.first = now;
    if (p.watch) {
      var w = p.watch, s = 0;
      for (var y = w.y0; y < w.y1; y += 3) {
        for (var x = w.x0; x < w.x1; x += 3) {
          var i = 4 * (y * image.width + x);
          s = (s * 31 + image.data[i] + 7 * image.data[i + 1] + 13 * image.data[i + 2]) | 0;
        }
      }
      if (p.sum !== null && s !== p.sum) p.changed = now;
      p.sum = s;
    }
  };
  window.addEventListener('mousedown', function () { window.probe.pressed = performance.now(); }, true);
})();
"""


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map)
    extensions_map.update({".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


def gzip_size(paths):
    return sum(len(gzip.compress(open(p, "rb").read(), 9)) for p in paths)


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--disable-extensions", "--window-size=1024,812", f"--user-data-dir={profile}"):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROBE})
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.execute_cdp_cmd("Performance.enable", {})
    return driver


def first_frame(driver, url):
    driver.get("about:blank")
    driver.get(url)
    end = time.time() + 60
    while time.time() < end:
        first = driver.execute_script("return window.probe && window.probe.first")
        if first:
            return first
        time.sleep(0.02)
    raise RuntimeError(f"no frame from {url}")


def busy_seconds(driver, seconds):
    def task_time():
        metrics = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
        return next(m["value"] for m in metrics if m["name"] == "TaskDuration")
    before = task_time()
    time.sleep(seconds)
    return (task_time() - before) / seconds


def canvas_at_own_size(driver):
    """Resizes the window until the canvas is shown at 1024x768, so a point is a pixel."""
    rect_of = "return document.getElementById('canvas').getBoundingClientRect().toJSON()"
    rect = driver.execute_script(rect_of)
    if round(rect["width"]) != 1024 or round(rect["height"]) != 768:
        size = driver.get_window_size()
        driver.set_window_size(size["width"] + 1024 - round(rect["width"]),
                               size["height"] + 768 - round(rect["height"]))
        time.sleep(0.5)
        rect = driver.execute_script(rect_of)
    return rect


def click(driver, x, y, rect):
    builder = ActionBuilder(driver, duration=0)
    builder.pointer_action.move_to_location(rect["left"] + x + 0.5, rect["top"] + y + 0.5)
    builder.pointer_action.pointer_down(MouseButton.LEFT)
    builder.pointer_action.pointer_up(MouseButton.LEFT)
    builder.perform()


def drag(driver, x1, y1, x2, y2, rect):
    builder = ActionBuilder(driver, duration=0)
    mouse = builder.pointer_action
    mouse.move_to_location(rect["left"] + x1 + 0.5, rect["top"] + y1 + 0.5)
    mouse.pointer_down(MouseButton.LEFT)
    for i in range(1, 11):
        mouse.move_to_location(rect["left"] + x1 + (x2 - x1) * i / 10 + 0.5,
                               rect["top"] + y1 + (y2 - y1) * i / 10 + 0.5)
    mouse.pointer_up(MouseButton.LEFT)
    builder.perform()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("bare")
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()

    loaded = ["index.html", "page.js", "page.css", "ferrolin.js", "ferrolin.wasm", "ferrolin.data"]
    page_bytes = gzip_size([os.path.join(args.page, n) for n in loaded])
    folder = [os.path.join(root, n) for root, _, names in os.walk(args.page) for n in names]
    folder_bytes = gzip_size(folder)
    bare_bytes = gzip_size([os.path.join(args.bare, n) for n in
                            ("bare.html", "ferrolin-bare-page.js", "ferrolin-bare-page.wasm", "ferrolin-bare-page.data")])

    page_server, page_url = serve(args.page)
    bare_server, bare_url = serve(args.bare)
    driver = browser(tempfile.mkdtemp(prefix="ferrolin-bench-"))
    try:
        first_frame(driver, page_url + "index.html")
        canvas_at_own_size(driver)
        firsts = {"page": [], "bare": []}
        for _ in range(args.rounds):
            firsts["bare"].append(first_frame(driver, bare_url + "bare.html"))
            firsts["page"].append(first_frame(driver, page_url + "index.html"))
        # At rest: the page in its menu, the bare page with its picture.
        time.sleep(3)
        rest_page = [busy_seconds(driver, 5) for _ in range(2)]
        first_frame(driver, bare_url + "bare.html")
        time.sleep(3)
        rest_bare = [busy_seconds(driver, 5) for _ in range(2)]

        # Crossing: the pack's first task; the boy crosses and the crossing is undone.
        first_frame(driver, page_url + "index.html")
        time.sleep(2)
        rect = canvas_at_own_size(driver)
        click(driver, 520, 73, rect); time.sleep(1.5)
        click(driver, 518, 167, rect); time.sleep(0.3); click(driver, 518, 167, rect); time.sleep(2.5)
        crossings = []
        for _ in range(args.rounds):
            drag(driver, 35, 70, 335, 320, rect); time.sleep(0.5)
            # The column through the tip of the hull at the right landing changes last.
            driver.execute_script("window.probe.watch = {x0: 872, x1: 873, y0: 150, y1: 215}; window.probe.sum = null; window.probe.changed = 0;")
            click(driver, 480, 355, rect)
            time.sleep(4)
            pressed, changed = driver.execute_script("return [window.probe.pressed, window.probe.changed]")
            crossings.append((changed - pressed) / 1000)
            driver.execute_script("window.probe.watch = null;")
            click(driver, 852, 415, rect); time.sleep(3.5)
    finally:
        driver.quit()
        page_server.shutdown()
        bare_server.shutdown()

    mb = lambda b: b / 1e6
    med = statistics.median
    page_first, bare_first = med(firsts["page"]), med(firsts["bare"])
    print("| measure | the game's page | bare SDL page | bound |")
    print("|---|---|---|---|")
    print(f"| transfer, gzip: what opening the page loads | {mb(page_bytes):.2f} MB | {mb(bare_bytes):.2f} MB | <= 6 MB |")
    print(f"| transfer, gzip: the whole folder with help | {mb(folder_bytes):.2f} MB | | |")
    print(f"| first frame after navigation, median of {args.rounds} (min-max) | {page_first:.0f} ms "
          f"({min(firsts['page']):.0f}-{max(firsts['page']):.0f}) | {bare_first:.0f} ms "
          f"({min(firsts['bare']):.0f}-{max(firsts['bare']):.0f}) | page <= 2 x bare: {page_first / bare_first:.2f} x |")
    print(f"| main thread busy at rest (menu; picture) | {100 * med(rest_page):.1f} % | {100 * med(rest_bare):.1f} % | page <= bare |")
    print(f"| crossing, click to the boat's last step, median of {len(crossings)} | {med(crossings):.2f} s "
          f"({min(crossings):.2f}-{max(crossings):.2f}) | | 2.2 s +- 10 % |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
