#!/usr/bin/python3
"""The web page in headless Chromium, against the desktop build.

    tests/web/web_page_test.py PAGE_FOLDER GAME_FOLDER [--keep FOLDER]

PAGE_FOLDER is dist/web; GAME_FOLDER a desktop build's program folder with
ferrolin-script, whose screenshots of the same moments are the reference. The page is
served from localhost, played by mouse events on its canvas, and each moment's canvas
must equal the desktop's frame pixel for pixel. Prints "N passed, N failed".
"""
import argparse
import base64
import functools
import http.server
import io
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from PIL import Image, ImageChops
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton

# The pack's first two tasks, played the way a pupil does: open the catalogue, open the
# first task, drag both characters into the boat and sail; the winner picture's button
# opens the next task, whose boatman carries one passenger at a time.
MENU_CATALOGUE = [("click", 520, 73), ("wait", 300)]
FIRST_TASK = [("click", 518, 167), ("click", 518, 167), ("wait", 800),
              ("drag", 35, 70, 335, 320), ("drag", 105, 70, 335, 320), ("sail", 480, 355)]
SECOND_TASK = [("click", 500, 444), ("wait", 800),
               ("drag", 35, 70, 335, 320), ("sail", 480, 355), ("sail", 655, 185),
               ("drag", 105, 70, 335, 320), ("sail", 480, 355), ("sail", 655, 185),
               ("drag", 175, 70, 335, 320), ("sail", 480, 355)]
# A crossing lasts 2.2 s; the landing and the winner picture follow.
SAIL_MS = 3200
WIN_MS = 1500
# Messages fade out; the frames are compared once they are gone.
MESSAGE_MS = 10000
SAVE_SOLUTION = [("key", "escape"), ("wait", 400), ("click", 520, 189)]
OPEN_SOLUTION = [("key", "escape"), ("wait", 400), ("click", 520, 247)]
OPEN_HELP = [("key", "escape"), ("wait", 400), ("click", 520, 305)]
# A teacher's smallest task, its title typed with Cyrillic keys: a cabbage that crosses
# alone, saved from the editor's last step.
TASK_TITLE = "Переправа Юли"
NEW_TASK = [("key", "escape"), ("wait", 400), ("click", 520, 131), ("wait", 1200), ("type", TASK_TITLE),
            ("click", 910, 687), ("wait", 100), ("click", 910, 687), ("wait", 1500),
            ("drag", 782, 526, 70, 270), ("click", 910, 687), ("wait", 1500),
            ("drag", 70, 270, 940, 250), ("click", 910, 687), ("wait", 1500),
            ("click", 910, 687), ("wait", 100), ("click", 910, 687), ("wait", 100)]


def script_lines(steps):
    lines = []
    for step in steps:
        kind = step[0]
        if kind == "click":
            lines.append(f"click {step[1]} {step[2]}")
        elif kind == "drag":
            lines.append("drag %d %d %d %d" % step[1:])
        elif kind == "sail":
            lines.append(f"click {step[1]} {step[2]}")
        elif kind == "wait":
            lines.append(f"wait {step[1]}")
        elif kind == "key":
            lines.append(f"key {step[1]}")
        elif kind == "type":
            lines.append(f"type {step[1]}")
    return lines


