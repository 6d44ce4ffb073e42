#!/usr/bin/python3
"""Usage: run-example.py BUILD_DIR HELLOAPP_EXE. Runs HelloApp's own 64-bit executable, branded from
HelloApp-brand.ini, under Wine and prints what a user would have seen. No Java runtime exists here, so the
application gets a private runtime whose jvm.dll is the tests' stand-in virtual machine, which writes down what
it was asked to do. Call it through tests/support/with-wine.sh."""
import os, sys
here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, '..', 'tests'))
import run
from cases import Case

example = Case('HelloApp', exe='HelloApp.exe', ini=open(os.path.join(here, 'HelloApp.ini')).read(),
               files={'HelloApp.exe': open(sys.argv[2], 'rb').read()},
               args='first "second argument" -nosplash', env={'TESTJVM_CLASSES': 'com/example/hello/Main'})
example.table = 'example'
_, [root] = run.run(run.Build(sys.argv[1]), [example])
seen = run.Observed(root)
print('HelloApp.exe (the branded launcher) with HelloApp.ini and a private runtime beside it:')
for box in seen.boxes:
    print(f'message box "{box["caption"]}":\n{box["text"]}')
print(f'exit code: {seen.exit} (0x{seen.exit or 0:08X})\n\nWhat the virtual machine was asked to do:')
print('\n'.join('  ' + line for line in seen.log) or '  nothing: the launch stopped before the VM was loaded')
