"""Choosing the runtime: a private one first, else the highest registered one in the version range, and its
jvm.dll among the four places. Runtimes here mostly carry no loadable jvm.dll, so the message names the
directory or library chosen."""
from cases import *

INSTALLED = runtimes(*((subkey, f'%APP%\\home-{subkey}') for subkey in ('1.4', '1.4.2_03', '1.5', '1.5.0_06')))


def bounds(minimum, maximum):
    lines = [f'{key} Version={value}' for key, value in (('Minimum', minimum), ('Maximum', maximum)) if value is not None]
    return MINIMAL + ''.join(line + '\r\n' for line in lines)


def ranged(minimum, maximum, chosen=None, requirement=None, reg=INSTALLED):
    return Case(f'range {minimum} to {maximum}', ini=bounds(minimum, maximum), runtime=None, reg=reg, args='-nosplash',
                box=no_jvm(f'%APP%\\home-{chosen}\\') if chosen else not_found(requirement))


def candidates(name, entries, chosen):
    files = {'bin\\java.dll': ''}
    files.update({entry: DIR if entry.endswith('\\') else 'not a library' for entry in entries})
    return Case(name, runtime=None, files=files,
                box=load_failed(f'%APP%\\{chosen}') if chosen else no_jvm('%APP%\\'))


LONG_HOME = 'C:\\' + 'h' * 32600
HOME = [('runtime\\bin\\client\\jvm.dll', STANDIN)]


def java_home(name, kind, data, box=None, **fields):
    return Case(name, runtime=None, files=dict(HOME), ini=bounds('any', 'any'), args='-nosplash', box=box, **fields,
                reg=[(f'{JRE_KEY}\\1.8.0_20', 'JavaHome', kind, data)])


