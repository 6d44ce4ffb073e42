"""The configuration file: found by the executable's own name, read whole, and the values reaching the VM."""
from cases import *

RUNTIME = 'Java Runtime Environment'
LONG_PARAMETERS = ['-Dkey%d=value' % i for i in range(700)]


def sized(length, quote):
    """A class path and parameters of about this length, read through the INI reader's growing buffer."""
    path, words = ''.join('lib\\part%d.jar;' % i for i in range(length // 10 + 1))[:length], LONG_PARAMETERS[:length // 16 + 1]
    return Case(f'{length} characters{" quoted" if quote else ""}', options=['-Djava.class.path=' + path] + words,
                main='com/example/Main', ini=ini(('CLASS PATH', f'class path={quote}{path}{quote}'), (
                    'java runtime environment', "MAIN class='com.example.Main'", 'Virtual Machine PARAMETERS=' + ' '.join(words))))


SHAPES = ['-Djava.class.path=lib\\app.jar', '-Xmx32m']
SHAPED = '[Class Path]\nClass Path=lib\\app.jar\n[Java Runtime Environment]\nMain Class=com.example.Main\n' \
         'Virtual Machine Parameters=-Xmx32m\n'
GARBAGE = bytes(0 if (i * 7919 + 13) % 251 == ord('[') else (i * 7919 + 13) % 251 for i in range(4096))
HUGE_PATH = ''.join('lib\\library-%d.jar;' % i for i in range(230000))[:4 * 1024 * 1024]

CASES = [
    Case('no configuration file', ini=None, box=CLASS_PATH_MISSING),
    Case('class path in the runtime section', ini=ini((RUNTIME, 'Class Path=app.jar', 'Main Class=app.Main')),
         box=CLASS_PATH_MISSING),
    Case('no main class, no jar first in the class path', ini=ini(('Class Path', 'Class Path=classes;app.jar'),
                                                                 (RUNTIME, 'Minimum Version=1.4')),
         box=MAIN_CLASS_MISSING, absent=['create.result=0']),
    Case('a renamed copy reads the file of its own name', exe='Other.exe', files={'App.ini': MINIMAL},
         ini=ini(('Class Path', 'Class Path=other.jar')), box=MAIN_CLASS_MISSING),
    Case('an exe path without a dot ends silently', exe='NoDot', exit=0xFFFFFFFF),
    Case('the last dot names the file', exe='My.Cool.App.exe', options=['-Djava.class.path=app.jar']),
    *[sized(length, '') for length in (255, 256, 511)], *[sized(length, '"') for length in (254, 255, 511, 1023, 300, 5000)],
    Case('UTF-16 with BOM', ini=b'\xff\xfe' + SHAPED.replace('\n', '\r\n').encode('utf-16-le'), options=SHAPES, arches=EVERY),
    Case('LF line ends, lines without = and comments ignored, of repeated sections and keys the first counts', options=SHAPES,
         ini=SHAPED.replace('Path]\n', 'Path]\njust words\n;a comment\n') + '[Class Path]\nClass Path=second.jar\n'
         '[Java Runtime Environment]\nVirtual Machine Parameters=-Xmx1g\n'),
    *[Case(f'garbage {i}', ini=bytes_, box=CLASS_PATH_MISSING)
      for i, bytes_ in enumerate((GARBAGE, b'\0\0\0\0', b'\xfe\xff\x00['))],
    Case('a four mebibyte class path arrives whole', ini=ini(('Class Path', 'Class Path=' + HUGE_PATH),
                                                              (RUNTIME, 'Main Class=com.example.Main')),
         options=['-Djava.class.path=' + HUGE_PATH], arches=EVERY),
    Case('placeholders, split first', exe='My App/App.exe', env={'TESTVAR': 'a value'},
         ini=ini(('Class Path', 'Class Path=%EXEDIR%\\a.jar;%ExeFile%;%NOT_DEFINED%;%testvar%;50%;%%'),
                 (RUNTIME, 'Main Class=com.example.Main', 'Virtual Machine Parameters=-Dhome=%EXEDIR% "-Dx=%TESTVAR%"')),
         options=['-Djava.class.path=%APP%\\My App\\a.jar;%APP%\\My App\\App.exe;%NOT_DEFINED%;a value;50%;%%',
                  '-Dhome=%APP%\\My App', '-Dx=a value']),
    Case('a long expansion', env={'LONG': 'x' * 5000}, ini=MINIMAL.replace('app.jar', '%LONG%;%LONG%'),
         options=['-Djava.class.path=' + 'x' * 5000 + ';' + 'x' * 5000]),
    Case('splash and log paths expand', cwd='elsewhere', env={'NAME': 'launch', 'APPDATA': '%APP%\\Łukasz'},
         files={'elsewhere': DIR, 'Łukasz': DIR, 'splash.bmp': Image(8, 8, tiles).bmp()}, log_file='Łukasz/launch.log',
         ini=ini(('Display', 'Splash Screen=%EXEDIR%\\splash.bmp'), ('Diagnostics', 'Log File=%APPDATA%\\%NAME%.log')),
         box=CLASS_PATH_MISSING, splash=True, launch_log=['Error box: ' + CLASS_PATH_MISSING]),
    # The stand-in opens its relative log name in the current directory: found beside the exe only if it moved there.
    # %APPDATA% outside the code page reaches the launcher whole, by its short form.
    *[Case(f'working directory {value}', cwd='elsewhere', files={'elsewhere': DIR, 'data': DIR, 'Łukasz': DIR}, log=['main.return'],
           env={'TESTJVM_LOG': log, 'APPDATA': '%APP%\\Łukasz'}, ini=MINIMAL + f'Working Directory={value}\r\n')
      for value, log in (('%EXEDIR%', 'jvm.log'), ('data', '..\\jvm.log'), ('%APPDATA%', '..\\jvm.log'))],
    Case('a missing working directory', ini=MINIMAL + 'Working Directory=nowhere\r\n',
         box='Cannot change to the working directory %APP%\\nowhere (errno = 2).\n'),
    Case('a deep directory and a long exe name', deep=True, args='first', args_seen=['first'],
         exe='d/' + 'a-rather-long-directory-name/' * 11 + 'LongApplicationName.exe', options=['-Djava.class.path=app.jar']),
]
