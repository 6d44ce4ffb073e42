"""Loading jvm.dll, creating the machine and running main, through the stand-in as the private runtime's VM."""
from cases import *

INI = ini(('Class Path', 'Class Path=C:\\My App\\lib\\app.jar;lib\\café.jar'),
          ('Java Runtime Environment', 'Main Class=com.example.Main', 'Minimum Version=any', 'Maximum Version=any',
           'Virtual Machine Parameters=-Xmx64m "-Dapp.home=C:\\My App"'))
MANY = ['argument%d' % i for i in range(40)]
NO_MAIN = {'TESTJVM_CLASSES': 'com/example/Main!nomain'}
NOT_FOUND = 'Could not find the main class com/example/Main.\n'


def failing(name, **fields):  # a launch that fails once the arguments are read; its box, if any, is the row's
    return Case(name, args='a b', **{'exit': 0xFFFFFFFF, **fields})


CASES = [
    Case('options and arguments reach the machine as configured', ini=INI, arches=EVERY,
         args='-nosplash "quoted argument" say"hi" "" café C:\\dir\\ /nosplash ' + ' '.join(MANY),
         log=['create.version=0x00010002', 'create.ignoreUnrecognized=0'],
         options=['-Djava.class.path=C:\\My App\\lib\\app.jar;lib\\café.jar', '-Xmx64m', '-Dapp.home=C:\\My App'],
         main='com/example/Main', args_seen=['-nosplash', 'quoted argument', 'say"hi"', '', 'café', 'C:\\dir\\', '/nosplash'] + MANY),
    Case('the program path alone: main gets an empty array, on a COM-free thread', log=['main.argc=0', 'main.com=0x00000000']),
    Case('an unquoted program path is removed whole', line='%EXE% first "second one"', args_seen=['first', 'second one']),
    Case('double-byte arguments', cp=932, args='日本 "ソフト x"', args_seen=['日本', 'ソフト x'], arches=EVERY),
    # Only spaces separate, a quote counts only at a token's start, a missing closing quote runs to the end.
    # The line's ends lose every white space Windows knows, the no-break and ideographic spaces too.
    Case('tokenizing the command line', args='\t a"b "c d"e "" "x"y   z\tw C:\\dir\\ \u00a0x\u00a0 "open  end\u00a0\u3000\u2003',
         args_seen=['\t', 'a"b', 'c d', 'e', '', 'x', 'y', 'z\tw', 'C:\\dir\\', '\u00a0x\u00a0', 'open  end']),
    Case('tokenizing only spaces', args='      ', args_seen=[]),
    Case('tokenizing the VM parameters', ini=MINIMAL + 'Virtual Machine Parameters=-Da="b -Dc" "-Dd=e f"-Dg  -Dh\t-Di "-Dj=k\r\n',
         options=['-Djava.class.path=app.jar', '-Da="b', '-Dc"', '-Dd=e f', '-Dg', '-Dh\t-Di', '-Dj=k']),
    Case('the process lives until the application\'s threads end', env={'TESTJVM_APP_THREAD_MS': '700'}, arches=EVERY,
         log=['main.return', 'detach=0', 'appthread.end', 'destroy.end']),
    *[failing(f'{name} jvm.dll', files={'bin\\client\\jvm.dll': Built('tests/standin/jvm.dll', arch=other)},
              box=load_failed(PRIVATE_JVM), arches=arches) for name, other, arches in (
        ('another machine\'s', OTHER, EVERY), ('an x86', 'x86', ('arm64',)))],
    failing('no JNI_CreateJavaVM', files={'bin\\client\\jvm.dll': STANDIN_NO_CREATE}, box=NO_EXPORT, arches=EVERY),
    failing('no JNI_GetDefaultJavaVMInitArgs', files={'bin\\client\\jvm.dll': STANDIN_NO_DEFAULT_ARGS}, box=NO_EXPORT, arches=EVERY),
    failing('an empty option', ini=MINIMAL + 'Virtual Machine Parameters=-Xmx32m ""\r\n', box=CREATION_REFUSED),
    failing('main method missing, silently', env={**NO_MAIN, 'TESTJVM_SILENT_LOOKUPS': '1'}, arches=EVERY,
            box='No main method found in specified class.\n'),
    failing('main class missing, silently', env={'TESTJVM_CLASSES': 'com/example/Other', 'TESTJVM_SILENT_LOOKUPS': '1'},
            box=NOT_FOUND),
    *[failing(f'main class not loaded: {what}', env={'TESTJVM_FINDCLASS_THROWS': f'java/lang/{error}:{message}'},
              box=NOT_FOUND + f'\njava.lang.{error}' + (message and ': ' + message)) for what, error, message in (
          ('built for a newer Java', 'UnsupportedClassVersionError', 'com/example/Main has been compiled by a newer Java'),
          ('a dependency missing', 'NoClassDefFoundError', 'com/example/lib/Helper'),
          ('its name in another case', 'NoClassDefFoundError', 'com/example/Main (wrong name: com/example/main)'),
          ('its static initialiser failing', 'ExceptionInInitializerError', ''))],
    failing('main method missing, with an exception', env=NO_MAIN,
            log=['describe=java.lang.NoSuchMethodError: main', 'destroy.end']),
    failing('class name not made into a Java string', env={'TESTJVM_FAIL_ALLOC_AT': '1'},
            box='Failed to load Main Class: com/example/Main.\n'),
    failing('class name characters not available', env={'TESTJVM_UTF_CHARS_FAIL': '1'},
            log=['describe=java.lang.OutOfMemoryError: GetStringUTFChars', 'destroy.end']),
    failing('argument array not built', env={'TESTJVM_FAIL_ALLOC_AT': '3'},
            log=['findclass=com/example/Main', 'describe=java.lang.OutOfMemoryError: Java heap space', 'destroy.end'],
            absent=['main.class=com/example/Main']),
    failing('detach fails', env={'TESTJVM_DETACH_RESULT': '-1'}, log=['main.return', 'detach=-1', 'destroy.end']),
    Case('text outside code page 1252', ini=MINIMAL.replace('.Main', '.Café'), env={'TESTJVM_CLASSES': 'com/example/Café'},
         args='café Größe.txt 日本 ＂a b＂ -nosplash', main='com/example/Café',
         args_seen=['café', 'Größe.txt', '日本', '＂a', 'b＂', '-nosplash']),
    *[Case(f'entry point {kind}', args='a', env={'TESTJVM_CLASSES': 'com/example/Main!' + kind},
           log=[f'main.argc={argc}', 'main.return']) for kind, argc in (('noargs', 0), ('instance', 1), ('instancenoargs', 0))],
    failing('an instance main without a constructor', env={'TESTJVM_CLASSES': 'com/example/Main!instancenoctor'},
            log=['describe=java.lang.NoSuchMethodError: <init>', 'destroy.end'], absent=['main.class=com/example/Main']),
    Case('a module directory outside the code page', exe='Кириллица/App.exe', args='x', args_seen=['x']),
    Case('an executable name outside the code page', exe='Прог.exe',
         box='Windows exception: failed to get the module path (errno = 1113).\n'),
    Case('code page 932 file names', cp=932, exe='ソフト表/表示.exe', args='日本 "ソ表 x"', args_seen=['日本', 'ソ表 x']),
]
