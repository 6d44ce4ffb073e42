"""What a case row is made of, and the pieces rows share: markers for built files, messages, images."""
import io
import PIL.Image


class Case:
    """One launch: the application directory, registry and command line, and what must be observed. `second` is
    (ms, line, env changes) of another start while it runs (or once it ended, if sooner); `creations` the JVMs made."""
    def __init__(self, name, **fields):
        defaults = dict(exe='App.exe', ini=MINIMAL, runtime='private', files={}, reg=[], args='', line=None, cwd=None,
                        env={}, cp=1252, arches=('x64',), timeout=60000, cover=False, stdout=None, deep=False, skip=None,
                        box=None, exit=None, options=None, main=None, args_seen=None, splash=None, log=[],
                        absent=[], launch_log=[], log_file='launch.log', second=None, creations=None)
        if set(fields) - set(defaults):
            raise TypeError(f'{name}: unknown fields {set(fields) - set(defaults)}')
        self.__dict__.update(defaults, name=name, table='', **fields)


class Built:
    """A file the build made (or another architecture's build), or one of ../shared beside the project."""
    def __init__(self, path, shared=False, arch=None): self.path, self.shared, self.arch = path, shared, arch


STANDIN, STANDIN_NO_CREATE, STANDIN_NO_DEFAULT_ARGS = (Built('tests/standin/' + name) for name in
                                                       ('jvm.dll', 'jvm_nocreate.dll', 'jvm_nodefault.dll'))
DIR = object()
EVERY = ('x64', 'x86', 'arm64')  # rows that also run with the 32-bit and the ARM64 launcher, where their faults show
OTHER = {'x64': 'x86', 'x86': 'x64', 'arm64': 'x64'}  # as a Built file's arch: the build for another machine, per launcher
MINIMAL = '[Class Path]\r\nClass Path=app.jar\r\n[Java Runtime Environment]\r\nMain Class=com.example.Main\r\n'
CLASS_PATH_MISSING = 'Java Class Path was not specified in INI file.'
MAIN_CLASS_MISSING = 'Main class was not specified in INI file.'
CREATION_REFUSED = 'JNI exception: failed to create the Java VM.\n'
NO_EXPORT = 'Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n'
JRE_KEY = 'Software\\JavaSoft\\Java Runtime Environment'
PRIVATE_JVM = '%APP%\\bin\\client\\jvm.dll'  # where a row's private runtime has its VM


def not_found(requirement): return (f'Java Runtime Environment (JRE) not found. Please download and install JRE '
                                    f'({requirement}) from: \nhttps://www.java.com/getjava/download.html')


def no_jvm(directory): return f'Java Virtual Machine (JVM) not found in JRE directory {directory}. Please reinstall JRE.'
def load_failed(library, errno=193): return f'Failed to load Java VM library: {library} (errno = {errno}).\n'
def ini(*sections): return ''.join(f'[{name}]\r\n' + ''.join(f'{line}\r\n' for line in lines) for name, *lines in sections)
def runtimes(*entries): return [(f'{JRE_KEY}\\{subkey}', 'JavaHome', 'sz', home) for subkey, home in entries]


class Image:
    """Pixels as rows of (r, g, b) or, with transparency, (r, g, b, alpha), and the files that hold them."""
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.rows = [[colour(x, y) for x in range(width)] for y in range(height)]

    def encoded(self, kind, mode=None, **options):
        picture = PIL.Image.new('RGBA' if len(self.rows[0][0]) == 4 else 'RGB', (self.width, self.height))
        picture.putdata([p for row in self.rows for p in row])
        return encode(picture.convert(mode, palette=PIL.Image.ADAPTIVE) if mode else picture, kind, **options)

    def bmp(self, bits=24, top_down=False):
        if top_down:  # the rows stored the other way round, as a negative height says
            data = Image(self.width, self.height, lambda x, y: self.rows[self.height - 1 - y][x]).bmp(bits)
            return data[:22] + (-self.height).to_bytes(4, 'little', signed=True) + data[26:]
        return self.encoded('BMP', {8: 'P', 24: 'RGB', 32: 'RGBA'}[bits])

    def png(self): return self.encoded('PNG')
    def gif(self): return self.encoded('GIF')
    def jpeg(self): return self.encoded('JPEG', quality=100, subsampling=0)  # greys in 8 x 8 blocks come back exact


def encode(picture, kind, **options):
    out = io.BytesIO()
    picture.save(out, kind, **options)
    return out.getvalue()


def gradient(x, y): return (x * 7 % 256, y * 13 % 256, (x + y) % 256)
def tiles(x, y): return ((255, 0, 0), (0, 128, 255), (255, 255, 0), (0, 0, 0))[(x // 4 + y // 4) % 4]
def greys(x, y): return ((x // 8 * 40 + y // 8 * 90) % 256,) * 3
