"""What users of a shipped application expect of its launcher: JVM options of their own beside the INI file, one
instance at a time, and an executable jar that names its own main class."""
import io, re, zipfile
from cases import *

LOGGED = MINIMAL + 'Virtual Machine Parameters=-Xmx32m "-Dini=a b"\r\n[Diagnostics]\r\nLog File=launch.log\r\n'
PROFILE = {'APPDATA': '%APP%\\appdata'}
SINGLE = MINIMAL + '[Application]\r\nSingle Instance=TRUE\r\n'
WINDOW = {'TESTJVM_MAIN_MINIMISED_WINDOW': '0', 'TESTJVM_MAIN_SLEEP_MS': '3000'}
AGAIN = '"%EXE%" again'


def jar(manifest):
    """A jar whose manifest is stored as written (None: a jar without one)."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, 'w', zipfile.ZIP_STORED) as archive:
        archive.writestr('com/example/Main.class', 'the stand-in knows its classes by name')
        if manifest is not None:
            archive.writestr('META-INF/MANIFEST.MF', f'Manifest-Version: 1.0\r\n{manifest}\r\n')
    return out.getvalue()


def jar_launch(name, content, **fields):
    return Case(name, ini=ini(('Class Path', 'Class Path=lib\\App.JAR;other.jar'), ('Diagnostics', 'Log File=launch.log')),
                files={} if content is None else {'lib\\App.JAR': content}, **fields)


def skipped(name, beside, profile, reasons):
    return Case(name, ini=LOGGED, env=PROFILE, files={'App.vmoptions': beside, **profile},
                options=['-Djava.class.path=app.jar', '-Xmx32m', '-Dini=a b'],
                launch_log=[f'JVM options file %APP%\\{path}: {reason}' for path, reason in reasons])


CASES = [
    Case('options from the INI file, the file beside, the profile\'s, then JDK_JAVA_OPTIONS', ini=LOGGED, arches=EVERY,
         env={**PROFILE, 'JDK_JAVA_OPTIONS': '-Denv=1 "-Denv two=x y"', 'TESTVAR': 'from the environment'},
         files={'App.vmoptions': '\ufeff-Xmx64m \t\r\n# a comment\r\n\r\n  -Dspaced=a b  c\r\n\t# indented\n'
                                 '-Dhome=%EXEDIR%\n-Dvar="%TESTVAR%"\n-Dcafé=naïve\n'.encode(),
                'appdata\\App\\App.vmoptions': b'-Xmx128m\r#-Dnot=this\r-Duser=yes'},
         options=['-Djava.class.path=app.jar', '-Xmx32m', '-Dini=a b', '-Xmx64m', '-Dspaced=a b  c', '-Dhome=%APP%',
                  '-Dvar="from the environment"', '-Dcafé=naïve', '-Xmx128m', '-Duser=yes', '-Denv=1', '-Denv two=x y'],
         launch_log=['JVM options file %APP%\\App.vmoptions: read', 'JVM option from %APP%\\App.vmoptions: -Xmx64m',
                     'JVM option from %APP%\\App.vmoptions: -Dcafé=naïve',
                     'JVM options file %APP%\\appdata\\App\\App.vmoptions: read',
                     'JVM option from %APP%\\appdata\\App\\App.vmoptions: -Duser=yes',
                     'JVM option from JDK_JAVA_OPTIONS: -Denv two=x y', 'JVM option: -Denv two=x y', 'Exit code: 0']),
    # HotSpot takes options in the ANSI code page: an existing path passes by its short form, other text not at all.
    Case('text outside the code page', ini=LOGGED,
         files={'Кириллица': DIR, 'App.vmoptions': '-Xss1m\n-Ddir=Кириллица\n-Dname=Кириллица-нет\n-Dlast=1\n'.encode()},
         log=['option=-Xss1m', re.compile(r'option=-Ddir=[!-~]+'), 'option=-Dlast=1'],
         absent=['option=-Dname=Кириллица-нет'],
         launch_log=['JVM option from %APP%\\App.vmoptions skipped, the ANSI code page lacks its characters: '
                     '-Dname=?????????-???']),
    skipped('a directory and a file not UTF-8 are skipped', DIR, {'appdata\\App\\App.vmoptions': b'-Xmx1g\n-Dbad=\xc3\x28\n'},
            [('App.vmoptions', 'skipped, a directory'), ('appdata\\App\\App.vmoptions', 'skipped, not UTF-8 text')]),
    skipped('a UTF-16 file is skipped, a missing one is none', '\ufeff-Xmx1g\r\n'.encode('utf-16-le'), {},
            [('App.vmoptions', 'skipped, not UTF-8 text'), ('appdata\\App\\App.vmoptions', 'none')]),

    Case('a second start brings the first one\'s window forward, with no JVM of its own', ini=SINGLE, env=WINDOW,
         second=(1000, AGAIN, {}), log=['main.window=in front'], creations=1),
    Case('a second start during the splash waits for the first one\'s window', files={'s.bmp': Image(8, 8, tiles).bmp()},
         ini=SINGLE + '[Display]\r\nSplash Screen=s.bmp\r\n', second=(300, AGAIN, {}), log=['main.window=in front'],
         env={'TESTJVM_MAIN_MINIMISED_WINDOW': '1500', 'TESTJVM_MAIN_SLEEP_MS': '2000'}, creations=1, splash=True),
    Case('a first instance without a window: the second waits, then ends', ini=SINGLE, creations=1,
         env={'TESTJVM_MAIN_SLEEP_MS': '7000'}, second=(300, AGAIN, {})),
    Case('two executables sharing an Instance Name are one application', ini=SINGLE + 'Instance Name=Shared\r\n', env=WINDOW,
         files={'Other\\Other.exe': Built('launcher.exe'), 'Other\\Other.ini': SINGLE + 'Instance Name=Shared\r\n'},
         second=(1000, '"%APP%\\Other\\Other.exe"', {}), log=['main.window=in front'], creations=1),
    Case('without the key a second start runs its own JVM', env={'TESTJVM_MAIN_SLEEP_MS': '1500'}, second=(300, AGAIN, {}),
         creations=2),
    # The second start waits for a window when the first one ends: it takes the claim over.
    *[Case(f'the claim ends with a {how}', ini=SINGLE, env={name: '1', 'TESTJVM_MAIN_SLEEP_MS': '2000'}, exit=code,
           second=(1000, AGAIN, {name: None, 'TESTJVM_MAIN_SLEEP_MS': None}),
           log=['main.argc=0', 'main.class=com/example/Main', 'main.argc=1', 'arg=again', 'main.return'], creations=2)
      for how, name, code in (('crash', 'TESTJVM_MAIN_CRASH', 0xC0000005), ('System.exit', 'TESTJVM_MAIN_EXIT', 1))],

    jar_launch('an executable jar names the main class', jar('Main-Class: com.example.Main'), main='com/example/Main',
               launch_log=['Main class from the manifest of lib\\App.JAR: com/example/Main'], arches=EVERY),
    *[jar_launch(f'a jar {what}', content, box=MAIN_CLASS_MISSING, log=log + ['destroy.end'])
      for what, content, log in (('without Main-Class', jar('Created-By: hand'), []), ('without a manifest', jar(None), []),
                                 ('that is missing', None, ['describe=java.io.FileNotFoundException: no such jar']))],
]
