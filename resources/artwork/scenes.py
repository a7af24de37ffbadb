"""The editor's background and the About picture. The background carries the title,
the status field and a label for every control at the editor's control positions."""

from PIL import Image

from .common import (ACCENT, ACCENT_LIGHT, INK, PANEL_BOTTOM, PANEL_TOP, STEEL_DARK, STEEL_LIGHT, SURFACE_BOTTOM,
                     SURFACE_TOP, TEXT, TEXT_DIM, Canvas, apply_texture, brushed_noise, clock_point, draw_text,
                     engraved_text, font, project_version, tracked_width, vertical_gradient)
from .controls import KNOB_SWEEP, knob, knob_angle

SIZE = (496, 344)
TITLE = (30, 32, 296, 70)
STATUS = (305, 34, 145, 25)
# Top-left corners of the controls in the editor, frame sizes 32 x 32 (knob) and
# 20 x 40 (switch); each with its label and the legends of its ends or positions.
KNOBS = [((65, 139), "LEFT", ("0", "1s")), ((123, 139), "RIGHT", ("0", "1s")),
         ((179, 139), "FEEDBACK", ("0", "1")), ((390, 139), "CUTOFF", ("20", "10k")),
         ((390, 241), "MIX", ("DRY", "WET"))]
SWITCHES = [((343, 109), None, ("ON", "OFF")), ((343, 148), None, ("HP", "LP")),
            ((266, 125), "PAN", ("ON", "OFF")), ((79, 229), "SYNC", ("ON", "OFF")),
            ((343, 229), "ENABLE", ("ON", "OFF"))]
SELECTOR_ROWS = [((144, 221), "L"), ((144, 256), "R")]
PANELS = [((30, 94, 304, 202), "DELAY"), ((312, 94, 466, 202), "FILTER"),
          ((30, 208, 304, 312), "TEMPO SYNC"), ((312, 208, 466, 312), "OUTPUT")]
LABEL_BASELINE = {139: 191, 241: 293, 125: 191, 229: 293}
# The footer names the plug-in format; the VST 2.4 name is the background's own, every
# other format's is a patch of the background drawn with its name, laid over this box.
FORMAT_NAMES = {"vst3": "VST3", "clap": "CLAP", "lv2": "LV2"}
FORMAT_BOX = (108, 320, 164, 336)


def surface(size, top, bottom, seed, zoom=1):
    device = (size[0] * zoom, size[1] * zoom)
    return apply_texture(vertical_gradient(device, top, bottom), brushed_noise(size, seed, 5, zoom))


def draw_panel(canvas, box, radius=6):
    left, top, right, bottom = box
    canvas.paint(canvas.rounded_mask((left, top + 1, right, bottom + 1), radius), (255, 255, 255, 16))
    canvas.paint(canvas.rounded_mask(box, radius), (0, 0, 0, 150))
    inner = (left + 1, top + 1, right - 1, bottom - 1)
    canvas.paint(canvas.rounded_mask(inner, radius - 1), canvas.gradient(inner, PANEL_TOP, PANEL_BOTTOM))
    canvas.paint(canvas.rounded_mask((left + 1, top + 1, right - 1, top + 3), 1), (255, 255, 255, 10))


def draw_screw(canvas, centre, angle):
    x, y = centre
    canvas.paint(canvas.ellipse_mask((x - 5, y - 4.2, x + 5, y + 5.8)), (0, 0, 0, 140), blur=0.8)
    canvas.paint(canvas.ellipse_mask((x - 4.5, y - 4.5, x + 4.5, y + 4.5)),
                 canvas.gradient((0, y - 4.5, 10, y + 4.5), STEEL_LIGHT, STEEL_DARK))
    a, b = clock_point(centre, 3.4, angle), clock_point(centre, 3.4, angle + 180)
    canvas.paint(canvas.line_mask(a, b, 1.3), (24, 26, 30))


