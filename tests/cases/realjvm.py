"""Whole launches through a real Java virtual machine for x64 (../shared/realjvm), for what a stand-in cannot
prove: the JVM's own class loading, threads, System.exit and exceptions. Its App class writes what it got."""
import os
from cases import *

JVM = Built('realjvm/jvm.dll', shared=True)
FILES = {'bin\\java.dll': '', 'bin\\client\\jvm.dll': JVM, 'classes\\App.class': Built('java/App.class'),
         'classes\\App$1.class': Built('java/App$1.class')}
INI = ini(('Class Path', 'Class Path=classes'), ('Java Runtime Environment', 'Main Class=App',
                                                 'Virtual Machine Parameters=-Xmx64m "-Dgreeting=hello world"'))
ABSENT = None if os.path.exists(os.path.join(os.path.dirname(__file__), '..', '..', '..', 'shared', 'realjvm', 'jvm.dll')) \
    else '../shared/realjvm is absent'


def real(name, **fields):
    return Case(name, **{'runtime': None, 'ini': INI, 'files': FILES, 'skip': ABSENT, **fields})


CASES = [
    real('arguments and a quoted option', args='echo "two words" last', log=['greeting=hello world'],
         args_seen=['echo', 'two words', 'last']),
    real('a thread outliving main keeps the process', args='linger', log=['arg=linger', 'thread=done']),
    real('System.exit keeps its code', args='exit 42', exit=42),
    real('an exception out of main', args='throw', exit=1),
    real('text outside the code page', args='café 日本', args_seen=['café', '日本']),
    real('a working directory and the output in the log', cwd='elsewhere', args='print', files={**FILES, 'elsewhere': DIR},
         ini=INI + 'Working Directory=%EXEDIR%\r\n[Diagnostics]\r\nLog File=launch.log\r\n',
         log=['arg=print'], launch_log=['JVM creation result: 0', 'out: hello', 'err: hello', 'Exit code: 0']),
    # Its class library has java.util.jar.JarFile but no Manifest: the jar cannot name the class, and the user is told.
    real('an executable jar without Main Class', ini=ini(('Class Path', 'Class Path=app.jar')),
         files={**FILES, 'app.jar': Built('java/app.jar')}, box=MAIN_CLASS_MISSING),
    real('a class path entry outside the code page, from %APPDATA%', env={'APPDATA': '%APP%\\Łukasz'},
         files={**FILES, **{name.replace('classes', 'Łukasz'): data for name, data in FILES.items() if '.class' in name}},
         ini=INI.replace('Class Path=classes', 'Class Path=%APPDATA%'), log=['greeting=hello world']),
    real('a missing main class', ini=INI.replace('Main Class=App', 'Main Class=com.example.Missing'),
         box='Could not find the main class com/example/Missing.\n'),
]