def desktop_reference(game, work):
    """Runs the same moments in the desktop build; returns their PNGs and the solution."""
    program = os.path.join(work, "program")
    os.makedirs(os.path.join(program, "tasks"))
    os.symlink(os.path.join(game, "textures"), os.path.join(program, "textures"))
    for name in os.listdir(os.path.join(game, "tasks")):
        if name.lower().endswith(".dat"):
            shutil.copy(os.path.join(game, "tasks", name), os.path.join(program, "tasks"))
    shots = os.path.join(work, "desktop")
    os.makedirs(shots)
    broken = os.path.join(work, "broken.sln")
    with open(broken, "wb") as f:
        f.write(b"not a solution\r\n")
    solution = os.path.join(work, "desktop.sln")
    lines = [f"folder {program}", f"data {os.path.join(work, 'data')}", "wait 1000",
             f"shot {shots}/menu.png"]
    lines += script_lines(MENU_CATALOGUE) + [f"shot {shots}/catalogue.png"]
    lines += script_lines(FIRST_TASK) + [f"wait {WIN_MS}", f"shot {shots}/first-won.png"]
    lines += script_lines(SECOND_TASK) + [f"wait {WIN_MS}", f"shot {shots}/second-won.png"]
    lines += [f"choose {solution}"] + script_lines(SAVE_SOLUTION)
    lines += [f"wait {MESSAGE_MS}", f"shot {shots}/saved.png"]
    lines += [f"choose {broken}"] + script_lines(OPEN_SOLUTION) + [f"wait {MESSAGE_MS}", f"shot {shots}/broken.png"]
    lines += ["restart", "wait 1000"] + script_lines(MENU_CATALOGUE) + [f"shot {shots}/kept.png"]
    lines += script_lines(NEW_TASK)
    script = os.path.join(work, "reference.txt")
    with open(script, "w") as f:
        f.write("\n".join(lines) + "\n")
    subprocess.run([os.path.join(game, "ferrolin-script"), script], check=True,
                   env=dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy"))
    # The desktop's program folder here can be written, so the editor saved its task there.
    pack = set(os.listdir(os.path.join(game, "tasks")))
    made = [n for n in os.listdir(os.path.join(program, "tasks")) if n not in pack]
    task = os.path.join(program, "tasks", made[0]) if len(made) == 1 else None
    return shots, solution, broken, task


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map)
    extensions_map.update({".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(QuietHandler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


# Storage a browser refuses: none at all (private windows of some browsers), or one that
# is full when the game writes.
NO_STORAGE = "Object.defineProperty(window, 'indexedDB', { get: function () { return undefined; } });"
FULL_STORAGE = """IDBObjectStore.prototype.put = function () {
  throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
};"""


def start_browser(profile, downloads, before_page=None):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                "--no-first-run", "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--disable-extensions", "--window-size=1024,812",
                f"--user-data-dir={profile}"):
        options.add_argument(arg)
    options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                              "download.prompt_for_download": False})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
    # Headless, a file picker has nobody to answer it and cancels at once; held instead,
    # the test answers it by setting the file input's files.
    driver.execute_cdp_cmd("Page.setInterceptFileChooserDialog", {"enabled": True})
    if before_page:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": before_page})
    return driver


# A cheap fingerprint of the canvas: every 97th pixel.
CANVAS_HASH = """
var c = document.getElementById('canvas');
var d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data, h = 0;
for (var i = 0; i < d.length; i += 388) h = (h * 31 + d[i] + 3 * d[i + 1] + 7 * d[i + 2]) | 0;
return h;
"""


