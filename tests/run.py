#!/usr/bin/python3
"""Usage: run.py BUILD_DIR [--x86 DIR] [--arm64 DIR] [TABLE...]. Lays out an application directory per row of the
case tables, runs them all through the probe under Wine (the rows marked for every architecture again with each
emulated build), checks each against its row and the rules every launch obeys; prints `N passed, N failed`."""
import concurrent.futures, copy, importlib, os, re, shlex, shutil, subprocess, sys, tempfile
from cases import Built, Case, DIR, OTHER, STANDIN

HERE = os.path.dirname(os.path.abspath(__file__))
SHARED = os.path.join(HERE, '..', '..', 'shared')
TABLES = ['configuration', 'runtimes', 'hosting', 'splash', 'hostile', 'diagnostics', 'shipping', 'realjvm']
REG_TYPE = {'sz': '1', 'expand': '2', 'binary': '3', 'dword': '4'}
HOOKS = ['vfprintf', 'exit', 'abort']  # the JNI hook options the launcher adds after the configured ones
DOTLESS = tempfile.TemporaryDirectory(prefix='launcher_cases_', dir='/tmp')  # removed at exit
ERROR_CAPTION = {1252: 'Error', 932: 'エラー'}
WS_POPUP, WS_VISIBLE, WS_CLIPSIBLINGS, WS_DISABLED = 0x80000000, 0x10000000, 0x04000000, 0x08000000
EX_TOPMOST_TOOLWINDOW, EX_LAYERED, CS_SPLASH, CS_DROPSHADOW = 0x88, 0x80000, 0x808, 0x20000


def win(path): return 'Z:' + os.path.abspath(path).replace('/', '\\')
def utf16(hex_text): return bytes.fromhex(hex_text).decode('utf-16-le')
def unescape(text): return re.sub(r'\\(\\|x([0-9A-Fa-f]{2}))', lambda m: '\\' if m[1] == '\\' else chr(int(m[2], 16)), text)


class Build:
    def __init__(self, directory, arch='x64'):
        self.dir, self.arch = os.path.abspath(directory), arch
        # Emulated launches are slow and their speed varies: a floor for every timeout, never a retry.
        wrapper = [os.path.join(HERE, 'support', 'with-wine.sh'), '--arch', arch, self.dir]
        self.wrapper, self.min_timeout = (wrapper, 180000) if arch != 'x64' else ([], 0)

    def built(self, built):  # another architecture's build lies beside this one, as build.sh lays them out
        arch = OTHER[self.arch] if built.arch is OTHER else built.arch or self.arch
        return os.path.join(SHARED if built.shared else os.path.join(self.dir, '..', arch), built.path)


def write(path, content, build, cp=1252):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if content is DIR:
        return os.makedirs(path, exist_ok=True)
    if isinstance(content, Built):
        return shutil.copyfile(build.built(content), path)
    with open(path, 'wb') as file:
        file.write(content.encode(f'cp{cp}') if isinstance(content, str) else content)


def layout(case, root, build):
    """Lays out the application directory of a case; returns the exe's host path."""
    shutil.rmtree(root, ignore_errors=True)
    exe = os.path.join(root, case.exe)
    write(exe, Built('launcher.exe'), build)
    home = os.path.dirname(exe)
    if case.ini is not None:
        write(exe.rsplit('.', 1)[0] + '.ini' if '.' in case.exe else exe + '.ini', case.ini, build, case.cp)
    if case.runtime == 'private':
        write(os.path.join(home, 'bin', 'java.dll'), 'only its presence matters', build)
        write(os.path.join(home, 'bin', 'client', 'jvm.dll'), STANDIN, build)
    for relative, content in case.files.items():
        write(os.path.join(root, relative.replace('\\', '/')), content, build, case.cp)
    return exe


