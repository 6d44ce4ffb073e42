"""What a case row is made of, and the pieces rows share: markers for built files, messages, images."""
import struct
import zlib


class Case:
    """One launch: the application directory, registry and command line, and what must be observed."""
    def __init__(self, name, **fields):
        defaults = dict(exe='App.exe', ini=MINIMAL, runtime='private', files={}, reg=[], args='', line=None, cwd=None,
                        env={}, cp=1252, arches=('x64',), timeout=60000, cover=False, stdout=None, deep=False, skip=None,
                        box=None, exit=None, options=None, main=None, args_seen=None, splash=None, check=None, log=[],
                        before_box=[], absent=[], launch_log=[])
        if set(fields) - set(defaults):
            raise TypeError(f'{name}: unknown fields {set(fields) - set(defaults)}')
        self.__dict__.update(defaults, name=name, table='', **fields)


class Built:
    """A file copied into the application directory: one the build (or the other architecture's) made, or one
    of ../shared beside the project."""
    def __init__(self, path, shared=False, arch=None): self.path, self.shared, self.arch = path, shared, arch


STANDIN, STANDIN_NO_CREATE, STANDIN_NO_DEFAULT_ARGS = (Built('tests/standin/' + name) for name in
                                                       ('jvm.dll', 'jvm_nocreate.dll', 'jvm_nodefault.dll'))
DIR = object()
BOTH = ('x64', 'x86')  # rows that also run with the 32-bit launcher, where a 32-bit fault would show
MINIMAL = '[Class Path]\r\nClass Path=app.jar\r\n[Java Runtime Environment]\r\nMain Class=com.example.Main\r\n'
CLASS_PATH_MISSING = 'Java Class Path was not specified in INI file.'
MAIN_CLASS_MISSING = 'Main class was not specified in INI file.'
CREATION_REFUSED = 'JNI exception: failed to create the Java VM.\n'
NO_EXPORT = 'Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n'
JRE_KEY = 'Software\\JavaSoft\\Java Runtime Environment'


def not_found(requirement):
    return (f'Java Runtime Environment (JRE) not found. Please download and install JRE ({requirement}) from: \n'
            'https://www.java.com/getjava/download.html')


def no_jvm(directory): return f'Java Virtual Machine (JVM) not found in JRE directory {directory}. Please reinstall JRE.'
def load_failed(library, errno=193): return f'Failed to load Java VM library: {library} (errno = {errno}).\n'
def ini(*sections): return ''.join(f'[{name}]\r\n' + ''.join(f'{line}\r\n' for line in lines) for name, *lines in sections)
def runtimes(*entries): return [(f'{JRE_KEY}\\{subkey}', 'JavaHome', 'sz', home) for subkey, home in entries]


class Image:
    """Pixels as rows of (r, g, b) or, for a PNG with transparency, (r, g, b, alpha), and their encodings."""
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.rows = [[colour(x, y) for x in range(width)] for y in range(height)]

    def bmp(self, bits=24, top_down=False):
        palette = sorted({p for row in self.rows for p in row}) if bits == 8 else []
        index = {p: i for i, p in enumerate(palette)}
        stride = (self.width * bits + 31) // 32 * 4
        data = b''
        for row in (self.rows if top_down else self.rows[::-1]):
            if bits == 8:
                line = bytes(index[p] for p in row)
            else:
                line = b''.join(bytes((b, g, r)) + (b'\xff' if bits == 32 else b'') for r, g, b in row)
            data += line.ljust(stride, b'\0')
        colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
        offset = 54 + len(colours)
        return (b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset)
                + struct.pack('<IiiHHIIiiII', 40, self.width, -self.height if top_down else self.height, 1, bits,
                              0, len(data), 2835, 2835, len(palette), 0) + colours + data)


    def png(self):
        kind = 6 if len(self.rows[0][0]) == 4 else 2
        return png(self.width, self.height, kind, (b''.join(bytes(p) for p in row) for row in self.rows))

    def gif(self):
        """Every pixel a 9-bit code, with a clear code before the table would need wider ones."""
        pixels = [p for row in self.rows for p in row]
        palette = sorted(set(pixels))
        index = {p: i for i, p in enumerate(palette)}
        codes = [c for i, p in enumerate(pixels) for c in ([256] if i % 250 == 0 else []) + [index[p]]] + [257]
        data = sum(c << 9 * i for i, c in enumerate(codes)).to_bytes((9 * len(codes) + 7) // 8, 'little')
        blocks = b''.join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
        return (b'GIF89a' + struct.pack('<HHBBB', self.width, self.height, 0xF7, 0, 0)
                + b''.join(bytes(p) for p in palette).ljust(768, b'\0') + b','
                + struct.pack('<HHHHB', 0, 0, self.width, self.height, 0) + b'\x08' + blocks + b'\0;')

    def jpeg(self):
        """Baseline, quantiser 1, one colour per 8 x 8 block (its top left pixel): only DC coefficients. Greys
        decode exactly."""
        segment = lambda marker, data: bytes([0xFF, marker]) + struct.pack('>H', len(data) + 2) + data
        head = (segment(0xDB, b'\0' + b'\1' * 64) + segment(0xC0, struct.pack('>BHHB', 8, self.height, self.width, 3)
                + b'\1\x11\0\2\x11\0\3\x11\0') + segment(0xC4, bytes([0, 0, 0, 0, 12] + [0] * 12) + bytes(range(12)))
                + segment(0xC4, b'\x10\1' + b'\0' * 16) + segment(0xDA, b'\3\1\0\2\0\3\0\0\x3f\0'))
        bits, previous = '', [0, 0, 0]
        for y in range(0, self.height, 8):
            for x in range(0, self.width, 8):
                r, g, b = self.rows[y][x]
                ycc = (0.299 * r + 0.587 * g + 0.114 * b, 128 - 0.168736 * r - 0.331264 * g + 0.5 * b,
                       128 + 0.5 * r - 0.418688 * g - 0.081312 * b)
                for c in range(3):  # DC difference: 4-bit category, its bits, then end of block (code 0)
                    dc = 8 * (round(ycc[c]) - 128)
                    d, previous[c] = dc - previous[c], dc
                    s = abs(d).bit_length()
                    bits += format(s, '04b') + (format(d if d >= 0 else d + (1 << s) - 1, f'0{s}b') if s else '') + '0'
        bits += '1' * (-len(bits) % 8)
        data = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8)).replace(b'\xff', b'\xff\0')
        return b'\xff\xd8' + head + data + b'\xff\xd9'


def png(width, height, kind, rows):
    """A PNG of 8-bit samples (kind: 0 grey, 2 RGB, 6 RGBA) from its rows, which it need not hold at once."""
    compressor = zlib.compressobj()
    data = b''.join(compressor.compress(b'\0' + row) for row in rows) + compressor.flush()
    chunk = lambda name, body: struct.pack('>I', len(body)) + name + body + struct.pack('>I', zlib.crc32(name + body))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, kind, 0, 0, 0))
            + chunk(b'IDAT', data) + chunk(b'IEND', b''))


def gradient(x, y): return (x * 7 % 256, y * 13 % 256, (x + y) % 256)
def tiles(x, y): return ((255, 0, 0), (0, 128, 255), (255, 255, 0), (0, 0, 0))[(x // 4 + y // 4) % 4]
def greys(x, y): return ((x // 8 * 40 + y // 8 * 90) % 256,) * 3
