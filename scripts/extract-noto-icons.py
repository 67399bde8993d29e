#!/usr/bin/env python3
"""Extracts the Noto Emoji icons the game uses into committed SVG files.

Run by hand when the choice of icons changes (the build never runs it):

    scripts/extract-noto-icons.py [ART_DIR]

It installs the pinned @iconify-json/noto package into a temporary folder with
npm, takes the chosen icons' bodies from its icons.json and writes

  art/units/<name>.svg   the characters: 60x60, the figure scaled to fill the
                         square and standing on its bottom edge, so that all
                         characters line up on a bank and in the boat;
  art/ui/noto/<name>.svg plain icons that our own pictures place inside them.

Needs npm, rsvg-convert and ImageMagick (to measure each figure's extent).
"""
import json
import os
import re
import subprocess
import sys
import tempfile

NOTO_PACKAGE = "@iconify-json/noto"
NOTO_VERSION = "1.2.9"

# A part is (icon, x, y, scale) in the icon's own 128-unit space. Characters that
# Noto lacks are made from two Noto icons; the notes go into art/CREDITS.md.
UNITS = {
    "farmer": [("farmer", 0, 0, 1)],
    "wolf": [("wolf", 0, 0, 1)],
    "goat": [("goat", 0, 0, 1)],
    "cabbage": [("leafy-green", 0, 0, 1)],
    "man": [("man", 0, 0, 1)],
    "woman": [("woman", 0, 0, 1)],
    "boy": [("boy", 0, 0, 1)],
    "girl": [("girl", 0, 0, 1)],
    "oldman": [("old-man", 0, 0, 1)],
    "oldwoman": [("old-woman", 0, 0, 1)],
    "guard": [("guard", 0, 0, 1)],
    "prince": [("prince", 0, 0, 1)],
    "princess": [("princess", 0, 0, 1)],
    "mage": [("man-mage", 0, 0, 1)],
    "troll": [("troll", 0, 0, 1)],
    "lion": [("lion", 0, 0, 1)],
    "monkey": [("monkey", 0, 0, 1)],
    "dog": [("dog", 0, 0, 1)],
    "cat": [("cat", 0, 0, 1)],
    "mouse": [("mouse", 0, 0, 1)],
    "rabbit": [("rabbit", 0, 0, 1)],
    "bear": [("bear", 0, 0, 1)],
    "carrot": [("carrot", 0, 0, 1)],
    "monk": [("person-in-lotus-position", 0, 0, 1)],
    "hunter": [("bow-and-arrow", 52, 34, 0.7), ("person", -6, 6, 0.94)],
    "knight": [("man-blond-hair", 0, 0, 1), ("shield", 62, 52, 0.58)],
    "king": [("man-beard", 8, 30, 0.875), ("crown", 30, 0, 0.55)],
    "queen": [("woman-blond-hair", 8, 30, 0.875), ("crown", 30, 0, 0.55)],
    "fox": [("fox", 0, 0, 1)],
    "chicken": [("rooster", 0, 0, 1)],
    "grain": [("sheaf-of-rice", 0, 0, 1)],
    "sheep": [("ewe", 0, 0, 1)],
}

# Icons placed inside our own pictures (menu rows, winner banner, the rower).
UI_ICONS = [
    "clipboard", "memo", "floppy-disk", "open-file-folder", "red-question-mark",
    "door", "trophy", "party-popper", "glowing-star", "sparkles", "man-red-hair",
    "light-bulb",
]

UNIT_SIZE = 60
UNIT_MARGIN = 1  # free pixels at the top and sides; the figure stands on the last row


def install_package(folder):
    subprocess.run(
        ["npm", "install", "--no-save", "--ignore-scripts", "--no-audit", "--no-fund",
         "--prefix", folder, f"{NOTO_PACKAGE}@{NOTO_VERSION}"],
        check=True, stdout=subprocess.DEVNULL)
    path = os.path.join(folder, "node_modules", NOTO_PACKAGE, "icons.json")
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def icon_body(icons, name):
    """The icon's SVG body in a 128x128 space, following aliases."""
    transforms = []
    while name not in icons["icons"]:
        alias = icons.get("aliases", {}).get(name)
        if alias is None:
            raise SystemExit(f"no icon named {name} in {NOTO_PACKAGE}@{NOTO_VERSION}")
        if alias.get("hFlip"):
            transforms.append("translate(128 0) scale(-1 1)")
        name = alias["parent"]
    icon = icons["icons"][name]
    width = icon.get("width", icons.get("width", 16))
    height = icon.get("height", icons.get("height", 16))
    if (width, height) != (128, 128) or icon.get("left", 0) or icon.get("top", 0):
        raise SystemExit(f"{name}: unexpected icon box {width}x{height}")
    body = icon["body"]
    for t in transforms:
        body = f'<g transform="{t}">{body}</g>'
    return body