class Page:
    def __init__(self, driver, url):
        self.driver = driver
        self.url = url

    def load(self):
        self.driver.get(self.url)
        self.wait_for("return window.ferrolinPage && window.ferrolinPage.frames > 0", 60)
        # The canvas must be shown at its own size, so a point of the page is a pixel.
        rect = self.driver.execute_script("return document.getElementById('canvas').getBoundingClientRect().toJSON()")
        if round(rect["width"]) != 1024 or round(rect["height"]) != 768:
            size = self.driver.get_window_size()
            self.driver.set_window_size(size["width"] + 1024 - round(rect["width"]),
                                        size["height"] + 768 - round(rect["height"]))
            time.sleep(0.3)
            rect = self.driver.execute_script("return document.getElementById('canvas').getBoundingClientRect().toJSON()")
        self.left, self.top = rect["left"], rect["top"]

    def wait_for(self, condition, seconds):
        end = time.time() + seconds
        while time.time() < end:
            if self.driver.execute_script(condition):
                return True
            time.sleep(0.1)
        raise AssertionError(f"timed out waiting for: {condition}")

    def pointer(self):
        builder = ActionBuilder(self.driver, duration=0)
        return builder, builder.pointer_action

    def at(self, x, y):
        return self.left + x + 0.5, self.top + y + 0.5

    def click(self, x, y):
        """A mouse click at a point of the page, not waiting for the canvas."""
        builder, mouse = self.pointer()
        mouse.move_to_location(x, y)
        mouse.pointer_down(MouseButton.LEFT)
        mouse.pointer_up(MouseButton.LEFT)
        builder.perform()

    def settle(self, least_ms=0):
        """Waits until the canvas has stopped changing, as a pupil waits for the boat."""
        time.sleep(least_ms / 1000)
        last, calm_since, end = None, time.time(), time.time() + 20
        while time.time() < end:
            now = self.driver.execute_script(CANVAS_HASH)
            if now != last:
                last, calm_since = now, time.time()
            elif time.time() - calm_since >= 0.4:
                return
            time.sleep(0.05)
        raise AssertionError("the canvas never came to rest")

    def play(self, steps):
        for step in steps:
            kind = step[0]
            if kind in ("click", "sail"):
                self.click(*self.at(step[1], step[2]))
                self.settle(SAIL_MS if kind == "sail" else 0)
            elif kind == "drag":
                x1, y1, x2, y2 = step[1:]
                builder, mouse = self.pointer()
                mouse.move_to_location(*self.at(x1, y1))
                mouse.pointer_down(MouseButton.LEFT)
                steps_needed = max(abs(x2 - x1), abs(y2 - y1)) // 10
                for i in range(1, steps_needed + 1):
                    mouse.move_to_location(*self.at(x1 + (x2 - x1) * i // steps_needed,
                                                    y1 + (y2 - y1) * i // steps_needed))
                mouse.move_to_location(*self.at(x2, y2))
                mouse.pointer_up(MouseButton.LEFT)
                builder.perform()
                self.settle()
            elif kind == "wait":
                self.settle(step[1])
            elif kind == "key":
                keys = {"escape": "\ue00c"}
                ActionChains(self.driver).send_keys(keys[step[1]]).perform()
                self.settle()
            elif kind == "type":
                ActionChains(self.driver).send_keys(step[1]).perform()
                self.settle()

    def touch(self, kind, x, y):
        point = {"x": self.left + x + 0.5, "y": self.top + y + 0.5}
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                    {"type": kind, "touchPoints": [] if kind == "touchEnd" else [point]})

    def play_by_touch(self, steps):
        """The same steps with a finger: taps and drags as touch events, no mouse."""
        for step in steps:
            kind = step[0]
            if kind in ("click", "sail"):
                self.touch("touchStart", step[1], step[2])
                self.touch("touchEnd", step[1], step[2])
                self.settle(SAIL_MS if kind == "sail" else 0)
            elif kind == "drag":
                x1, y1, x2, y2 = step[1:]
                self.touch("touchStart", x1, y1)
                steps_needed = max(abs(x2 - x1), abs(y2 - y1)) // 10
                for i in range(1, steps_needed + 1):
                    self.touch("touchMove", x1 + (x2 - x1) * i // steps_needed, y1 + (y2 - y1) * i // steps_needed)
                self.touch("touchEnd", x2, y2)
                self.settle()
            elif kind == "wait":
                self.settle(step[1])

    def task_in_storage(self):
        """The name and bytes of the task file in the data folder the browser keeps."""
        return self.driver.execute_script("""
            var FS = Module.FS, found = null;
            (function walk(dir) {
              FS.readdir(dir).forEach(function (name) {
                if (name === '.' || name === '..') return;
                var path = dir + '/' + name;
                if (FS.isDir(FS.stat(path).mode)) walk(path);
                else if (/\\.dat$/i.test(name)) found = [name, Array.from(FS.readFile(path))];
              });
            })('/ferrolin-data');
            return found;""")

    def notice(self):
        return self.driver.execute_script(
            "var n = document.getElementById('notice');"
            "return n.hidden ? null : document.getElementById('notice-text').textContent;")

    def canvas(self):
        data = self.driver.execute_script("return document.getElementById('canvas').toDataURL('image/png')")
        return Image.open(io.BytesIO(base64.b64decode(data.split(",", 1)[1]))).convert("RGB")


# SDL blends translucent pictures with MMX/SSE routines on the desktop's x86 processor and
# with its portable C routines in WebAssembly; the two round differently, so where a few
# translucent layers lie on top of each other a channel may be off by up to 4 of 255.
# Anything else (a picture missing or misplaced, other text) is off by far more.
BLEND_TOLERANCE = 4


class Results:
    def __init__(self, keep):
        self.passed = 0
        self.failed = 0
        self.keep = keep

    def check(self, name, ok, detail=""):
        if ok:
            self.passed += 1
            print(f"ok      {name}")
        else:
            self.failed += 1
            print(f"FAILED  {name} {detail}")

    def same_frame(self, name, page, reference_png):
        shown = page.canvas()
        expected = Image.open(reference_png).convert("RGB")
        diff = ImageChops.difference(shown, expected)
        box = diff.getbbox()
        worst = max(high for _, high in diff.getextrema())
        differing = 0 if box is None else sum(1 for p in diff.crop(box).getdata() if p != (0, 0, 0))
        if differing and self.keep:
            os.makedirs(self.keep, exist_ok=True)
            shown.save(os.path.join(self.keep, f"web-{name}.png"))
            expected.save(os.path.join(self.keep, f"desktop-{name}.png"))
        self.check(f"canvas equals the desktop frame: {name} ({differing} pixels off by 1-{worst})",
                   worst <= BLEND_TOLERANCE, f"in {box}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("game")
    parser.add_argument("--keep", help="folder for the frames of a failed comparison")
    args = parser.parse_args()
    page_folder = os.path.abspath(args.page)
    game = os.path.abspath(args.game)
    results = Results(args.keep)
    work = tempfile.mkdtemp(prefix="ferrolin-web-")
    server = serve(page_folder)
    driver = None
    try:
        shots, desktop_solution, broken, desktop_task = desktop_reference(game, work)
        downloads = os.path.join(work, "downloads")
        os.makedirs(downloads)
        driver = start_browser(os.path.join(work, "profile"), downloads)
        page = Page(driver, f"http://127.0.0.1:{server.server_address[1]}/index.html")
        page.load()
        page.settle(1000)
        results.same_frame("menu", page, f"{shots}/menu.png")
        # Full screen: the canvas grows to the screen, 4:3 between bars, and a click on
        # it lands where the picture shows it.
        driver.find_element("id", "fullscreen").click()
        page.wait_for("return document.fullscreenElement === document.getElementById('stage')", 5)
        time.sleep(0.5)
        rect = driver.execute_script("return document.getElementById('canvas').getBoundingClientRect().toJSON()")
        screen = driver.execute_script("return [window.innerWidth, window.innerHeight]")
        scale = min(screen[0] / 1024, screen[1] / 768)
        results.check("full screen shows the canvas 4:3, centred, as large as fits",
                      abs(rect["width"] - 1024 * scale) <= 1 and abs(rect["height"] - 768 * scale) <= 1
                      and abs(2 * rect["left"] + rect["width"] - screen[0]) <= 2
                      and abs(2 * rect["top"] + rect["height"] - screen[1]) <= 2, f"{rect} in {screen}")
        page.click(rect["left"] + 520 * scale, rect["top"] + 73 * scale)
        page.settle(300)
        results.same_frame("catalogue", page, f"{shots}/catalogue.png")
        driver.execute_script("document.exitFullscreen()")
        page.wait_for("return !document.fullscreenElement", 5)
        time.sleep(0.5)
        page.play(FIRST_TASK)
        page.settle(WIN_MS)
        results.same_frame("first-won", page, f"{shots}/first-won.png")
        page.play(SECOND_TASK)
        page.settle(WIN_MS)
        results.same_frame("second-won", page, f"{shots}/second-won.png")

        page.play(SAVE_SOLUTION)
        page.settle(MESSAGE_MS)
        results.same_frame("saved", page, f"{shots}/saved.png")
        saved = None
        end = time.time() + 10
        while time.time() < end and saved is None:
            done = [n for n in os.listdir(downloads) if n.endswith(".sln")]
            saved = os.path.join(downloads, done[0]) if done else None
            time.sleep(0.1)
        with open(desktop_solution, "rb") as f:
            expected = f.read()
        got = open(saved, "rb").read() if saved else None
        results.check("the downloaded solution has the desktop's bytes", got == expected,
                      f"({len(got) if got else 'no'} bytes, desktop {len(expected)})")

        # A broken file chosen in the picker: a message shows and fades, the task stays.
        page.play(OPEN_SOLUTION)
        page.wait_for("return !!document.getElementById('ferrolin-file').onchange", 10)
        before = page.canvas()
        driver.find_element("id", "ferrolin-file").send_keys(broken)
        time.sleep(0.6)
        results.check("a broken file chosen shows a message", ImageChops.difference(page.canvas(), before).getbbox() is not None)
        page.settle(MESSAGE_MS)
        results.same_frame("broken", page, f"{shots}/broken.png")

        # The solved marks come back from the browser's storage after a reload.
        page.load()
        page.settle(1000)
        page.play(MENU_CATALOGUE)
        results.same_frame("kept", page, f"{shots}/kept.png")

        # «Справка» opens the help page in a tab of its own; the game's tab stays.
        game_tab = driver.current_window_handle
        page.play(OPEN_HELP)
        end = time.time() + 10
        while time.time() < end and len(driver.window_handles) < 2:
            time.sleep(0.1)
        tabs = [h for h in driver.window_handles if h != game_tab]
        help_url = ""
        if tabs:
            driver.switch_to.window(tabs[0])
            help_url = driver.current_url
            driver.close()
            driver.switch_to.window(game_tab)
        results.check("help opens in a new tab", help_url.endswith("/help/index.html"), repr(help_url))

        # The editor saves into the browser's storage; the title was typed in Cyrillic.
        page.play(NEW_TASK)
        page.load()
        kept = page.task_in_storage()
        expected_name = os.path.basename(desktop_task) if desktop_task else None
        results.check("a title typed with Cyrillic keys names the editor's task as on the desktop",
                      kept is not None and kept[0] == expected_name, f"{kept and kept[0]!r}, desktop {expected_name!r}")
        with open(desktop_task, "rb") as f:
            expected_task = f.read()
        results.check("the editor's task is kept after a reload, with the desktop's bytes",
                      kept is not None and bytes(kept[1]) == expected_task)

        # «Выход»: the page says the game is closed instead of a frozen frame, and starts
        # it again on request.
        page.settle(1000)
        page.play([("key", "escape"), ("wait", 400), ("key", "escape"), ("wait", 400)])
        page.click(*page.at(520, 363))
        page.wait_for("return !document.getElementById('closed').hidden", 10)
        if args.keep:
            os.makedirs(args.keep, exist_ok=True)
            driver.save_screenshot(os.path.join(args.keep, "web-closed.png"))
        hidden = driver.execute_script("return getComputedStyle(document.getElementById('canvas')).visibility")
        driver.find_element("id", "again").click()
        page.wait_for("return window.ferrolinPage && window.ferrolinPage.frames > 0", 60)
        results.check("«Выход» shows the closed game's panel, «Играть снова» starts the game",
                      hidden == "hidden" and driver.execute_script("return document.getElementById('closed').hidden"))
        driver.quit()
        driver = None

        # No storage at all: said at once, and the game plays.
        driver = start_browser(os.path.join(work, "profile-none"), downloads, NO_STORAGE)
        page = Page(driver, page.url)
        page.load()
        text = page.notice() or ""
        results.check("a browser without storage is told about at the start", "не даёт игре сохранять" in text, repr(text))
        page.settle(1000)
        results.same_frame("menu-without-storage", page, f"{shots}/menu.png")
        # A finger does what the mouse does: the first task played by touch alone (the
        # notice, which covers the menu's top, put away first).
        driver.find_element("id", "notice-close").click()
        page.play_by_touch(MENU_CATALOGUE + FIRST_TASK)
        page.settle(WIN_MS)
        results.same_frame("first-won-by-touch", page, f"{shots}/first-won.png")
        driver.quit()
        driver = None

        # A full storage: said once when the first solved task cannot be kept, play goes on.
        driver = start_browser(os.path.join(work, "profile-full"), downloads, FULL_STORAGE)
        page = Page(driver, page.url)
        page.load()
        results.check("a storage that works at the start is not complained about", page.notice() is None)
        page.play(MENU_CATALOGUE + FIRST_TASK)
        page.settle(WIN_MS)
        text = page.notice() or ""
        results.check("a full storage is told about", "переполнена" in text, repr(text))
        results.same_frame("first-won-storage-full", page, f"{shots}/first-won.png")
        driver.find_element("id", "notice-close").click()
        page.play(SECOND_TASK)
        page.settle(WIN_MS)
        results.check("a full storage is told about once", page.notice() is None)
        results.same_frame("second-won-storage-full", page, f"{shots}/second-won.png")
    except Exception as error:  # a step that cannot run fails the test, with its reason
        results.check("the page runs the whole tour", False, f"({type(error).__name__}: {error})")
    finally:
        if driver is not None:
            driver.quit()
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)
    print(f"web: {results.passed} passed, {results.failed} failed")
    return 0 if results.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
