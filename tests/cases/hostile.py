"""Input a hostile or careless user can give: every launch ends, with the one outcome its rule names."""
from cases import *


def longest(program):
    """Words filling the command line to 32,766 characters, the most it holds with its terminating NUL."""
    room = 32766 - len(program) - 1
    words = ['%c' % (97 + i % 26) * 99 for i in range(room // 100)]
    return ' '.join(words + ['z' * (room - 100 * len(words))])

GOOD = Image(5, 3, gradient).bmp()
ART = Image(24, 16, tiles)
PNG, JPEG, GIF = ART.png(), ART.jpeg(), ART.gif()
JPEG_SIZE, JPEG_TABLE = JPEG.index(b'\xff\xc0') + 5, JPEG.index(b'\xff\xc4') + 5  # height and width; code counts
GIF_IMAGE = 13 + 3 * 2 ** ((GIF[10] & 7) + 1)  # the image descriptor, after the header and the colour table


def patched(offset, data, base=GOOD):
    return base[:offset] + data + base[offset + len(data):]


def no_splash(name, splash_name, files=None, **fields):
    return Case(f'splash image {name}', ini=ini(('Display', f'Splash Screen={splash_name}')), files=files or {},
                box=CLASS_PATH_MISSING, splash=False, timeout=20000, **fields)


CASES = [
    Case('the longest command line arrives whole', args=longest, arches=EVERY),
    *[no_splash(name, 'splash.bmp', {'splash.bmp': data}) for name, data in (
        ('one byte short', GOOD[:-1]), ('not BM', b'P' + GOOD[1:]), ('odd depth', patched(28, b'\xff\xff')),
        ('negative width', patched(18, (-5).to_bytes(4, 'little', signed=True))),
        ('huge dimensions', patched(18, (0x7FFFFFFF).to_bytes(4, 'little') + (0x80000000).to_bytes(4, 'little'))),
        ('100,000 x 100,000, a size past 32 bits', patched(18, (100000).to_bytes(4, 'little') * 2)),
        ('pixels said to start inside the headers', patched(10, (40).to_bytes(4, 'little'))))],
    # Damaged JPEG scan data decodes to noise, as decoders are made to; a damaged coding table is refused.
    *[no_splash(f'{kind} {name}', 'splash.img', {'splash.img': data})
      for kind, good, damage in (('PNG', PNG, (45, bytes(range(7, 250, 31)))), ('JPEG', JPEG, (JPEG_TABLE, b'\xff\xff')),
                                 ('GIF', GIF, (GIF_IMAGE + 12, bytes(range(7, 250, 31)))))
      for name, data in (('cut in half', good[:len(good) // 2]), ('without its last two bytes', good[:-2]),
                         ('damaged', patched(*damage, good)))],
    *[no_splash(name, 'splash.img', {'splash.img': data}, arches=EVERY) for name, data in (
        ('PNG just over 256 MiB once decoded', encode(PIL.Image.new('L', (8193, 8192)), 'PNG')),
        ('JPEG claiming 60000 x 60000', patched(JPEG_SIZE, (60000).to_bytes(2, 'big') * 2, JPEG)),
        ('GIF claiming 65535 x 65535', patched(GIF_IMAGE + 5, b'\xff' * 4, patched(6, b'\xff' * 4, GIF))))],
    no_splash('missing', 'splash.bmp'), no_splash('a directory', 'splash.bmp', {'splash.bmp\\': DIR}),
    *[no_splash(f'device {device}', device) for device in ('AUX', 'CON', 'NUL')],
]
