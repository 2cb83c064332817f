#!/usr/bin/python3
"""Draws the window icon (a small label printer) as icons/icon.png and
icons/icon.ico.  Run from this directory; the generated files are committed."""
from PIL import Image, ImageDraw


def icon(size):
    im = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    s = size / 64
    d.rounded_rectangle([4 * s, 14 * s, 60 * s, 50 * s], radius=6 * s, fill=(38, 92, 160, 255))
    d.rectangle([14 * s, 4 * s, 50 * s, 18 * s], fill=(235, 235, 235, 255), outline=(60, 60, 60, 255))
    d.rectangle([14 * s, 42 * s, 50 * s, 60 * s], fill=(255, 255, 255, 255), outline=(60, 60, 60, 255))
    for y in (47, 52, 56):
        d.line([18 * s, y * s, 46 * s, y * s], fill=(40, 40, 40, 255), width=max(1, int(s)))
    d.ellipse([50 * s, 22 * s, 55 * s, 27 * s], fill=(90, 220, 90, 255))
    return im


if __name__ == "__main__":
    image = icon(256)
    image.save("icons/icon.png")
    image.save("icons/icon.ico", sizes=[(16, 16), (32, 32), (48, 48), (64, 64), (256, 256)])