def draw_knob_scale(canvas, corner):
    centre = (corner[0] + 16, corner[1] + 16)
    start, end = KNOB_SWEEP
    for i in range(11):
        angle = start + (end - start) * i / 10
        inner = 18.2 if i in (0, 5, 10) else 19.0
        colour = TEXT_DIM + (235,) if i in (0, 5, 10) else TEXT_DIM + (150,)
        canvas.paint(canvas.line_mask(clock_point(centre, inner, angle), clock_point(centre, 21.2, angle), 0.9),
                     colour)


def draw_status_field(canvas):
    left, top, width, height = STATUS
    field = (left - 7, top - 4, 466, top + height + 4)
    canvas.paint(canvas.rounded_mask((field[0], field[1] + 1, field[2], field[3] + 1), 4), (255, 255, 255, 22))
    canvas.paint(canvas.rounded_mask(field, 4), INK)
    canvas.paint(canvas.rounded_mask(field, 4), canvas.gradient((0, field[1], 1, field[1] + 8), (0, 0, 0), INK))


def draw_logo(canvas, centre, scale=1.0):
    canvas.paint(canvas.ellipse_mask((centre[0] - 3.2 * scale, centre[1] - 3.2 * scale,
                                      centre[0] + 3.2 * scale, centre[1] + 3.2 * scale)), ACCENT)
    for i, radius in enumerate((7.5, 12.0, 16.5)):
        alpha = (230, 150, 80)[i]
        canvas.paint(canvas.arc_mask(centre, radius * scale, 45, 135, 2.2 * scale), ACCENT + (alpha,))


def draw_title(image, left, baseline, size, zoom=1):
    bold, light = font("Bold", size), font("Light", size)
    engraved_text(image, (left, baseline), "Quorvel", bold, TEXT + (255,), zoom=zoom)
    engraved_text(image, (left + bold.getlength("Quorvel ") , baseline), "Delay", light, ACCENT_LIGHT + (255,),
                  zoom=zoom)
    return bold.getlength("Quorvel ") + light.getlength("Delay")


def draw_header(image, text, box, zoom=1):
    left, top, right, _ = box
    face = font("SemiBold", 8)
    centre = (left + right) / 2
    width = tracked_width(text, face, 1.6)
    engraved_text(image, (centre, top + 13), text, face, TEXT_DIM + (255,), 1.6, "m", zoom)
    line = Image.new("RGBA", image.size, (0, 0, 0, 0))
    for x0, x1 in ((left + 12, centre - width / 2 - 8), (centre + width / 2 + 8, right - 12)):
        for x in range(round(x0 * zoom), round(x1 * zoom)):
            for row in range(zoom):
                line.putpixel((x, (top + 10) * zoom + row), (255, 255, 255, 20))
                line.putpixel((x, (top + 11) * zoom + row), (0, 0, 0, 60))
    image.alpha_composite(line)


