"""Palette, type face and a supersampled canvas shared by every image."""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

# One palette: graphite surfaces, light grey lettering, one amber accent.
INK = (12, 13, 16)
DEEP = (22, 24, 28)
SURFACE_TOP = (47, 51, 58)
SURFACE_BOTTOM = (32, 35, 40)
PANEL_TOP = (41, 44, 51)
PANEL_BOTTOM = (33, 36, 42)
RIM = (78, 84, 95)
STEEL_LIGHT = (142, 149, 160)
STEEL_MID = (86, 92, 102)
STEEL_DARK = (44, 47, 54)
TEXT = (214, 219, 227)
TEXT_DIM = (126, 134, 147)
ACCENT = (255, 158, 54)
ACCENT_LIGHT = (255, 205, 140)
ACCENT_DARK = (178, 92, 18)

# One type face, Inter, in a few weights.
FONT_DIR = "/usr/share/fonts/opentype/inter/"


def font(weight, size):
    return ImageFont.truetype(FONT_DIR + "Inter-" + weight + ".otf", size)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(len(a)))


def with_alpha(colour, alpha):
    return tuple(colour[:3]) + (alpha,)


def vertical_gradient(size, top, bottom):
    """An opaque image fading from `top` to `bottom`."""
    width, height = size
    column = Image.new("RGBA", (1, height))
    for y in range(height):
        column.putpixel((0, y), with_alpha(mix(top, bottom, y / max(height - 1, 1)), 255))
    return column.resize(size, Image.Resampling.NEAREST)


