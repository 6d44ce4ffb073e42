"""Input a hostile or careless user can give: every launch ends, with the one outcome its rule names."""
import os
from cases import *



def longest(program):
    """Words filling the command line to 32,766 characters, the most it holds with its terminating NUL."""
    room = 32766 - len(program) - 1
    words = ['%c' % (97 + i % 26) * 99 for i in range(room // 100)]
    return ' '.join(words + ['z' * (room - 100 * len(words))])

GOOD = Image(5, 3, gradient).bmp()


def patched(offset, data, base=GOOD):
    return base[:offset] + data + base[offset + len(data):]


def no_splash(name, splash_name, files=None, skip=None):
    return Case(f'splash image {name}', ini=ini(('Display', f'Splash Screen={splash_name}')), files=files or {},
                box=CLASS_PATH_MISSING, splash=False, timeout=20000, skip=skip)


CASES = [
    Case('the longest command line arrives whole', args=longest),
    *[no_splash(name, 'splash.bmp', {'splash.bmp': data}) for name, data in (
        ('one byte short', GOOD[:-1]), ('headers only', GOOD[:54]), ('not BM', b'P' + GOOD[1:]),
        ('negative width', patched(18, (-5).to_bytes(4, 'little', signed=True))),
        ('huge dimensions', patched(18, (0x7FFFFFFF).to_bytes(4, 'little') + (0x80000000).to_bytes(4, 'little'))),
        ('pixels said to start inside the headers', patched(10, (40).to_bytes(4, 'little'))),
        ('odd depth', patched(28, b'\xff\xff')))],
    no_splash('a directory', 'splash.bmp', {'splash.bmp\\': DIR}),
    *[no_splash(f'device {device}', device) for device in ('AUX', 'CON', 'NUL')],
    no_splash('device COM1', 'COM1', skip=None if os.path.exists('/dev/ttyS0') else 'no /dev/ttyS0 for COM1'),
]
