"""What a launch leaves for the user and the developer: the launch log, Java's errors in the box, the JVM's
print and exit hooks, and the console build."""
import re
from cases import *

LOG = '[Diagnostics]\r\nLog File=launch.log\r\n'
SHOW = LOG + 'Show Java Errors=true\r\n'
THROWS = {'TESTJVM_MAIN_THROWS': 'java/lang/IllegalStateException'}
THROWN = 'java.lang.IllegalStateException: thrown by main'
MISSING = 'java.lang.NoClassDefFoundError: com/example/Main'
def frames(n): return ''.join(f'\n\tat com.example.Main.f{i}(Main.java:{i})' for i in range(1, n + 1))
HEAP = 'Could not reserve enough space for object heap'
START = re.compile(r'\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} process \d+: .*\\App\.exe')
FAILED = ['Exit code: -1']
PRINTED = b'hello\nerr:hello\n'


def logged(name, ini=MINIMAL + LOG, **fields): return Case(name, ini=ini, **fields)


CASES = [
    logged('a good launch logs each step, in order', args='a "b c"', arches=EVERY, launch_log=[
        START, 'INI file: %APP%\\App.ini', 'Private runtime in %APP%\\: found', 'Runtime chosen: %APP%\\ (private)',
        f'JVM library {PRIVATE_JVM}: found', f'JVM library loaded: {PRIVATE_JVM}', 'JVM option: -Djava.class.path=app.jar',
        'Main class: com/example/Main', 'Program argument: a', 'Program argument: b c', 'JVM creation result: 0',
        'Exit code: 0']),
    logged('no runtime', runtime=None, box=not_found('latest version'), launch_log=[
        'Private runtime in %APP%\\: none', 'Private runtime in %APP%\\jre\\: none',
        re.compile(r'Registry key HKLM\\Software\\JavaSoft\\Java Runtime Environment: \d+ subkeys'),
        re.compile('Error box: Java Runtime Environment .*'), '    https://www.java.com/getjava/download.html', *FAILED]),
    logged('no jvm.dll in the runtime', runtime=None, files={'bin\\java.dll': ''}, box=no_jvm('%APP%\\'),
           launch_log=[f'JVM library %APP%\\bin\\{kind}\\jvm.dll: none'
                       for kind in ('client', 'server', 'classic', 'hotspot')] + FAILED),
    logged('jvm.dll not loadable', files={'bin\\client\\jvm.dll': 'not a library'}, box=load_failed(PRIVATE_JVM), arches=EVERY,
           launch_log=[f'JVM library {PRIVATE_JVM}: found', 'Error box: ' + load_failed(PRIVATE_JVM).strip()] + FAILED),
    logged('creation refused, pointers left behind', box=CREATION_REFUSED, arches=EVERY,
           env={'TESTJVM_CREATE_RESULT': '-1', 'TESTJVM_CREATE_LEAVES_POINTERS': '1'},
           launch_log=['JVM creation result: -1', 'Error box: ' + CREATION_REFUSED.strip()] + FAILED),
    logged('main class missing', env={'TESTJVM_CLASSES': 'com/example/Other'}, arches=EVERY,
           box='Could not find the main class com/example/Main.\n', log=['findclass=com/example/Main', 'describe=' + MISSING],
           launch_log=['Exception in thread "main" ' + MISSING,
                       'Error box: Could not find the main class com/example/Main.'] + FAILED),
    logged('the application\'s output and its exception trace', env={**THROWS, 'TESTJVM_MAIN_PRINT': 'hello'}, exit=1,
           launch_log=['JVM creation result: 0', 'hello', 'err:hello', 'Exception in thread "main" ' + THROWN,
                       '\tat com.example.Main.f1(Main.java:1)', 'Exit code: 1'], log=['uncaught=' + THROWN]),
    *[Case(f'an unusable log changes nothing: {name}', ini=MINIMAL + f'[Diagnostics]\r\nLog File={name}\r\n',
           files={'logs': DIR}, log=['main.return', 'destroy.end'])
      for name in ('logs', 'CON', 'NUL', 'COM1', 'no\\such\\x.log')],
    Case('main throws: the box shows the exception', ini=MINIMAL + SHOW, env=THROWS, box=THROWN + frames(2), exit=1, arches=EVERY,
         log=['main.throw=java/lang/IllegalStateException', 'uncaught=' + THROWN, 'detach=0']),
    Case('main throws from deep down: twenty lines', ini=MINIMAL + SHOW, env={**THROWS, 'TESTJVM_MAIN_THROWS_FRAMES': '30'},
         box=THROWN + frames(18) + '\n\t... 12 more', exit=1),
    Case('main class missing: one box, the exception below the message', ini=MINIMAL + SHOW,
         env={'TESTJVM_CLASSES': 'com/example/Other'}, box='Could not find the main class com/example/Main.\n\n' + MISSING),
    Case('no main method: the exception alone', ini=MINIMAL + SHOW, env={'TESTJVM_CLASSES': 'com/example/Main!nomain'},
         box='java.lang.NoSuchMethodError: main'),
    logged('a JVM giving up while it starts', env={'TESTJVM_CREATE_ABORTS': HEAP}, box=CREATION_REFUSED + HEAP + '\n',
           absent=['create.result=0'], arches=EVERY, launch_log=[HEAP, 'Error box: ' + CREATION_REFUSED.strip(), '    ' + HEAP] + FAILED),
    logged('System.exit while the JVM starts is deliberate', env={'TESTJVM_CREATE_EXITS': '0'}, launch_log=['Exit code: 0']),
    logged('a fatal error while main runs', env={'TESTJVM_MAIN_ABORTS': '1'}, exit=1, launch_log=['Exit code: 1']),
    logged('a child of the application inherits neither the log nor the DLL directory', env={'TESTJVM_MAIN_CHILD': '1'},
           log=['main.dlldir=', 'child.dlldir=', 'main.return'], absent=['child.inherited=launch.log']),
    logged('System.exit ends the log with its code', env={'TESTJVM_MAIN_EXIT': '42'}, exit=42, arches=EVERY,
           log=['main.exit=42'], launch_log=['JVM creation result: 0', 'Exit code: 42']),
    Case('the console build writes to its standard output', files={'App.exe': Built('launcher-console.exe')}, stdout=PRINTED,
         env={'TESTJVM_MAIN_PRINT': 'hello'}, log=['main.return'], arches=EVERY),
]
