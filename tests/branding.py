#!/usr/bin/python3
"""Usage: branding.py BUILD_DIR, under tests/support/with-wine.sh. Brands the 64-bit launcher from the example's brand
file, with texts outside ASCII and, where osslsigncode is installed, a certificate made here; checks what Windows reads
of the executables, their signatures and that they launch as the unbranded one does; then that each bad input stops
the command with one line naming it and leaves no executable. Prints `N passed, N failed` as run.py does."""
import os, pathlib, re, shutil, subprocess, sys
import run
from cases import Case

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLE = os.path.join(HERE, '..', 'examples')
TEXTS = {'Company Name': 'Größe GmbH', 'Product Name': '日本語 "Hello" \\ 😀', 'File Version': '1.2.3.4'}
IDENTITY = dict(numbers='10002 30004 10002 0', CompanyName='Größe GmbH', FileDescription='Hello World', FileVersion='1.2.3.4',
                InternalName='HelloApp', LegalCopyright='© 2026 Example Corp.', OriginalFilename='HelloApp.exe',
                ProductName='日本語 "Hello" \\ 😀', ProductVersion='1.2', icons='16 20 32 40 48 256')
NOT_VERSION = 'is not up to four numbers 0-65535 separated by dots'
BAD = [  # a wrong input, and the line that names it after the brand file's name; %DIR% is the brand file's directory
    ({'Name': 'Hello:App'}, 'Name: "Hello:App" is not a valid Windows file name'), ({'Name': ''}, 'Name: missing'),
    ({'Name': 'con'}, 'Name: "con" is not a valid Windows file name'), ({'File Version': ''}, 'File Version: missing'),
    *[({'File Version': text}, f'File Version: "{text}" {NOT_VERSION}') for text in ('1.2.3.65536', '1.2.3.4.5', '1..2', '-1')],
    ({'Product Version': '2.x'}, f'Product Version: "2.x" {NOT_VERSION}'),
    ({'Icon': 'none.ico'}, 'Icon: %DIR%/none.ico: no such file or directory'),
    ({'Icon': 'cut.ico'}, 'Icon: %DIR%/cut.ico is not a usable .ico file: image 6 lies outside the file'),
    ({'Icon': 'brand.ini'}, 'Icon: %DIR%/brand.ini is not a usable .ico file: no icon directory'),
    ({'DPI Awareness': 'yes'}, 'DPI Awareness: "yes" is none of PerMonitor, System, Unaware'),
    ({'Certificate': 'none.pem'}, 'Certificate: %DIR%/none.pem: no such file'),
]
SIGNING_FAILS = ({'Certificate': 'HelloApp.ico'}, 'Certificate: signing failed; see ')  # built, then refused


def brand(directory, changes, out):
    """Runs the command on the example's brand file, changed, in the directory; it builds where ./build.sh brand does,
    beside the build directory, so that the test and the example build it once."""
    text = pathlib.Path(EXAMPLE, 'HelloApp-brand.ini').read_text(encoding='utf-8')
    for key, value in changes.items():
        text = re.sub(f'^{key}=.*$', lambda _: f'{key}={value}', text, flags=re.M)
    pathlib.Path(directory, 'brand.ini').write_text(text, encoding='utf-8')
    return subprocess.run(['/usr/bin/python3', os.path.join(HERE, '..', 'tools', 'brand.py'), os.path.join(directory, 'brand.ini'),
                           out, '--arch', 'x64', '--build-root', os.path.join(directory, '..', '..', '..', 'brand')],
                          capture_output=True, text=True, stdin=subprocess.DEVNULL)


def identity(build, exe):
    """What the probe read of the executable, its texts decoded; Wine's output goes to a file, never down a pipe."""
    with open(exe + '.identity', 'w') as out:
        subprocess.run(['wine', build.built(run.Built('tests/probe/probe.exe')), '--identity', run.win(exe),
                        *[key for key in IDENTITY if key[0].isupper()]], stdout=out)
    lines = (line.split(' ', 1) for line in pathlib.Path(exe + '.identity').read_text().splitlines())
    return {key: run.utf16(value) if key[0].isupper() else value for key, value in lines}


def certificate(directory):
    """The [Signing] keys of a certificate made here, or None where osslsigncode is missing."""
    made = shutil.which('osslsigncode') and subprocess.run(
        ['openssl', 'req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-days', '2', '-subj', '/CN=Test', '-addext',
         'extendedKeyUsage=codeSigning', '-keyout', f'{directory}/key.pem', '-out', f'{directory}/cert.pem'], capture_output=True)
    return made and made.returncode == 0 and {'Certificate': 'cert.pem', 'Key': 'key.pem'}


def main():
    build, failures = run.Build(sys.argv[1]), []
    root = os.path.join(build.dir, 'branding')
    inputs, out, refused = (os.path.join(root, name) for name in ('inputs', 'out', 'refused'))
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(inputs)
    icon = pathlib.Path(EXAMPLE, 'HelloApp.ico').read_bytes()
    pathlib.Path(inputs, 'HelloApp.ico').write_bytes(icon)
    pathlib.Path(inputs, 'cut.ico').write_bytes(icon[:-1])
    signing = certificate(inputs)
    if not signing:
        print('SKIP branding/signing: osslsigncode is not installed or openssl could not make a certificate')
    made = brand(inputs, {**TEXTS, **(signing or {})}, out)
    exes = [exe for exe in (f'{out}/x64/HelloApp.exe', f'{out}/x64/console/HelloApp.exe') if not made.returncode]
    failures += [('brand', 'success', made.stderr)] if made.returncode else []
    for exe in exes:
        seen = identity(build, exe)
        failures += [(f'{exe}: {key}', want, seen.get(key)) for key, want in IDENTITY.items() if seen.get(key) != want]
        verified = signing and subprocess.run(['osslsigncode', 'verify', '-CAfile', f'{inputs}/cert.pem', '-in', exe],
                                              capture_output=True, text=True)
        failures += [(f'{exe}: signature', 'verified', verified.stdout[-300:])] if verified and verified.returncode else []
    cases = [Case(exe, exe='HelloApp.exe', files={'HelloApp.exe': pathlib.Path(exe).read_bytes()},
                  log=['main.class=com/example/Main', 'main.return']) for exe in exes]
    why_not, roots = run.run(build, cases)
    for case, root in zip(cases, roots):
        launched = ['the probe', 'ran', why_not] if why_not else run.check(case, run.Observed(root))
        failures += [(f'{case.name} launches: {launched[0]}', *launched[1:])] if launched else []
    for changes, line in BAD + ([SIGNING_FAILS] if signing else []):
        result, want = brand(inputs, changes, refused), f'brand: {inputs}/brand.ini: ' + line.replace('%DIR%', inputs)
        if result.returncode != 1 or not result.stderr.startswith(want) or result.stderr.count('\n') != 1 or \
                any(name.endswith('.exe') for _, _, names in os.walk(refused) for name in names):
            failures.append((f'bad input {changes}', want, result.stderr))
    for what, want, seen in failures:
        print(f'FAIL branding/{what}: expected {want!r}, observed {seen!r}')
    checks = (len(IDENTITY) + 1 + bool(signing)) * 2 + len(BAD) + bool(signing)
    print(f'{checks - len(failures)} passed, {len(failures)} failed')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