def brushed_noise(size, seed, amplitude, zoom=1):
    """Horizontal streaks of grey noise around 128, for a brushed-metal surface of `size`
    logical pixels drawn at `zoom`: the streaks keep their logical width, the grain is
    one device pixel fine."""
    width, height = size
    rng = random.Random(seed)
    narrow = max(width // 12, 1)
    noise = Image.frombytes(
        "L", (narrow, height),
        bytes(128 + rng.randint(-amplitude, amplitude) for _ in range(narrow * height)))
    device = (width * zoom, height * zoom)
    streaks = noise.resize(device, Image.Resampling.BILINEAR)
    grain = Image.frombytes(
        "L", device,
        bytes(128 + rng.randint(-amplitude // 2, amplitude // 2) for _ in range(device[0] * device[1])))
    return ImageChops.add(streaks, grain, scale=1.0, offset=-128)


def apply_texture(image, noise):
    """Lightens and darkens an opaque image by a noise image centred on 128."""
    rgb = image.convert("RGB")
    light = ImageChops.subtract(noise, Image.new("L", noise.size, 128))
    dark = ImageChops.subtract(Image.new("L", noise.size, 128), noise)
    rgb = ImageChops.add(rgb, Image.merge("RGB", (light,) * 3))
    rgb = ImageChops.subtract(rgb, Image.merge("RGB", (dark,) * 3))
    result = rgb.convert("RGBA")
    result.putalpha(image.getchannel("A"))
    return result


class Canvas:
    """An RGBA drawing surface of `size` logical pixels for an image drawn at `zoom` (1, or
    2 for high-DPI screens), rendered at `scale` times the image's size and reduced at
    the end, which anti-aliases every shape. Coordinates are given in logical pixels."""

    def __init__(self, size, scale=8, background=(0, 0, 0, 0), zoom=1):
        self.size = (size[0] * zoom, size[1] * zoom)
        self.scale = scale * zoom  # canvas pixels per logical pixel
        self.image = Image.new("RGBA", (self.size[0] * scale, self.size[1] * scale), background)

    def _box(self, box):
        return [round(v * self.scale) for v in box]

    def _mask(self):
        return Image.new("L", self.image.size, 0)

    def paint(self, mask, fill, blur=0.0):
        """Composites `fill` (a colour or an image of the canvas's size) through `mask`."""
        if blur:
            mask = mask.filter(ImageFilter.GaussianBlur(blur * self.scale))
        if isinstance(fill, Image.Image):
            layer = fill.copy()
        else:
            layer = Image.new("RGBA", self.image.size, with_alpha(fill, 255))
            if len(fill) == 4:
                mask = ImageChops.multiply(mask, Image.new("L", mask.size, fill[3]))
        alpha = ImageChops.multiply(layer.getchannel("A"), mask)
        layer.putalpha(alpha)
        self.image.alpha_composite(layer)

    def gradient(self, box, top, bottom):
        """A vertical gradient from `top` at the box's top edge to `bottom` at its bottom
        edge (flat beyond them), as a fill image for paint()."""
        _, upper, _, lower = self._box(box)
        column = Image.new("RGBA", (1, self.image.size[1]))
        for y in range(self.image.size[1]):
            t = min(max((y - upper) / max(lower - upper, 1), 0.0), 1.0)
            column.putpixel((0, y), with_alpha(mix(top, bottom, t), 255))
        return column.resize(self.image.size, Image.Resampling.NEAREST)

    def ellipse_mask(self, box):
        mask = self._mask()
        ImageDraw.Draw(mask).ellipse(self._box(box), fill=255)
        return mask

    def rounded_mask(self, box, radius):
        mask = self._mask()
        ImageDraw.Draw(mask).rounded_rectangle(self._box(box), radius=round(radius * self.scale), fill=255)
        return mask

    def ring_mask(self, box, radius, width):
        mask = self._mask()
        ImageDraw.Draw(mask).rounded_rectangle(self._box(box), radius=round(radius * self.scale), outline=255,
                                              width=max(round(width * self.scale), 1))
        return mask

    def arc_mask(self, centre, radius, start, end, width):
        """A stroke of `width` centred on a circle of `radius`, between two clock angles in
        degrees (0 = 12 o'clock, clockwise), with round ends."""
        mask = self._mask()
        draw = ImageDraw.Draw(mask)
        cx, cy = centre
        outer = radius + width / 2
        draw.arc(self._box((cx - outer, cy - outer, cx + outer, cy + outer)), start - 90, end - 90, fill=255,
                 width=round(width * self.scale))
        r = width / 2
        for x, y in (clock_point(centre, radius, start), clock_point(centre, radius, end)):
            draw.ellipse(self._box((x - r, y - r, x + r, y + r)), fill=255)
        return mask

    def line_mask(self, start, end, width):
        mask = self._mask()
        draw = ImageDraw.Draw(mask)
        draw.line(self._box(start + end), fill=255, width=round(width * self.scale))
        r = width / 2
        for x, y in (start, end):
            draw.ellipse(self._box((x - r, y - r, x + r, y + r)), fill=255)
        return mask

    def polygon_mask(self, points):
        mask = self._mask()
        ImageDraw.Draw(mask).polygon([round(v * self.scale) for p in points for v in p], fill=255)
        return mask

    def result(self):
        """The canvas reduced to its final size, with alpha kept straight."""
        premultiplied = self.image.convert("RGBa")
        return premultiplied.resize(self.size, Image.Resampling.BOX).convert("RGBA")


def clock_point(centre, radius, angle):
    """The point at `radius` from `centre` in the direction of a clock angle in degrees."""
    return (centre[0] + radius * math.sin(math.radians(angle)), centre[1] - radius * math.cos(math.radians(angle)))


def tracked_width(text, face, tracking):
    return sum(face.getlength(ch) for ch in text) + tracking * (len(text) - 1)


def draw_text(image, position, text, face, colour, tracking=0.0, anchor="l", zoom=1):
    """Draws text at its natural hinted size (crisp at every zoom), letter-spaced by
    `tracking` pixels. `position` is the baseline point; anchor l, m or r. The position,
    the tracking and the face's size are logical; the image is drawn at `zoom`."""
    if zoom != 1:
        face = face.font_variant(size=face.size * zoom)
    x, y = position[0] * zoom, position[1] * zoom
    tracking *= zoom
    width = tracked_width(text, face, tracking)
    if anchor == "m":
        x -= width / 2
    elif anchor == "r":
        x -= width
    layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    if tracking == 0.0:
        draw.text((round(x), y), text, font=face, fill=colour, anchor="ls")
    else:
        for ch in text:
            draw.text((round(x), y), ch, font=face, fill=colour, anchor="ls")
            x += face.getlength(ch) + tracking
    image.alpha_composite(layer)


def engraved_text(image, position, text, face, colour, tracking=0.0, anchor="l", zoom=1):
    """Text with a one-pixel dark shadow below, as if printed on the panel."""
    x, y = position
    draw_text(image, (x, y + 1), text, face, (0, 0, 0, 150), tracking, anchor, zoom)
    draw_text(image, (x, y), text, face, colour, tracking, anchor, zoom)