def batch_entry(case, root, exe, build):
    """The probe's entry for a case: NUL-ended fields, and each list's NUL-ended items followed by one more NUL."""
    app = win(root)
    expand = lambda text: text.replace('%APP%', app).replace('%EXE%', win(exe))
    program = f'"{win(exe)}"'
    if callable(case.args):  # arguments made to fit the program path: plain words, expected as sent
        case.args = case.args(program)
        case.args_seen = case.args.split(' ')
    line = expand(case.line) if case.line is not None else program + (' ' + case.args if case.args else '')
    env = {'TESTJVM_LOG': app + '\\jvm.log', 'TESTJVM_CLASSES': 'com/example/Main', **case.env}
    changes = lambda env: [name if value is None else f'{name}={expand(value)}' for name, value in env.items()]
    # Each vendor's key is cleared whole; below Microsoft only its JDK key; outside Software only the key itself.
    depth = lambda key: 3 if '\\Microsoft\\' in key else 2 if key.startswith('Software\\') else None
    clear = sorted({'\\'.join(key.split('\\')[:depth(key)]) for key, *_ in case.reg})
    stored = lambda kind, data: data.to_bytes(4, 'little') if kind == 'dword' else data if isinstance(data, bytes) else \
        (expand(data) + '\0').encode('utf-16-le') if kind in ('sz', 'expand') else expand(data).encode()
    values = [part for key, name, kind, data in case.reg for part in (key, name, REG_TYPE[kind], stored(kind, data).hex())]
    second = [str(case.second[0]), expand(case.second[1]), *changes({**env, **case.second[2]})] if case.second else []
    return ''.join(f'{field}\0' for field in [
        case.name, f'{app}\\probe.txt', line, win(os.path.join(root, case.cwd or os.path.dirname(case.exe))),
        f'{app}\\stdout.txt' if case.stdout is not None else '', str(max(case.timeout, build.min_timeout)),
        str(int(case.cover)), *changes(env), '', *second, '', *clear, '', *values, ''])


def run_probe(build, batches):
    """One probe run per code page, all in one start of the build's Wine; returns why they could not run, or None."""
    steps, probe = [], shlex.quote(build.built(Built('tests/probe/probe.exe')))
    for cp, entries in batches.items():
        batch = os.path.join(build.dir, 'cases', f'batch{cp}.txt')
        with open(batch, 'w', encoding='utf-16-le') as file:
            file.write(''.join(entries))
        locale = 'ja_JP.UTF-8' if cp == 932 else 'C.UTF-8'
        steps.append(f'LC_ALL={locale} wine {probe} {shlex.quote(win(batch))} >{shlex.quote(batch)}.out 2>&1')
    env = {k: v for k, v in os.environ.items() if k not in ('JAVA_HOME', 'JDK_JAVA_OPTIONS')}
    result = subprocess.run(build.wrapper + ['sh', '-c', '; '.join(steps)], env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, text=True, check=False)
    return (result.stdout.strip().splitlines() or ['skipped'])[-1] if result.returncode == 77 else None


def run_deep(case, root, exe):
    """No Windows program can start one this deep: start it from the host, as Wine's loader does."""
    env = {**os.environ, 'TESTJVM_LOG': win(root) + '\\jvm.log', 'TESTJVM_CLASSES': 'com/example/Main'}
    with open(os.path.join(root, 'wine.out'), 'w') as out:
        result = subprocess.run(['timeout', '60', 'wine', './' + os.path.basename(exe)] + case.args.split(),
                                cwd=os.path.dirname(exe), env=env, stdout=out, stderr=out, stdin=subprocess.DEVNULL)
    with open(os.path.join(root, 'probe.txt'), 'w') as file:
        file.write(f'started 1\ntimedout {int(result.returncode == 124)}\nexit {result.returncode & 0xFFFFFFFF}\n')


class Observed:
    """What the probe saw of one launch, and what the VM (stand-in or real application) wrote down."""
    def __init__(self, root, log_file='launch.log'):
        read = lambda name: open(os.path.join(root, name), 'rb').read() if os.path.exists(os.path.join(root, name)) else None
        self.root, self.boxes, self.splash, self.pixels, self.metrics, self.exit, self.started, self.timedout, \
            self.second = root, [], None, None, None, None, 0, 0, None
        for line in (read('probe.txt') or b'').decode('utf-8').splitlines():
            key, _, rest = line.partition(' ')
            values = rest.split('\t' if key == 'box' else None)
            if key == 'box':
                self.boxes.append(dict(caption=utf16(values[0]), text=utf16(values[1]), owner=values[2],
                                       buttons=values[3], splash_visible=values[4] == '1'))
            elif key == 'splash':
                style, exstyle, classstyle = (int(value, 16) for value in values[:3])
                self.splash = dict(style=style, exstyle=exstyle, classstyle=classstyle, rect=tuple(map(int, values[3:7])),
                                   layered=bool(exstyle & EX_LAYERED), shadow=bool(classstyle & CS_DROPSHADOW),
                                   responds=values[7] == '1')
            elif key == 'pixels':
                self.pixels = (tuple(map(int, values[:4])), bytes.fromhex(values[4]))
            elif key in ('metrics', 'exit', 'started', 'timedout', 'second'):
                setattr(self, key, tuple(map(int, values)) if key == 'metrics' else int(rest))
        self.stdout = read('stdout.txt')
        self.log = [unescape(line) for line in (read('jvm.log') or b'').decode('utf-8', 'replace').splitlines()]
        self.launch_log = (read(log_file) or b'').decode('cp1252', 'replace').splitlines()

    def values(self, key): return [line[len(key) + 1:] for line in self.log if line.startswith(key + '=')]
    def options(self): return self.values('option')[:-len(HOOKS)]


