"""The filmstrips of the controls: knob, two-position switch, increment button and
note selector. Every frame keeps the background visible around the control's face."""

from PIL import Image

from .common import (ACCENT, ACCENT_DARK, ACCENT_LIGHT, INK, STEEL_DARK, STEEL_LIGHT, STEEL_MID, TEXT, TEXT_DIM,
                     Canvas, clock_point, draw_text, font)

KNOB_FRAMES = 91
KNOB_SWEEP = (-150.0, 150.0)  # clock angles of the minimum and maximum: about 7 and 5 o'clock
NOTES = ("1/32", "1/16", "1/8", "1/4", "1/2")


def knob_angle(index, frames=KNOB_FRAMES):
    start, end = KNOB_SWEEP
    return start + (end - start) * index / (frames - 1)


def knob(angle, size=32, lit=True):
    """One knob face turned to a clock angle, with its value arc lit up to that angle."""
    u = size / 32.0  # the drawing is designed on a 32-pixel grid
    c = (16 * u, 16 * u)
    canvas = Canvas((size, size), scale=8 if size <= 64 else 4)
    start, end = KNOB_SWEEP

    def disc(radius, dy=0.0):
        return canvas.ellipse_mask((c[0] - radius, c[1] - radius + dy, c[0] + radius, c[1] + radius + dy))

    canvas.paint(canvas.arc_mask(c, 13.9 * u, start, end, 2.3 * u), (8, 9, 11, 235))
    if lit and angle > start + 0.5:
        arc = canvas.arc_mask(c, 13.9 * u, start, angle, 2.3 * u)
        canvas.paint(arc, ACCENT + (110,), blur=0.9 * u)
        canvas.paint(arc, canvas.gradient((0, 0, size, size), ACCENT_LIGHT, ACCENT))
    canvas.paint(disc(11.0 * u, 1.4 * u), (0, 0, 0, 170), blur=1.1 * u)
    canvas.paint(disc(10.6 * u), canvas.gradient((0, c[1] - 10.6 * u, size, c[1] + 10.6 * u), STEEL_LIGHT, STEEL_DARK))
    canvas.paint(disc(9.9 * u), canvas.gradient((0, c[1] - 9.9 * u, size, c[1] + 9.9 * u), (84, 90, 100), (40, 43, 49)))
    canvas.paint(disc(8.3 * u), canvas.gradient((0, c[1] - 8.3 * u, size, c[1] + 8.3 * u), (58, 62, 70), (70, 75, 84)))
    canvas.paint(canvas.arc_mask(c, 8.0 * u, -60, 60, 0.6 * u), (255, 255, 255, 40))
    tip = clock_point(c, 7.4 * u, angle)
    base = clock_point(c, 2.6 * u, angle)
    canvas.paint(canvas.line_mask(base, tip, 1.9 * u), (250, 250, 252))
    return canvas.result()


def knob_strip(zoom=1):
    return vertical_strip([knob(knob_angle(i), size=32 * zoom) for i in range(KNOB_FRAMES)])


def switch(on, zoom=1):
    """A slide switch 20 x 40: the thumb up and its lamp lit when on."""
    canvas = Canvas((20, 40), zoom=zoom)
    canvas.paint(canvas.rounded_mask((4.5, 1.5, 15.5, 38.5), 5.5), (0, 0, 0, 90), blur=0.6)
    canvas.paint(canvas.rounded_mask((5, 2, 15, 38), 5), INK)
    canvas.paint(canvas.rounded_mask((5, 2, 15, 38), 5), canvas.gradient((0, 2, 20, 12), (0, 0, 0), INK))
    canvas.paint(canvas.ring_mask((5, 2, 15, 38), 5, 0.7), (255, 255, 255, 22))
    top = 3.0 if on else 21.0
    thumb = (2.5, top, 17.5, top + 16)
    canvas.paint(canvas.rounded_mask((2.5, top + 1.2, 17.5, top + 17.2), 3.5), (0, 0, 0, 190), blur=1.0)
    canvas.paint(canvas.rounded_mask(thumb, 3.5), canvas.gradient(thumb, STEEL_LIGHT, STEEL_MID))
    canvas.paint(canvas.rounded_mask((3.2, top + 0.7, 16.8, top + 15.3), 3), canvas.gradient(thumb, (112, 119, 130), (66, 71, 80)))
    canvas.paint(canvas.ring_mask(thumb, 3.5, 0.6), (10, 11, 13, 200))
    for y in (top + 3.6, top + 12.4):
        canvas.paint(canvas.line_mask((6, y), (14, y), 0.7), (30, 32, 37, 200))
        canvas.paint(canvas.line_mask((6, y + 0.8), (14, y + 0.8), 0.6), (255, 255, 255, 40))
    lamp = (6.0, top + 6.3, 14.0, top + 9.7)
    if on:
        canvas.paint(canvas.rounded_mask((4.5, top + 5, 15.5, top + 11), 3), ACCENT + (170,), blur=1.2)
        canvas.paint(canvas.rounded_mask(lamp, 1.6), canvas.gradient(lamp, ACCENT_LIGHT, ACCENT))
    else:
        canvas.paint(canvas.rounded_mask(lamp, 1.6), (44, 30, 20))
    canvas.paint(canvas.ring_mask(lamp, 1.6, 0.5), (0, 0, 0, 150))
    return canvas.result()


