#!/usr/bin/python3
"""Draws the editor's artwork into this folder: the background, the filmstrips of the
controls and the About picture, each at 1x and 2x. Run it after changing anything under
artwork/; the build only uses the images it writes, which are committed.

Needs Debian's python3-pil and fonts-inter (tools/install-deps.sh installs both)."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import ImageChops  # noqa: E402

from artwork import controls, scenes  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

# Every image is drawn twice from the same code: at its own size for 100 % screens and,
# as "<name>@2x.<ext>", at twice the size with the same frame layout for high-DPI
# screens. The resource ids (QuorvelDelay.rc) are:
#
#   image            1x   2x
#   about.bmp        112        BITMAP (the About dialog template's picture)
#   about@2x.png          212   PNG
#   background.png   113  213   PNG
#   knob.png         114  214   PNG
#   switch.png       115  215   PNG
#   increment.png    116  216   PNG
#   selector.png     117  217   PNG
#   format-vst3.png  118  218   PNG
#   format-clap.png  119  219   PNG
#   format-lv2.png   120  220   PNG
#
# that is, a 2x image's id is its 1x image's id plus 100. The About picture at 2x is
# drawn into the dialog at run time, so a PNG serves (a fifth of the BMP's size). The
# Linux module embeds the PNG files, about.png in place of the BMP. The format pictures
# are the background's footer box (scenes.FORMAT_BOX) naming another format than VST 2.4.
ZOOMS = {1: "", 2: "@2x"}

# file name -> (drawing, pixel size at 1x)
IMAGES = {
    "background.png": (scenes.background, (496, 344)),
    "knob.png": (controls.knob_strip, (32, 32 * 91)),
    "switch.png": (controls.switch_strip, (20, 80)),
    "increment.png": (controls.increment_strip, (28, 56)),
    "selector.png": (controls.selector_strip, (700, 40)),
}
ABOUT_SIZE = (440, 449)


def file_name(name, zoom):
    stem, extension = os.path.splitext(name)
    return stem + ZOOMS[zoom] + extension


def main():
    for zoom in ZOOMS:
        for name, (draw, size) in IMAGES.items():
            image = draw(zoom)
            assert image.size == (size[0] * zoom, size[1] * zoom), (name, zoom, image.size)
            # 8-bit RGBA, not interlaced, and no resolution chunk: GDI+ then draws it pixel for pixel.
            image.save(os.path.join(HERE, file_name(name, zoom)), optimize=True)
        plain = scenes.background(zoom).convert("RGB")
        for name in scenes.FORMAT_NAMES:
            # Laid over the box, a patch must give the whole background drawn with that name.
            named = scenes.background(zoom, scenes.FORMAT_NAMES[name]).convert("RGB")
            changed = ImageChops.difference(plain, named).getbbox()
            box = tuple(edge * zoom for edge in scenes.FORMAT_BOX)
            assert changed[0] >= box[0] and changed[1] >= box[1] and changed[2] <= box[2] and changed[3] <= box[3], \
                (name, zoom, changed)
            patch = scenes.format_patch(name, zoom)
            patch.save(os.path.join(HERE, file_name("format-" + name + ".png", zoom)), optimize=True)
        about = scenes.about(zoom).convert("RGB")
        assert about.size == (ABOUT_SIZE[0] * zoom, ABOUT_SIZE[1] * zoom), (zoom, about.size)
        if zoom == 1:
            # The dialog template's picture control shows a 32-bit BMP; its fourth byte stays opaque.
            about.convert("RGBA").save(os.path.join(HERE, "about.bmp"))
        # The same picture as PNG: the 2x one for the Windows editor, both for the Linux one.
        about.save(os.path.join(HERE, file_name("about.png", zoom)), optimize=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
