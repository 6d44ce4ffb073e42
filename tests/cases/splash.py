"""The splash window: shown centred before the configuration is read, owning every box, gone before the
machine is destroyed. Most rows end at the missing class path, whose box the splash owns."""
import struct
from cases import *

SMALL = Image(20, 10, gradient)


def shown(name, image, bits=24, top_down=False, arches=('x64',)):
    return pictured(name, image.bmp(bits, top_down), image, 'art\\splash.bmp', arches, pixels=not top_down)


def display(*lines, **fields):
    return dict(ini=ini(('Display', *lines)), files={'splash.bmp': SMALL.bmp()}, box=CLASS_PATH_MISSING, **fields)


OTHER = Image(24, 16, tiles)


def badge(x, y):  # an opaque disc in a half-transparent ring, on nothing
    distance = (x - 30) ** 2 + (y - 20) ** 2
    return (200, 30, 30, 255) if distance < 14 ** 2 else (30, 30, 200, 128) if distance < 18 ** 2 else (0, 0, 0, 0)


BADGE = Image(60, 40, badge)


def zero_alpha_v5(bmp):
    """A 32-bit BMP behind a V5 header with an alpha mask, its alpha bytes 0 as many programs leave them."""
    pixels = bytes(byte if i % 4 != 3 else 0 for i, byte in enumerate(bmp[54:]))
    header = (struct.pack('<IiiHHIIiiII', 124, *struct.unpack('<iiHH', bmp[18:30]), 3, len(pixels), 0, 0, 0, 0)
              + struct.pack('<4I', 0xFF0000, 0xFF00, 0xFF, 0xFF000000) + b'sRGB' + bytes(48) + struct.pack('<4I', 4, 0, 0, 0))
    return b'BM' + struct.pack('<IHHI', 138 + len(pixels), 0, 0, 138) + header + pixels


def pictured(name, data, image, file='art\\splash.img', arches=('x64',), **want):
    return Case(name, ini=ini(('Display', f'Splash Screen={file}')), files={file: data}, box=CLASS_PATH_MISSING,
                splash=dict(image=image, **want), arches=arches)


FONTS = ('System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts', 'LogPixels', 'dword')  # HKEY_CURRENT_CONFIG's
def red(x, y): return (200, 40, 40)
def blue(x, y): return (40, 40, 200)
RED, BLUE, DOUBLE = Image(20, 10, red), Image(40, 20, blue), Image(40, 20, tiles)


def at_dpi(name, dpi, files, image, file='art\\splash.img', **want):
    """At a display scale, from the file or one beside it named for a scale, as shown while main runs; centred on the
    area as the launcher sees it at that scale."""
    return Case(f'{name} at {dpi} DPI', ini=ini(('Display', f'Splash Screen={file}')) + MINIMAL, files=files,
                env={'TESTJVM_MAIN_SLEEP_MS': '1000'}, reg=[(*FONTS, dpi)], splash=dict(image=image, **want))


def running(name, env, log, display=(), image=OTHER, **fields):
    return Case(name, ini=ini(('Display', 'Splash Screen=splash.png', *display)) + MINIMAL, files={'splash.png': image.png()},
                env=env, log=['main.splash=visible', *log], **fields)

