#!/usr/bin/python3
"""Figures, not tests: what whole launches cost under Wine against the stand-in virtual machine, laid out
and launched with the test driver's own helpers. Needs a build from ./build.sh first.

Usage: tests/support/with-wine.sh build/x64 bench/bench.py build/x64 [overhead|scale] [runs]
  overhead  the launcher against a minimal host of the same jvm.dll: medians and their ratio
  scale     the launcher's cost over a baseline launch as registered runtimes, VM parameters, class path
            and program arguments each grow tenfold twice"""
import os, statistics, sys
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests'))
import run
from cases import Built, Case, JRE_KEY, MINIMAL, STANDIN, ini


def medians(build, cases, runs):
    """Median seconds per case; the cases take turns in one batch so that drift hits them alike."""
    entries = []
    for index, case in enumerate(cases):
        case.table, root = 'bench', os.path.join(build.dir, 'cases', f'bench-{index}')
        entries.append((root, run.batch_entry(case, root, run.layout(case, root, build), build)))
    run.run_probe(build, {1252: [entry.replace('probe.txt', f'probe{r}.txt') for r in range(runs + 1) for _, entry in entries]})
    def elapsed(root, r):
        lines = open(os.path.join(root, f'probe{r}.txt'), encoding='utf-8').read().splitlines()
        return next(int(line.split()[1]) for line in lines if line.startswith('elapsed ')) / 1e6
    return [statistics.median(elapsed(root, r) for r in range(1, runs + 1)) for root, _ in entries]  # run 0 warms up


def overhead(build, runs):
    host = Case('minimal host', files={'minimal_host.exe': Built('bench/minimal_host.exe')},
                line='"%APP%\\minimal_host.exe" %APP%\\bin\\client\\jvm.dll app.jar com/example/Main')
    launcher, minimal = medians(build, [Case('launcher'), host], runs)
    print(f'launcher {launcher * 1000:.0f} ms, minimal host {minimal * 1000:.0f} ms, ratio {launcher / minimal:.2f} '
          f'(medians of {runs} runs)')


def scale(build, runs):
    installed = lambda n: Case(f'{n} runtimes', runtime=None, files={'rt\\bin\\client\\jvm.dll': STANDIN},
                               ini=MINIMAL + 'Maximum Version=any\r\n',
                               reg=[(f'{JRE_KEY}\\1.8.0_{i}', 'JavaHome', 'sz', '%APP%\\rt') for i in range(n)])
    parameters = lambda n: Case(f'{n} VM parameters', ini=MINIMAL + 'Virtual Machine Parameters=' +
                                ' '.join(f'-Dkey{i}=value' for i in range(n)) + '\r\n')
    class_path = lambda kib: Case(f'{kib} KiB class path', ini=ini(('Class Path', 'Class Path=' + 'a' * (kib * 1024)),
                                                                    ('Java Runtime Environment', 'Main Class=com.example.Main')))
    arguments = lambda n: Case(f'{n} arguments', args=' '.join(f'argument{i}' for i in range(n)))
    rows = [(grow, size) for grow, sizes in ((installed, (10, 100, 1000)), (parameters, (100, 1000, 10000)),
                                             (class_path, (10, 100, 1000)), (arguments, (10, 100, 1000)))
            for size in sizes]
    baseline, *timed = medians(build, [Case('baseline')] + [grow(size) for grow, size in rows], runs)
    print(f'baseline {baseline * 1000:.0f} ms (median of {runs} runs); cost over it:')
    for (grow, size), seconds in zip(rows, timed):
        print(f'  {grow(size).name:>24}: {(seconds - baseline) * 1000:6.0f} ms')


if __name__ == '__main__':
    what, runs = (sys.argv[2:3] or ['overhead'])[0], int((sys.argv[3:4] or ['30'])[0])
    (overhead if what == 'overhead' else scale)(run.Build(sys.argv[1]), runs)
