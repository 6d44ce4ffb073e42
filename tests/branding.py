#!/usr/bin/python3
"""Usage: branding.py BUILD_DIR, under tests/support/with-wine.sh. Brands the 64-bit launcher from the example's brand
file with texts outside ASCII and, where osslsigncode is installed, a certificate made here; checks what Windows reads
of the executables, their signatures, and that they launch as the unbranded one does; then that each bad input stops
the command with one line naming it and leaves nothing behind. Prints `N passed, N failed` as run.py does."""
import os, re, shutil, subprocess, sys
import run
from cases import Case

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLE = os.path.join(HERE, '..', 'examples')
TEXTS = {'Company Name': 'Größe GmbH', 'Product Name': '日本語 "Hello" \\ 😀', 'File Version': '1.2.3.4'}
IDENTITY = dict(numbers='10002 30004 10002 0', CompanyName='Größe GmbH', FileDescription='Hello World', FileVersion='1.2.3.4',
                InternalName='HelloApp', LegalCopyright='© 2026 Example Corp.', OriginalFilename='HelloApp.exe',
                ProductName='日本語 "Hello" \\ 😀', ProductVersion='1.2', icon=['16', '20', '32', '40', '48', '256'])
BAD = [  # a wrong input, and the line that names it after the brand file's name
    ({'Name': 'Hello:App'}, 'Name: "Hello:App" is not a valid Windows file name'),
    ({'Name': 'con'}, 'Name: "con" is not a valid Windows file name'), ({'Name': ''}, 'Name: missing'),
    *[({'File Version': text}, f'File Version: "{text}" is not up to four numbers 0-65535 separated by dots')
      for text in ('1.2.3.65536', '1.2.3.4.5', '1..2', '-1')], ({'File Version': ''}, 'File Version: missing'),
    ({'Product Version': '2.x'}, 'Product Version: "2.x" is not up to four numbers 0-65535 separated by dots'),
    ({'Icon': 'none.ico'}, 'Icon: %DIR%/none.ico: no such file or directory'),
    ({'Icon': 'cut.ico'}, 'Icon: %DIR%/cut.ico is not a usable .ico file: image 6 lies outside the file'),
    ({'Icon': 'brand.ini'}, 'Icon: %DIR%/brand.ini is not a usable .ico file: no icon directory'),
    ({'DPI Awareness': 'yes'}, 'DPI Awareness: "yes" is none of PerMonitor, System, Unaware'),
    ({'Certificate': 'none.pem'}, 'Certificate: %DIR%/none.pem: no such file'),
]


def brand_file(directory, changes):
    text = open(os.path.join(EXAMPLE, 'HelloApp-brand.ini'), encoding='utf-8').read()
    for key, value in changes.items():
        text = re.sub(f'^{key}=.*$', lambda _: f'{key}={value}', text, flags=re.M)
    with open(os.path.join(directory, 'brand.ini'), 'w', encoding='utf-8') as file:
        file.write(text)
    return os.path.join(directory, 'brand.ini')


def brand(directory, changes, out):
    command = ['/usr/bin/python3', os.path.join(HERE, '..', 'tools', 'brand.py'), brand_file(directory, changes), out,
               '--arch', 'x64', '--build-root', os.path.join(directory, '..', 'builds')]
    return subprocess.run(command, capture_output=True, text=True, stdin=subprocess.DEVNULL)


def identity(build, exe):
    with open(exe + '.identity', 'w') as out:  # Wine's output goes to a file, never down a pipe
        subprocess.run(['wine', build.built(run.Built('tests/probe/probe.exe')), '--identity', run.win(exe)], stdout=out)
    lines = open(exe + '.identity').read().split('\n')
    seen = {key: run.utf16(value) for key, _, value in (line.partition(' ') for line in lines) if key[:1].isupper()}
    return {**seen, 'numbers': lines[0][8:], 'icon': [line[5:] for line in lines if line.startswith('icon ')]}


def signing(directory):
    """The [Signing] lines for a certificate made here, or None (and why) where the command cannot sign."""
    if not shutil.which('osslsigncode'):
        return None
    subprocess.run(['openssl', 'req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-days', '2', '-subj', '/CN=Test',
                    '-addext', 'extendedKeyUsage=codeSigning', '-keyout', os.path.join(directory, 'key.pem'),
                    '-out', os.path.join(directory, 'cert.pem')], capture_output=True, check=True)
    return {'Certificate': 'cert.pem', 'Key': 'key.pem'}


def main():
    build = run.Build(sys.argv[1])
    root = os.path.join(build.dir, 'branding')  # its builds/ is kept: later runs relink only
    inputs, out, refused = (os.path.join(root, name) for name in ('inputs', 'out', 'refused'))
    for directory in (inputs, out, refused):
        shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(inputs)
    icon = open(os.path.join(EXAMPLE, 'HelloApp.ico'), 'rb').read()
    for name, data in (('HelloApp.ico', icon), ('cut.ico', icon[:-1])):
        open(os.path.join(inputs, name), 'wb').write(data)
    certificate, failures = signing(inputs), []
    print('' if certificate else 'SKIP branding/signing: osslsigncode is not installed\n', end='')
    made = brand(inputs, {**TEXTS, **(certificate or {})}, out)
    exes = [os.path.join(out, 'x64', place, 'HelloApp.exe') for place in ('', 'console')]
    failures += [] if made.returncode == 0 else [('brand', 'success', made.stderr)]
    for exe in exes if made.returncode == 0 else []:
        seen = identity(build, exe)
        failures += [(f'{exe}: {key}', want, seen.get(key)) for key, want in IDENTITY.items() if seen.get(key) != want]
        verified = certificate and subprocess.run(['osslsigncode', 'verify', '-CAfile', os.path.join(inputs, 'cert.pem'),
                                                   '-in', exe], capture_output=True, text=True)
        failures += [(f'{exe}: signature', 'verified', verified.stdout[-300:])] if verified and verified.returncode else []
    cases = [Case(f'branded {place or "GUI"} executable launches', exe='HelloApp.exe', files={'HelloApp.exe': open(exe, 'rb').read()},
                  log=['main.class=com/example/Main', 'main.return']) for place, exe in zip(('', 'console'), exes)
             if os.path.exists(exe)]
    for case in cases:
        case.table = 'branding'
    why_not, roots = run.run(build, cases)
    launched = [why_not and ['the probe', 'run', why_not] or run.check(case, run.Observed(root)) for case, root in zip(cases, roots)]
    failures += [(f'{case.name}: {seen[0]}', *seen[1:]) for case, seen in zip(cases, launched) if seen]
    bad_rows = BAD + ([({'Certificate': 'HelloApp.ico'}, 'Certificate: signing failed; see ')] if certificate else [])
    for changes, line in bad_rows:
        result, want = brand(inputs, changes, refused), f'brand: {inputs}/brand.ini: ' + line.replace('%DIR%', inputs)
        if result.returncode != 1 or not result.stderr.startswith(want) or result.stderr.count('\n') != 1 or \
                any(name.endswith('.exe') for _, _, names in os.walk(refused) for name in names):
            failures.append((f'bad input {changes}', want, result.stderr))
    for what, want, seen in failures:
        print(f'FAIL branding/{what}: expected {want!r}, observed {seen!r}')
    print(f'{2 * len(IDENTITY) + len(cases) + len(bad_rows) - len(failures)} passed, {len(failures)} failed')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