def background(zoom=1, format_name="VST 2.4"):
    image = surface(SIZE, SURFACE_TOP, SURFACE_BOTTOM, 113, zoom)
    header = surface((SIZE[0], 84), (35, 38, 44), (26, 28, 33), 114, zoom)
    image.paste(header, (0, 0))
    canvas = Canvas(SIZE, scale=4, zoom=zoom)
    canvas.paint(canvas.rounded_mask((0, 84, SIZE[0], 85), 0), (8, 9, 11, 255))
    canvas.paint(canvas.rounded_mask((0, 85, SIZE[0], 86), 0), (255, 255, 255, 16))
    for box, _ in PANELS:
        draw_panel(canvas, box)
    for corner, _, _ in KNOBS:
        draw_knob_scale(canvas, corner)
    draw_status_field(canvas)
    draw_logo(canvas, (38, 51))
    for centre, angle in (((12, 12), 30), ((484, 12), 75), ((12, 332), 120), ((484, 332), 10)):
        draw_screw(canvas, centre, angle)
    canvas.paint(canvas.ring_mask((0, 0, SIZE[0], SIZE[1]), 0, 1), (0, 0, 0, 255))
    image.alpha_composite(canvas.result())

    draw_title(image, 62, 60, 27, zoom)
    small = font("SemiBold", 7)
    draw_text(image, (466, 22), "QUORVEL SOUND DESIGN", small, TEXT_DIM + (255,), 1.5, "r", zoom)
    for box, text in PANELS:
        draw_header(image, text, box, zoom)
    label, legend = font("SemiBold", 9), font("Medium", 7)
    for (x, y), text, (low, high) in KNOBS:
        centre = (x + 16, y + 16)
        engraved_text(image, (centre[0], LABEL_BASELINE[y]), text, label, TEXT + (255,), 0.9, "m", zoom)
        for end, anchor, side in ((low, "r", -1), (high, "l", 1)):
            draw_text(image, (centre[0] + side * 10, centre[1] + 26), end, legend, TEXT_DIM + (255,), 0.3, anchor,
                      zoom)
    for (x, y), text, (top, bottom) in SWITCHES:
        if text:
            engraved_text(image, (x + 10, LABEL_BASELINE[y]), text, label, TEXT + (255,), 0.9, "m", zoom)
        draw_text(image, (x - 3, y + 14), top, legend, TEXT_DIM + (255,), 0.3, "r", zoom)
        draw_text(image, (x - 3, y + 33), bottom, legend, TEXT_DIM + (255,), 0.3, "r", zoom)
    for (x, y), text in SELECTOR_ROWS:
        engraved_text(image, (x + 150, y + 24), text, label, TEXT_DIM + (255,), 0, "m", zoom)
    footer = font("Medium", 7)
    draw_text(image, (30, 330), "STEREO DELAY  \u00b7  " + format_name, footer, TEXT_DIM + (200,), 1.4, zoom=zoom)
    draw_text(image, (466, 330), "RIGHT-CLICK A CONTROL FOR MIDI LEARN", footer, TEXT_DIM + (200,), 1.4, "r", zoom)
    return image


def format_patch(name, zoom=1):
    """The background's footer box as it is with another format's name."""
    left, top, right, bottom = (edge * zoom for edge in FORMAT_BOX)
    return background(zoom, FORMAT_NAMES[name]).crop((left, top, right, bottom))


def about(zoom=1):
    size = (440, 449)
    image = surface(size, SURFACE_TOP, SURFACE_BOTTOM, 112, zoom)
    canvas = Canvas(size, scale=4, zoom=zoom)
    canvas.paint(canvas.rounded_mask((0, 348, size[0], 349), 0), (8, 9, 11, 255))
    canvas.paint(canvas.rounded_mask((0, 349, size[0], size[1]), 0), (0, 0, 0, 70))
    canvas.paint(canvas.rounded_mask((0, 349, size[0], 350), 0), (255, 255, 255, 14))
    canvas.paint(canvas.ellipse_mask((150, 54, 290, 194)), ACCENT + (40,), blur=14)
    image.alpha_composite(canvas.result())
    big = knob(knob_angle(64), size=112 * zoom)
    image.alpha_composite(big, (164 * zoom, 68 * zoom))

    width = font("Bold", 34).getlength("Quorvel ") + font("Light", 34).getlength("Delay")
    draw_title(image, round((size[0] - width) / 2), 232, 34, zoom)
    tag = font("SemiBold", 9)
    major, minor, _ = project_version()
    draw_text(image, (220, 254), f"STEREO DELAY  \u00b7  VERSION {major}.{minor}", tag, ACCENT + (255,), 2.0, "m",
              zoom)
    draw_text(image, (220, 40), "QUORVEL SOUND DESIGN", font("SemiBold", 8), TEXT_DIM + (255,), 2.2, "m", zoom)
    body = font("Regular", 11)
    lines = ("Two delay lines of up to one second, free or locked to",
             "the host tempo from 1/32 to 1/2 notes, a saturating",
             "feedback path with a low- or high-pass filter,",
             "ping-pong echoes and MIDI learn for every control.")
    for i, line in enumerate(lines):
        draw_text(image, (220, 284 + 16 * i), line, body, TEXT + (230,), 0, "m", zoom)
    draw_text(image, (220, 428), "\u00a9 Quorvel Sound Design. Released under the MIT licence.", font("Regular", 9),
              TEXT_DIM + (255,), 0.2, "m", zoom)
    return image
