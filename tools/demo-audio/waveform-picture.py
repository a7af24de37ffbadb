#!/usr/bin/python3
"""Draws the demo's input and output waveforms into one PNG picture.

usage: waveform-picture.py INPUT.wav OUTPUT.wav PICTURE.png TITLE [TEMPO]

The input is drawn in one lane (its first channel), the output in one lane per
channel, all on the same time axis, with a line on every beat.
"""
import sys
import wave

from PIL import Image, ImageDraw, ImageFont

WIDTH, LANE_HEIGHT, TOP, LEFT, RIGHT, BOTTOM = 1200, 150, 56, 110, 20, 34
BACKGROUND, GRID, TEXT = (24, 27, 33), (52, 58, 68), (220, 224, 230)
COLOURS = [(120, 180, 255), (255, 170, 90), (255, 120, 140)]


def read_channels(path):
    """Every channel of a PCM WAV file as floats from -1 to 1."""
    with wave.open(path, "rb") as file:
        channels, width, frames = file.getnchannels(), file.getsampwidth(), file.getnframes()
        rate = file.getframerate()
        data = file.readframes(frames)
    if width not in (2, 3, 4):
        raise SystemExit(f"{path}: {8 * width}-bit samples are not supported")
    scale = float(1 << (8 * width - 1))
    samples = [[] for _ in range(channels)]
    step = width * channels
    for offset in range(0, len(data) - step + 1, step):
        for c in range(channels):
            start = offset + c * width
            value = int.from_bytes(data[start:start + width], "little", signed=True)
            samples[c].append(value / scale)
    return rate, samples


def font(size):
    for name in ("DejaVuSans.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"):
        try:
            return ImageFont.truetype(name, size)
        except OSError:
            pass
    return ImageFont.load_default()


def draw_lane(draw, samples, seconds, rate, top, colour, label, small):
    plot = WIDTH - LEFT - RIGHT
    middle = top + LANE_HEIGHT // 2
    draw.line([(LEFT, middle), (WIDTH - RIGHT, middle)], fill=GRID)
    draw.text((12, middle - 8), label, fill=TEXT, font=small)
    for x in range(plot):
        first = int(x * seconds * rate / plot)
        last = max(first + 1, int((x + 1) * seconds * rate / plot))
        column = samples[first:last] or [0.0]
        high, low = max(column), min(column)
        half = (LANE_HEIGHT - 10) / 2
        draw.line([(LEFT + x, middle - high * half), (LEFT + x, middle - low * half)], fill=colour)


def main():
    if len(sys.argv) not in (5, 6):
        raise SystemExit(__doc__)
    input_path, output_path, picture, title = sys.argv[1:5]
    tempo = float(sys.argv[5]) if len(sys.argv) == 6 else 120.0
    rate, inputs = read_channels(input_path)
    out_rate, outputs = read_channels(output_path)
    if out_rate != rate:
        raise SystemExit("input and output sample rates differ")
    seconds = max(len(outputs[0]), len(inputs[0])) / rate
    lanes = [(inputs[0], "input")] + [(channel, f"output {name}")
                                      for channel, name in zip(outputs, ("left", "right", "3", "4"))]
    height = TOP + LANE_HEIGHT * len(lanes) + BOTTOM
    image = Image.new("RGB", (WIDTH, height), BACKGROUND)
    draw = ImageDraw.Draw(image)
    small = font(13)
    draw.text((LEFT, 16), title, fill=TEXT, font=font(18))
    plot = WIDTH - LEFT - RIGHT
    beat = 60.0 / tempo
    for n in range(int(seconds / beat) + 1):
        x = LEFT + n * beat / seconds * plot
        draw.line([(x, TOP), (x, height - BOTTOM)], fill=GRID)
        if n % 2 == 0:
            draw.text((x - 8, height - BOTTOM + 8), f"{n * beat:.0f} s" if n % 2 == 0 else "", fill=TEXT, font=small)
    for lane, (samples, label) in enumerate(lanes):
        draw_lane(draw, samples, seconds, rate, TOP + lane * LANE_HEIGHT, COLOURS[min(lane, 2)], label, small)
    image.save(picture, optimize=True)


if __name__ == "__main__":
    main()