CASES = [
    shown('24-bit', Image(400, 300, gradient)), shown('8-bit palette, odd width', Image(37, 21, tiles), 8, arches=EVERY),
    shown('32-bit', Image(64, 48, gradient), 32), shown('1 x 1', Image(1, 1, gradient)),
    # Wine's loader turns a top-down file into a black bitmap of the right size: only the window is checked.
    shown('24-bit top-down', Image(64, 48, gradient), top_down=True),
    # Wider or taller than the area: the centring truncates toward zero (x = -3 seven pixels too wide, not -4).
    shown('seven wider than the area', Image(1031, 9, gradient)), shown('taller than the area', Image(11, 790, gradient)),
    Case('owns the runtime-not-found box', ini=ini(('Display', 'Splash Screen=splash.bmp'), ('Class Path', 'Class Path=a.jar'),
                                                   ('Java Runtime Environment', 'Main Class=a.Main', 'Minimum Version=1.4')),
         runtime=None, files={'splash.bmp': SMALL.bmp()}, box=not_found('minimum 1.4'), splash=True),
    *[Case(f'shadow {text!r}', **display('Splash Screen=splash.bmp', *([f'Splash Screen Shadow={text}'] if text is not None else [])),
           splash=dict(shadow=text == 'true')) for text in ('true', 'True', '1', '', None)],
    Case('shadow true: none around a see-through picture, whose window is a box', box=CLASS_PATH_MISSING,
         ini=ini(('Display', 'Splash Screen=badge.png', 'Splash Screen Shadow=true')), files={'badge.png': BADGE.png()},
         splash=dict(layered=True, shadow=False)),
    *[Case(f'switches {args!r}', **display('Splash Screen=splash.bmp'), args=args, splash=shows)
      for args, shows in (('-nosplash', False), ('/nosplash', False), ('first -nosplash last', False),
                          ('-NOSPLASH', True), ('--nosplash', True), ('-nosplash=yes', True))],
    Case('empty bitmap name', **display('Splash Screen=', 'Splash Screen Shadow=true'), splash=False),
    Case('key in another section', ini=ini(('Splash Screen', 'Splash Screen=splash.bmp')), files={'splash.bmp': SMALL.bmp()},
         box=CLASS_PATH_MISSING, splash=False),
    *[Case(f'relative name from {where}', ini=ini(('Display', 'Splash Screen=images\\splash.bmp')), cwd=cwd, box=CLASS_PATH_MISSING,
           files={'images\\splash.bmp': SMALL.bmp(), 'other\\images\\splash.bmp': OTHER.bmp()}, splash=dict(image=image))
      for where, cwd, image in (('the exe\'s directory', '.', SMALL), ('a directory with another bitmap', 'other', OTHER))],
    # Other formats, told apart by their content; the layered window shows the opaque pixels as they are.
    *[pictured(f'{kind} shown at its size, centred', getattr(image, kind)(), image, layered=False, arches=EVERY)
      for kind, image in (('png', Image(41, 23, gradient)), ('jpeg', Image(45, 27, greys)), ('gif', Image(37, 21, tiles)))],
    pictured('a PNG named .bmp', SMALL.png(), SMALL, file='splash.bmp'), pictured('a BMP named .png', SMALL.bmp(), SMALL, file='s.png'),
    pictured('a PNG with transparency', BADGE.png(), BADGE, layered=True, arches=EVERY),
    pictured('a BMP with alpha bytes 0 stays opaque', zero_alpha_v5(Image(40, 30, gradient).bmp(32)), Image(40, 30, gradient),
             layered=False),
    # The picture times the scale; scaled from one colour, every pixel keeps it.
    *[at_dpi(f'{kind} scaled', dpi, {'art\\splash.img': getattr(Image(40, 20, red), kind)()}, Image(40 * dpi // 96, 20 * dpi // 96, red))
      for kind, dpi in (('bmp', 144), ('png', 192))],
    # The file made for the scale nearest the display's; on a tie the larger one; at 100% the configured one.
    at_dpi('@2x taken', 192, {'art\\splash.img': SMALL.png(), 'art\\splash@150pct.img': RED.png(), 'art\\splash@2x.img': DOUBLE.png()},
           DOUBLE),
    at_dpi('@150pct taken', 144, {'art\\splash.img': SMALL.png(), 'art\\splash@150pct.img': OTHER.png(), 'art\\splash@2x.img': BLUE.png()},
           OTHER),
    at_dpi('@2x reduced on a tie', 144, {'art\\splash.img': RED.png(), 'art\\splash@2x.img': BLUE.png()}, Image(30, 15, blue)),
    at_dpi('@2x left', 96, {'art\\splash.img': SMALL.png(), 'art\\splash@2x.img': BLUE.png()}, SMALL),
    at_dpi('a broken @2x passed over', 192, {'art\\splash.img': RED.png(), 'art\\splash@2x.img': BLUE.png()[:40]}, Image(40, 20, red)),
    at_dpi('no extension, a dot in the directory:', 192, {'art.d\\splash': SMALL.png(), 'art.d\\splash@2x': DOUBLE.png()}, DOUBLE,
           file='art.d\\splash'),
    at_dpi('layered scaled', 192, {'art\\splash.img': BADGE.png()}, Image(120, 80, badge), layered=True, pixels=False),
    # Its own thread keeps the splash painted and answering while main runs; it gives way to the application.
    *[running(f'repainted after being covered while main runs ({name})', {'TESTJVM_MAIN_SLEEP_MS': '3000'},
              ['main.splash.end=visible'], image=image, cover=True, splash=dict(image=image, responds=True), arches=EVERY)
      for name, image in (('opaque', OTHER), ('layered', BADGE))],
    running('gone once the application shows a window', {'TESTJVM_MAIN_SHOW_WINDOW': '1'}, ['main.splash.afterwindow=absent']),
    running('gone at the timeout', {'TESTJVM_MAIN_SLEEP_MS': '2500'}, ['main.splash.end=absent'], ['Splash Screen Timeout=1']),
    *[running(f'no timeout from {text!r}: gone when main returns', {'TESTJVM_MAIN_SLEEP_MS': '1500'}, ['main.splash.end=visible'],
              [f'Splash Screen Timeout={text}']) for text in ('0', '', 'soon', '-1', '1.5')],
]
