"""What a case row is made of, and the pieces rows share: markers for built files, messages, images."""
import struct


class Case:
    """One launch: the application directory, registry and command line, and what must be observed."""
    def __init__(self, name, **fields):
        self.name, self.table = name, ''
        self.exe, self.ini, self.runtime, self.files, self.reg = 'App.exe', MINIMAL, 'private', {}, []
        self.args, self.line, self.cwd, self.env, self.cp, self.arches = '', None, None, {}, 1252, ('x64',)
        self.timeout, self.cover, self.stdout, self.deep, self.skip = 60000, False, None, False, None
        self.box = self.exit = self.options = self.main = self.args_seen = self.splash = self.check = None
        self.log, self.before_box, self.absent = [], [], []
        for key, value in fields.items():
            if not hasattr(self, key):
                raise TypeError(f'{name}: unknown field {key}')
            setattr(self, key, value)


class Built:
    """A file copied into the application directory: one the build made, or one of ../shared beside the project."""
    def __init__(self, path, shared=False): self.path, self.shared = path, shared


STANDIN, STANDIN_NO_CREATE, STANDIN_NO_DEFAULT_ARGS = (Built('tests/standin/' + name) for name in
                                                       ('jvm.dll', 'jvm_nocreate.dll', 'jvm_nodefault.dll'))
DIR = object()
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
    """Pixels as rows of (r, g, b), and their encodings."""
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


def gradient(x, y): return (x * 7 % 256, y * 13 % 256, (x + y) % 256)
def tiles(x, y): return ((255, 0, 0), (0, 128, 255), (255, 255, 0), (0, 0, 0))[(x // 4 + y // 4) % 4]
