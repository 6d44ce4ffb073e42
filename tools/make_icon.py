#!/usr/bin/python3
"""Usage: make_icon.py [OUT [R,G,B SIZE...]]. Draws the launcher's own icon (a white J on a blue square) at every size
Windows asks an executable for, each drawn at four times its size and reduced so that edges are smooth, and writes
res/launcher.ico; or the same in another colour and sizes to OUT (the example application's icon)."""
import os, sys
import PIL.Image, PIL.ImageDraw

SIZES = (16, 24, 32, 48, 64, 256)
BLUE, WHITE = (18, 92, 196, 255), (255, 255, 255, 255)


def draw(size, colour):
    big = size * 4
    unit = big / 32  # the shapes are laid out on a 32 x 32 grid
    box = lambda *corners: [round(c * unit) for c in corners]
    picture = PIL.Image.new('RGBA', (big, big), (0, 0, 0, 0))
    pen = PIL.ImageDraw.Draw(picture)
    pen.rounded_rectangle(box(4, 4, 28, 28), radius=round(2 * unit), fill=colour)
    pen.rectangle(box(10, 8, 22, 11), fill=WHITE)   # the J's top bar
    pen.rectangle(box(15, 8, 19, 24), fill=WHITE)   # its stem
    pen.rectangle(box(8, 20, 19, 24), fill=WHITE)   # its foot
    return picture.resize((size, size), PIL.Image.LANCZOS)


out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res', 'launcher.ico')
colour = tuple(map(int, sys.argv[2].split(','))) + (255,) if len(sys.argv) > 2 else BLUE
sizes = sorted(map(int, sys.argv[3:])) or SIZES
# PNG entries at every size: Windows Vista and later read them, and they keep the image small.
draw(sizes[-1], colour).save(out, 'ICO', sizes=[(s, s) for s in sizes], append_images=[draw(s, colour) for s in sizes[:-1]])
with open(out, 'r+b') as icon:  # Pillow leaves each entry's plane count 0; Windows' own icons say 1
    for entry in range(len(sizes)):
        icon.seek(6 + 16 * entry + 4)
        icon.write(b'\1\0')