def prefixed_ids(body, prefix):
    """Keeps gradient ids unique when two icons share one file."""
    ids = set(re.findall(r'\bid="([^"]+)"', body))
    for old in sorted(ids, key=len, reverse=True):
        new = prefix + old
        body = body.replace(f'id="{old}"', f'id="{new}"')
        body = body.replace(f"url(#{old})", f"url(#{new})")
        body = body.replace(f'href="#{old}"', f'href="#{new}"')
    return body


def compose(icons, parts):
    groups = []
    for i, (name, x, y, scale) in enumerate(parts):
        body = icon_body(icons, name)
        if len(parts) > 1:
            body = prefixed_ids(body, f"p{i}")
        groups.append(f'<g transform="translate({x} {y}) scale({scale})">{body}</g>')
    return "".join(groups)


def measure(content, workdir):
    """Extent of the drawn pixels, in 128-unit space: (left, top, right, bottom)."""
    svg = os.path.join(workdir, "measure.svg")
    png = os.path.join(workdir, "measure.png")
    with open(svg, "w", encoding="utf-8") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="512" height="512" '
                f'viewBox="0 0 128 128">{content}</svg>')
    subprocess.run(["rsvg-convert", svg, "-o", png], check=True)
    out = subprocess.run(["convert", png, "-alpha", "extract", "-threshold", "8%",
                          "-format", "%@", "info:"],
                         check=True, capture_output=True, text=True).stdout
    m = re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", out.strip())
    if not m:
        raise SystemExit(f"cannot measure: {out!r}")
    w, h, x, y = (int(v) / 4 for v in m.groups())
    return x, y, x + w, y + h


def unit_svg(icons, unit, parts, workdir):
    content = compose(icons, parts)
    left, top, right, bottom = measure(content, workdir)
    room = UNIT_SIZE - 2 * UNIT_MARGIN
    scale = min(room / (right - left), (UNIT_SIZE - UNIT_MARGIN) / (bottom - top))
    tx = UNIT_SIZE / 2 - scale * (left + right) / 2
    ty = UNIT_SIZE - scale * bottom
    source = " + ".join(name for name, *_ in parts)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{UNIT_SIZE}" height="{UNIT_SIZE}" '
            f'viewBox="0 0 {UNIT_SIZE} {UNIT_SIZE}">\n'
            f'<!-- {unit}: Noto Emoji "{source}" ({NOTO_PACKAGE}@{NOTO_VERSION}, Apache-2.0), '
            f'scaled to stand on the bottom edge -->\n'
            f'<g transform="translate({tx:.3f} {ty:.3f}) scale({scale:.5f})">{content}</g>\n'
            f'</svg>\n')


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    art = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "art")
    units_dir = os.path.join(art, "units")
    ui_dir = os.path.join(art, "ui", "noto")
    os.makedirs(units_dir, exist_ok=True)
    os.makedirs(ui_dir, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="noto-") as tmp:
        icons = install_package(tmp)
        for unit, parts in UNITS.items():
            with open(os.path.join(units_dir, unit + ".svg"), "w", encoding="utf-8") as f:
                f.write(unit_svg(icons, unit, parts, tmp))
        for name in UI_ICONS:
            with open(os.path.join(ui_dir, name + ".svg"), "w", encoding="utf-8") as f:
                f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" '
                        f'viewBox="0 0 128 128">\n<!-- Noto Emoji "{name}" '
                        f'({NOTO_PACKAGE}@{NOTO_VERSION}, Apache-2.0) -->\n'
                        f'{icon_body(icons, name)}\n</svg>\n')
    print(f"{len(UNITS)} characters and {len(UI_ICONS)} icons from "
          f"{NOTO_PACKAGE}@{NOTO_VERSION} written under {art}")


if __name__ == "__main__":
    main()