CASES = [
    Case('jre\\ holds a private runtime', runtime=None, ini=bounds('9', '9.1'), reg=runtimes(('1.5.0_06', '%APP%\\installed')),
         files={'jre\\bin\\java.dll': '', 'installed\\bin\\java.dll': '', 'installed\\bin\\client\\jvm.dll': ''},
         box=no_jvm('%APP%\\jre\\')),
    Case('a private runtime wins over a registered one in range', ini=bounds('any', 'any'),
         reg=runtimes(('1.5.0_06', '%APP%\\installed')), files={'installed\\bin\\client\\jvm.dll': 'not a library'}),
    Case('the exe\'s own directory comes before jre\\', runtime=None, ini=bounds('9', '9.1'),
         files={'jre\\bin\\java.dll': '', 'jre\\bin\\client\\jvm.dll': '', 'bin\\java.dll': ''}, box=no_jvm('%APP%\\')),
    Case('a jre\\ without java.dll is ignored', runtime=None, ini=bounds('1.4', 'any'), reg=runtimes(('1.5', '%APP%\\home-1.5')),
         files={'jre\\bin\\client\\jvm.dll': '', 'bin\\client\\jvm.dll': ''}, box=no_jvm('%APP%\\home-1.5\\')),
    ranged('1.4', 'any', '1.5.0_06'), ranged('any', '1.4', '1.4.2_03'), ranged('1.6', 'any', requirement='minimum 1.6'),
    ranged('any', 'any', '1.5.0_06'), ranged('1.4', '1.5', '1.5.0_06'), ranged('1.4', '1.4.2', '1.4.2_03'),
    ranged('1.5', '1.5.0.5', '1.5'), ranged('1.4.2.3', '1.4.2.3', '1.4.2_03'),
    ranged('1.4.2.4', '1.4.2.4', requirement='version 1.4.2.4 is required'),
    ranged('1.4.1', '1.4.1', requirement='between 1.4.1 and 1.4.1'), ranged('any', '1.3', requirement='maximum 1.3'),
    ranged('1.5', '1.4', requirement='between 1.5 and 1.4'), ranged('Any', 'any', '1.5.0_06'),
    # An unset upper bound reads as no bound, in the message and in the search alike.
    ranged(None, None, '1.5.0_06'), ranged('1.4.2', '', '1.5.0_06'), ranged(None, '1.4.2', '1.4.2_03'),
    *[ranged(minimum, maximum, requirement=text, reg=[]) for minimum, maximum, text in (
        ('any', 'any', 'latest version'), (None, None, 'latest version'), ('any', '1.5', 'maximum 1.5'),
        ('1.4', None, 'minimum 1.4'), ('1.4', '1.4', 'between 1.4 and 1.4'))],
    # The registry lists subkeys sorted by name: 1.05 comes before 1.5 and 1.5.0, which read as the same version.
    ranged('any', 'any', '1.05', reg=runtimes(*((k, f'%APP%\\home-{k}') for k in ('1.5.0', '1.5', '1.05', '1.4')))),
    ranged('any', 'any', requirement='latest version', reg=[(JRE_KEY, '', 'none', b'')]),
    ranged('any', 'any', requirement='latest version', reg=runtimes(('CurrentVersion', 'C:\\x'), ('beta', 'C:\\y'))),
    ranged('1.4', 'any', requirement='minimum 1.4', reg=runtimes(('1.4', 'C:\\x')) + [(f'{JRE_KEY}\\1.5', 'Description', 'sz', 'no home')]),
    ranged('1.4', 'any', requirement='minimum 1.4', reg=runtimes(('1.4', 'C:\\x')) + [(f'{JRE_KEY}\\1.5', 'JavaHome', 'binary', b'')]),
    Case('a JavaHome ending in a backslash gets no second one', runtime=None, ini=bounds('any', 'any'),
         reg=runtimes(('1.5.0_06', 'C:\\Java\\j2re1.5.0_06\\')), box=no_jvm('C:\\Java\\j2re1.5.0_06\\')),
    candidates('client before server', ['bin\\client\\jvm.dll', 'bin\\server\\jvm.dll'], 'bin\\client\\jvm.dll'),
    candidates('server before classic and hotspot', ['bin\\server\\jvm.dll', 'bin\\classic\\jvm.dll', 'bin\\hotspot\\jvm.dll'],
               'bin\\server\\jvm.dll'),
    candidates('classic before hotspot', ['bin\\hotspot\\jvm.dll', 'bin\\classic\\jvm.dll'], 'bin\\classic\\jvm.dll'),
    candidates('hotspot last', ['bin\\hotspot\\jvm.dll'], 'bin\\hotspot\\jvm.dll'),
    candidates('a directory without jvm.dll is passed over', ['bin\\client\\', 'bin\\client\\jvm.dll.bak', 'bin\\server\\jvm.dll'],
               'bin\\server\\jvm.dll'),
    candidates('only the four places count', ['bin\\jvm.dll', 'jvm.dll', 'bin\\jrockit\\jvm.dll', 'lib\\client\\jvm.dll'], None),
    Case('a directory named jvm.dll counts', runtime=None, files={'bin\\java.dll': '', 'bin\\client\\jvm.dll\\': DIR,
                                                                  'bin\\server\\jvm.dll': ''},
         box=load_failed('%APP%\\bin\\client\\jvm.dll', 5)),
    Case('a thousand runtimes yield the highest', runtime=None, files=dict(HOME), ini=bounds('any', 'any'),
         reg=runtimes(('1.8.0_999', '%APP%\\runtime')) + [(f'{JRE_KEY}\\1.8.0_{u}', '', 'none', b'') for u in range(999)]),
    Case('a subkey name of 255 characters', runtime=None, files=dict(HOME), ini=bounds('any', 'any'), arches=BOTH,
         reg=runtimes(('1.8', 'C:\\not chosen'), ('1.9.0_' + 'x' * 249, '%APP%\\runtime'))),
    java_home('JavaHome as REG_DWORD', 'dword', 0x41, no_jvm('A\\')),
    java_home('JavaHome as REG_BINARY without a NUL', 'binary', '%APP%\\runtime', arches=BOTH),
    java_home('REG_EXPAND_SZ is not expanded', 'expand', '%SystemRoot%\\java', no_jvm('%SystemRoot%\\java\\')),
    java_home('JavaHome empty', 'binary', b'\0', no_jvm('\\')),
    java_home('JavaHome of 32,600 characters', 'sz', LONG_HOME, no_jvm(LONG_HOME + '\\')),
    java_home('JavaHome that does not exist', 'sz', '%APP%\\no such runtime', no_jvm('%APP%\\no such runtime\\')),
    # 0x95 0x5C is one character of code page 932 whose trail byte is a backslash.
    Case('a double-byte exe name ending in byte 5C', cp=932, exe='App表.exe', runtime=None, files={'bin\\java.dll': ''}, arches=BOTH,
         args='-nosplash', box=no_jvm('%APP%\\')),
    Case('a double-byte JavaHome ending in byte 5C', cp=932, exe='App表.exe', runtime=None, ini=bounds('any', 'any'), arches=BOTH,
         reg=runtimes(('1.6', '%APP%\\Java表')), box=no_jvm('%APP%\\Java表\\')),
]