def in_order(lines, wanted):
    """Each wanted line in this order: a text equal to the line, or a pattern matching it whole."""
    rest = iter(lines)
    for item in wanted:
        match = item.fullmatch if isinstance(item, re.Pattern) else item.__eq__
        if not any(match(line) for line in rest):
            return f'{item!r} (in this order)'
    return None


def check_splash(case, seen):
    want, splash = case.splash, seen.splash
    if not splash or want is False:
        return ['splash', 'none' if want is False else 'a splash window', splash] if bool(splash) != bool(want) else None
    style, exstyle = splash['style'] & ~(WS_CLIPSIBLINGS | WS_DISABLED), splash['exstyle'] & ~EX_LAYERED
    if (style, exstyle, splash['classstyle'] & ~CS_DROPSHADOW) != (WS_POPUP | WS_VISIBLE, EX_TOPMOST_TOOLWINDOW, CS_SPLASH):
        return ['splash styles', 'popup, topmost tool window', splash]
    if want is True:
        return None
    for key in ('shadow', 'layered', 'responds'):
        if key in want and splash[key] != want[key]:
            return [key, want[key], splash[key]]
    image = want.get('image')
    if image:  # centred on the area as the launcher saw it, when it ran main, or else as the probe does; truncated toward zero
        area = [int(n) for n in seen.values('main.area')[0].split()] if seen.values('main.area') else seen.metrics
        left, top = int((area[0] - image.width) / 2), int((area[1] - image.height) / 2)
        if splash['rect'] != (left, top, left + image.width, top + image.height):
            return ['splash rectangle', (left, top, left + image.width, top + image.height), splash['rect']]
        return want.get('pixels', True) and compare_pixels(image, splash['rect'], seen.pixels) or None
    return None


def compare_pixels(image, rect, pixels):
    if not pixels:
        return ['splash pixels', 'captured', 'none']
    (left, top, right, bottom), data = pixels
    for y in range(top, bottom):
        for x in range(left, right):
            offset = ((y - top) * (right - left) + x - left) * 4
            seen, want = (data[offset + 2], data[offset + 1], data[offset]), image.rows[y - rect[1]][x - rect[0]]
            if want[3:] in ((), (255,)) and seen != want[:3]:  # what shows through a see-through pixel varies
                return [f'pixel ({x - rect[0]}, {y - rect[1]})', want[:3], seen]
    return None


def differences(case, seen):
    """The row's own expectations, then the rules every launch obeys; each broken one as [what, expected, seen]."""
    box = seen.boxes[0] if seen.boxes else None
    app = lambda items: [item.replace('%APP%', win(seen.root)) if isinstance(item, str) else item for item in items]
    expected_exit = case.exit if case.exit is not None else 0xFFFFFFFF if case.box else 0
    yield not seen.started and ['the launcher', 'started', 'not started']
    yield seen.timedout and ['the launch', 'ended', 'timed out']
    yield len(seen.boxes) > 1 and ['boxes', 'at most one', [box['text'] for box in seen.boxes]]
    yield (box and box['text']) != (case.box and app([case.box])[0]) and ['box', case.box, box and box['text']]
    yield box and (box['caption'], box['buttons']) != (ERROR_CAPTION[case.cp], '1') and \
        ['caption and buttons', (ERROR_CAPTION[case.cp], '1'), (box['caption'], box['buttons'])]
    yield box and box['owner'] != ('splash' if box['splash_visible'] else 'none') and \
        ['box owner', 'the splash while one is visible, else none', box['owner']]
    yield seen.exit != expected_exit and ['exit code', hex(expected_exit), hex(seen.exit or 0)]
    yield case.second and seen.second != 0 and ['the second start', 'exit code 0', seen.second]
    yield case.creations not in (None, seen.log.count('create.result=0')) and \
        ['JVMs created', case.creations, seen.log.count('create.result=0')]
    for key, want in (('option', case.options), ('main.class', case.main and [case.main]), ('arg', case.args_seen)):
        got = seen.options() if key == 'option' else seen.values(key)
        yield want is not None and got != app(want) and [key, app(want), got]
    for what, lines, wanted in (('log', seen.log, case.log), ('launch log', seen.launch_log, app(case.launch_log))):
        missing = in_order(lines, wanted)
        yield missing and [what, missing, lines]
    present = [line for line in case.absent if line in seen.log]
    yield present and ['log', f'no {present}', seen.log]
    yield case.splash is not None and check_splash(case, seen)
    log, options = seen.log, seen.values('option')
    creations = sum(line.startswith('create.version=') for line in log)  # two with a second start
    yield [line for line in log if line.startswith('FAIL=')] and ['stand-in', 'no misuse', log]
    yield options and (options[-len(HOOKS):] != HOOKS or seen.values('option.extraInfo') != HOOKS * creations) and \
        ['JNI hooks', f'{HOOKS} last, with extraInfo', options]
    yield seen.launch_log and not seen.launch_log[-1].startswith('Exit code: ') and \
        ['launch log', 'the exit code last', seen.launch_log[-3:]]
    created, ended_itself = 'create.result=0' in log, any(line.startswith('main.exit=') for line in log)
    yield created and not ended_itself and (log[-1:] != ['destroy.end'] or 'destroy.splash=absent' not in log) and \
        ['teardown', 'DestroyJavaVM last, with the splash gone', log[-3:]]
    yield not created and 'destroy.end' in log and ['teardown', 'no DestroyJavaVM without a created machine', log]
    detach = [i for i, line in enumerate(log) if line.startswith('detach=')]
    yield seen.values('main.class') and created and not ended_itself and \
        not (detach and detach[0] < log.index('destroy.end')) and ['teardown', 'DestroyJavaVM after the detach', log]
    peaks, live = seen.values('localrefs.peak'), seen.values('localrefs.live')
    yield any(int(peak) > 16 for peak in peaks) and ['local references', 'at most 16 live', peaks]
    yield any(int(count) for count in live) and ['local references', 'none left live at the detach', live]
    yield case.stdout is not None and seen.stdout != case.stdout and ['standard output', case.stdout, seen.stdout]