def vertical_strip(frames):
    width, height = frames[0].size
    strip = Image.new("RGBA", (width, height * len(frames)), (0, 0, 0, 0))
    for i, frame in enumerate(frames):
        strip.paste(frame, (0, height * i))
    return strip


def switch_strip(zoom=1):
    return vertical_strip([switch(False, zoom), switch(True, zoom)])


def increment_button(pressed, zoom=1):
    """A 28 x 28 push button with a chevron pointing at the selector it steps."""
    canvas = Canvas((28, 28), zoom=zoom)
    face = (2.5, 2.5, 25.5, 25.5)
    if not pressed:
        canvas.paint(canvas.rounded_mask((2.5, 3.8, 25.5, 26.8), 4.5), (0, 0, 0, 170), blur=0.9)
    canvas.paint(canvas.rounded_mask(face, 4.5), INK)
    inner = (3.2, 3.2, 24.8, 24.8)
    top, bottom = ((38, 41, 47), (52, 56, 63)) if pressed else ((92, 98, 109), (48, 52, 59))
    canvas.paint(canvas.rounded_mask(inner, 4), canvas.gradient(inner, top, bottom))
    if not pressed:
        canvas.paint(canvas.arc_mask((14, 14), 10.2, -35, 35, 0.5), (255, 255, 255, 30))
    shift = 0.6 if pressed else 0.0
    chevron = [(11.5, 9.2 + shift), (18.2, 14 + shift), (11.5, 18.8 + shift)]
    colour = ACCENT if pressed else TEXT
    if pressed:
        canvas.paint(canvas.polygon_mask(chevron), ACCENT + (150,), blur=1.3)
    canvas.paint(canvas.polygon_mask([(x, y + 0.8) for x, y in chevron]), (0, 0, 0, 120))
    canvas.paint(canvas.polygon_mask(chevron), colour)
    return canvas.result()


def increment_strip(zoom=1):
    return vertical_strip([increment_button(False, zoom), increment_button(True, zoom)])


def selector(selected, zoom=1):
    """The five note values, 140 x 40, in cells of 28 pixels; the selected cell lit.
    The top and bottom 6 rows stay clear: the editor's two selectors overlap there."""
    canvas = Canvas((140, 40), zoom=zoom)
    bar = (0.5, 6.5, 139.5, 33.5)
    canvas.paint(canvas.rounded_mask((0.5, 7.5, 139.5, 34.5), 4), (255, 255, 255, 18))
    canvas.paint(canvas.rounded_mask(bar, 4), INK)
    canvas.paint(canvas.rounded_mask(bar, 4), canvas.gradient((0, 6.5, 140, 16), (0, 0, 0), INK))
    for k in range(1, 5):
        if selected not in (k - 1, k):
            canvas.paint(canvas.line_mask((28 * k, 11), (28 * k, 29), 0.8), (58, 63, 72))
    cell = (28 * selected + 2.2, 8.8, 28 * selected + 25.8, 31.2)
    canvas.paint(canvas.rounded_mask(cell, 3), ACCENT + (140,), blur=1.8)
    canvas.paint(canvas.rounded_mask(cell, 3), canvas.gradient(cell, ACCENT_LIGHT, ACCENT))
    canvas.paint(canvas.ring_mask(cell, 3, 0.6), ACCENT_DARK + (200,))
    image = canvas.result()
    face = font("SemiBold", 10)
    for k, note in enumerate(NOTES):
        colour = (48, 26, 6, 255) if k == selected else TEXT_DIM + (255,)
        draw_text(image, (28 * k + 14, 24), note, face, colour, anchor="m", zoom=zoom)
    return image


def selector_strip(zoom=1):
    strip = Image.new("RGBA", (140 * zoom * len(NOTES), 40 * zoom), (0, 0, 0, 0))
    for k in range(len(NOTES)):
        strip.paste(selector(k, zoom), (140 * zoom * k, 0))
    return strip
