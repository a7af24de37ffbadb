#!/usr/bin/python3
"""Draws the editor's artwork into this folder: the background, the filmstrips of the
controls and the About picture. Run it after changing anything under artwork/; the
build only uses the images it writes, which are committed.

Needs Debian's python3-pil and fonts-inter (tools/install-deps.sh installs both)."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artwork import controls, scenes  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

# file name -> (drawing, expected pixel size); the resource ids are in QuorvelDelay.rc
IMAGES = {
    "background.png": (scenes.background, (496, 344)),
    "knob.png": (controls.knob_strip, (32, 32 * 91)),
    "switch.png": (controls.switch_strip, (20, 80)),
    "increment.png": (controls.increment_strip, (28, 56)),
    "selector.png": (controls.selector_strip, (700, 40)),
}


def main():
    for name, (draw, size) in IMAGES.items():
        image = draw()
        assert image.size == size, (name, image.size)
        # 8-bit RGBA, not interlaced, and no resolution chunk: GDI+ then draws it pixel for pixel.
        image.save(os.path.join(HERE, name), optimize=True)
    about = scenes.about().convert("RGB")
    assert about.size == (440, 449)
    # The dialog's picture control shows a 32-bit BMP; its fourth byte stays opaque.
    about.convert("RGBA").save(os.path.join(HERE, "about.bmp"))
    # The same picture for the Linux editor, which decodes only PNG.
    about.save(os.path.join(HERE, "about.png"), optimize=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