def check(case, seen): return next((d for d in differences(case, seen) if d), None)


def run(build, cases):
    """Lays out and launches every case; returns why the probe could not run (or None) and the cases' directories."""
    if os.path.exists(not_built := os.path.join(build.dir, 'not-built.txt')):  # build.sh says why it could not build it
        return f'{build.arch} rows skipped: {open(not_built).read().strip()}', []
    # An exe without a dot names its INI file by the last dot of its directories: it lies where there is none.
    roots, batches = [os.path.join(build.dir if '.' in case.exe else os.path.join(DOTLESS.name, build.arch), 'cases',
                                   f'{case.table}-{index}') for index, case in enumerate(cases)], {}
    for case, root in zip(cases, roots):
        exe = layout(case, root, build)
        if case.deep:
            run_deep(case, root, exe)
        else:
            batches.setdefault(case.cp, []).append(batch_entry(case, root, exe, build))
    return run_probe(build, batches) if batches else None, roots


def main():
    args, builds = sys.argv[2:], [Build(sys.argv[1])]
    while args[:1] in (['--x86'], ['--arm64']):  # another architecture's build, run under emulation
        option, directory, *args = args
        builds.append(Build(directory, option[2:]))
    tables = []
    for name in args or TABLES:
        for case in importlib.import_module('cases.' + name).CASES:
            case.table = name
            tables.append(case)
    passed = failed = skipped = 0
    runs = []
    for build in builds:
        # Copies: a row may fit its arguments to the program path it is given.
        cases = [copy.copy(c) for c in tables if build.arch in c.arches]
        tag = '' if build.arch == 'x64' else f' [{build.arch}]'
        print(''.join(f'SKIP {c.table}/{c.name}{tag}: {c.skip}\n' for c in cases if c.skip), end='')
        skipped, cases = skipped + sum(1 for c in cases if c.skip), [c for c in cases if not c.skip]
        runs.append((build, cases, tag))
    # Each architecture has its own prefix, registry and display: their launches run side by side.
    with concurrent.futures.ThreadPoolExecutor() as pool:
        outcomes = list(pool.map(lambda r: run(r[0], r[1]), runs))
    for (build, cases, tag), (why_not, roots) in zip(runs, outcomes):
        if why_not:
            print(why_not)
            skipped += len(cases)
            continue
        for case, root in zip(cases, roots):
            difference = check(case, Observed(root, case.log_file))
            passed, failed = passed + (difference is None), failed + (difference is not None)
            if difference:
                print(f'FAIL {case.table}/{case.name}{tag}: {difference[0]}: expected {difference[1]!r}, observed {difference[2]!r}')
    print(f'{passed} passed, {failed} failed' + (f', {skipped} skipped' if skipped else ''))
    return 1 if failed or not passed else 0


if __name__ == '__main__':
    sys.exit(main())
