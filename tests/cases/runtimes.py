"""Choosing the runtime: a private one first, else the highest installed one in the version range, and its jvm.dll
among the four places. Runtimes here mostly carry no loadable jvm.dll, so the message names the one chosen."""
from cases import *

INSTALLED = runtimes(*((subkey, f'%APP%\\home-{subkey}') for subkey in ('1.4', '1.4.2_03', '1.5', '1.5.0_06')))


def bounds(minimum, maximum):
    lines = [f'{key} Version={value}' for key, value in (('Minimum', minimum), ('Maximum', maximum)) if value is not None]
    return MINIMAL + ''.join(line + '\r\n' for line in lines)


def ranged(minimum, maximum, chosen=None, requirement=None, reg=INSTALLED):
    return Case(f'range {minimum} to {maximum}', ini=bounds(minimum, maximum), runtime=None, reg=reg, args='-nosplash',
                box=no_jvm(f'%APP%\\home-{chosen}\\') if chosen else not_found(requirement))


def candidates(name, entries, chosen):
    files = {'bin\\java.dll': '', **{entry: DIR if entry.endswith('\\') else 'not a library' for entry in entries}}
    return Case(name, runtime=None, files=files, box=load_failed(f'%APP%\\{chosen}') if chosen else no_jvm('%APP%\\'))


LONG_HOME = 'C:\\' + 'h' * 32600
HOME = [('runtime\\bin\\client\\jvm.dll', STANDIN)]


# jvm_dep.dll fails with 126 where standindep.dll is not found: the message names the home chosen.
JVM_DEP, STANDIN_DEP = Built('tests/standin/jvm_dep.dll'), Built('tests/standin/standindep.dll')
STANDIN_OTHER = Built('tests/standin/jvm.dll', arch=OTHER)
PLACES = [(f'JavaSoft\\{kit}\\{version}', 'JavaHome') for kit, version in (
    ('JDK', '17'), ('JRE', '17.0.9'), ('Java Development Kit', '1.8.0_392'))] + [
    (f'{vendor}\\{kit}\\17.0.9.9\\hotspot\\MSI', 'Path') for vendor in ('Eclipse Adoptium', 'AdoptOpenJDK',
     'Eclipse Foundation') for kit in ('JDK', 'JRE')] + [
    ('Microsoft\\JDK\\17.0.9.8\\hotspot\\MSI', 'Path'), ('Azul Systems\\Zulu\\zulu-17', 'InstallationPath')]


def home(name, release=None, jvm=JVM_DEP):
    return {f'{name}\\bin\\server\\jvm.dll': jvm, **({f'{name}\\release': f'IMPLEMENTOR="X"\nJAVA_VERSION="{release}"\n'}
                                                     if release else {})}


def at(key, value, directory): return (f'Software\\{key}', value, 'sz', f'%APP%\\{directory}')


def installed(name, chosen=None, box=None, ini=MINIMAL, **fields):
    return Case(name, runtime=None, ini=ini, args='-nosplash', **fields,
                box=box or load_failed(f'%APP%\\{chosen}\\bin\\server\\jvm.dll', 126))


CLASSIC = 'JavaSoft\\Java Runtime Environment\\1.8'


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
    ranged('1.5', '1.5.0.5', '1.5'), ranged('1.4.2.3', '1.4.2.3', '1.4.2_03'), ranged('Any', 'any', '1.5.0_06'),
    ranged('1.4.2.4', '1.4.2.4', requirement='version 1.4.2.4 is required'),
    ranged('1.4.1', '1.4.1', requirement='between 1.4.1 and 1.4.1'), ranged('any', '1.3', requirement='maximum 1.3'),
    ranged('1.5', '1.4', requirement='between 1.5 and 1.4'),
    # An unset upper bound reads as no bound, in the message and in the search alike.
    ranged(None, None, '1.5.0_06'), ranged('1.4.2', '', '1.5.0_06'), ranged(None, '1.4.2', '1.4.2_03'),
    *[ranged(minimum, maximum, requirement=text, reg=[]) for minimum, maximum, text in (
        ('any', 'any', 'latest version'), (None, None, 'latest version'), ('1.4', None, 'minimum 1.4'))],
    # How version texts read, each shown in its short form by the message: digit runs, fill, wrap-around.
    *[ranged(minimum, maximum, requirement=text, reg=[]) for minimum, maximum, text in (
        ('1.4.2_03', 'any', 'minimum 1.4.2.3'), ('jdk1-2b3', 'any', 'minimum 1.2.3'), ('any', '1.5.0', 'maximum 1.5'),
        ('1.2.3.4.5', 'any', 'minimum 1.2.3.4'), ('007.010', 'any', 'minimum 7.10'), ('any', '0', 'maximum 0.0.0.0'),
        ('4294967296.1', 'any', 'minimum 0.1'), ('2147483648', 'any', 'minimum -2147483648'), ('1', '1', 'between 1 and 1'),
        ('1.2.3.99999999999999999999999', 'any', 'minimum 1.2.3.-159383553'), ('1.8', '8', 'between 1.8 and 8'))],
    # Java 8 and older by either name: 8.0.392 as current installers register it is 1.8.0_392.
    *[ranged(minimum, maximum, '1.8.0_392', reg=runtimes(*((k, f'%APP%\\home-{k}') for k in names)))
      for minimum, maximum, names in (('8', '8', ('1.8.0_392', '1.7.0_80')), ('any', 'any', ('8.0.391', '1.8.0_392')))],
    ranged('any', 'any', '1.4.10', reg=runtimes(('1.4.2', '%APP%\\home-1.4.2'), ('1.4.10', '%APP%\\home-1.4.10'))),
    # The registry lists subkeys sorted by name: 1.05 comes before 1.5 and 1.5.0, which read as the same version.
    ranged('any', 'any', '1.05', reg=runtimes(*((k, f'%APP%\\home-{k}') for k in ('1.5.0', '1.5', '1.05', '1.4')))),
    ranged('any', 'any', requirement='latest version', reg=[(JRE_KEY, 'Description', 'sz', 'no runtimes')]),
    ranged('any', 'any', requirement='latest version', reg=runtimes(('CurrentVersion', 'C:\\x'), ('beta', 'C:\\y'))),
    ranged('1.4', 'any', requirement='minimum 1.4', reg=runtimes(('1.4', 'C:\\x')) + [(f'{JRE_KEY}\\1.5', 'Description', 'sz', 'no home')]),
    ranged('1.4', 'any', requirement='minimum 1.4', reg=runtimes(('1.4', 'C:\\x')) + [(f'{JRE_KEY}\\1.5', 'JavaHome', 'binary', b'')]),
    Case('a JavaHome ending in a backslash gets no second one', runtime=None, ini=bounds('any', 'any'),
         reg=runtimes(('1.5.0_06', 'C:\\Java\\j2re1.5.0_06\\')), box=no_jvm('C:\\Java\\j2re1.5.0_06\\')),
    candidates('client before server', ['bin\\client\\jvm.dll', 'bin\\server\\jvm.dll'], 'bin\\client\\jvm.dll'),
    candidates('a directory without jvm.dll is passed over', ['bin\\client\\', 'bin\\client\\jvm.dll.bak', 'bin\\server\\jvm.dll'],
               'bin\\server\\jvm.dll'),
    candidates('only the four places count', ['bin\\jvm.dll', 'jvm.dll', 'bin\\jrockit\\jvm.dll', 'lib\\client\\jvm.dll'], None),
    Case('a directory named jvm.dll counts', runtime=None, box=load_failed('%APP%\\bin\\client\\jvm.dll', 5),
         files={'bin\\java.dll': '', 'bin\\client\\jvm.dll\\': DIR, 'bin\\server\\jvm.dll': ''}),
    Case('a thousand runtimes yield the highest', runtime=None, files=dict(HOME), ini=bounds('any', 'any'),
         reg=runtimes(('1.8.0_999', '%APP%\\runtime')) + [(f'{JRE_KEY}\\1.8.0_{u}', 'Description', 'sz', '') for u in range(999)]),
    Case('a subkey name of 255 characters', runtime=None, files=dict(HOME), ini=bounds('any', 'any'), arches=EVERY,
         reg=runtimes(('1.8', 'C:\\not chosen'), ('1.9.0_' + 'x' * 249, '%APP%\\runtime'))),
    java_home('JavaHome as REG_BINARY without a NUL', 'binary', '%APP%\\runtime', arches=EVERY),
    java_home('REG_EXPAND_SZ is not expanded, so relative', 'expand', '%SystemRoot%\\java', not_found('latest version')),
    java_home('JavaHome of 32,600 characters', 'sz', LONG_HOME, no_jvm(LONG_HOME + '\\')),
    # 0x95 0x5C is one character of code page 932 whose trail byte is a backslash.
    Case('a double-byte exe name ending in byte 5C', cp=932, exe='App表.exe', runtime=None, files={'bin\\java.dll': ''}, arches=EVERY,
         args='-nosplash', box=no_jvm('%APP%\\')),
    Case('a double-byte JavaHome ending in byte 5C', cp=932, exe='App表.exe', runtime=None, ini=bounds('any', 'any'), arches=EVERY,
         reg=runtimes(('1.6', '%APP%\\Java表')), box=no_jvm('%APP%\\Java表\\')),
    *[installed(f'found below {key}', reg=[at(key, value, 'home')], chosen='home', files=home('home', '17.0.9'))
      for key, value in PLACES],
    installed('the classic key keeps priority', reg=runtimes(('1.8', '%APP%\\old')) + [at('JavaSoft\\JDK\\21', 'JavaHome', 'new')],
              chosen='old', files={**home('old'), **home('new')}),
    installed('a classic subkey without JavaHome lets the search go on', chosen='new', files=home('new'),
              reg=[(f'{JRE_KEY}\\1.9', 'Description', 'sz', 'x'), at('JavaSoft\\JDK\\17', 'JavaHome', 'new')]),
    installed('the highest of all places, JAVA_HOME included', env={'JAVA_HOME': '%APP%\\jh'}, chosen='jh',
              reg=[at('JavaSoft\\JDK\\11', 'JavaHome', 'a'), at('Azul Systems\\Zulu\\zulu-17', 'InstallationPath', 'z')],
              files={**home('a'), **home('z', '17.0.1'), **home('jh', '17.0.2')}),
    installed('equal versions: the earlier place wins', env={'JAVA_HOME': '%APP%\\jh'}, chosen='a',
              reg=[at('JavaSoft\\JRE\\17', 'JavaHome', 'b'), at('JavaSoft\\JDK\\17', 'JavaHome', 'a')],
              files={**home('a'), **home('b'), **home('jh', '17')}),
    installed('stale, wrong-machine and versionless homes are passed over', chosen='a', arches=EVERY, files={
        **home('a'), **home('other', '25', STANDIN_OTHER), 'empty\\release': 'JAVA_VERSION="24"\n', **home('noversion')},
        reg=[at('JavaSoft\\JDK\\25', 'JavaHome', 'other'), at('JavaSoft\\JDK\\26', 'JavaHome', 'gone'),
             at('JavaSoft\\JDK\\24', 'JavaHome', 'empty'), at('JavaSoft\\JDK\\17', 'JavaHome', 'a'),
             at('Azul Systems\\Zulu\\zulu-21', 'InstallationPath', 'noversion')]),
    # An empty or relative home, read from the current directory (the exe's, holding rel\) or its drive's root.
    *[installed(f'{value} {data!r}{" below " + key if key else ""} is passed over', chosen='a',
                reg=[at('JavaSoft\\JDK\\11', 'JavaHome', 'a')] + ([(f'Software\\{key}', value, 'sz', data)] if key else []),
                files={**home('a'), **home('rel', '21')}, env={} if key else {value: data}) for key, value, data in (
        (CLASSIC, 'JavaHome', ''), (CLASSIC, 'JavaHome', 'rel'), (CLASSIC, 'JavaHome', '\\rel'),
        ('JavaSoft\\JDK\\21', 'JavaHome', 'rel'), ('Eclipse Adoptium\\JDK\\21\\hotspot\\MSI', 'Path', 'rel'),
        ('Azul Systems\\Zulu\\zulu-21', 'InstallationPath', 'rel'), (None, 'JAVA_HOME', 'rel'))],
    installed('8.0.392.8 is inside Maximum Version=1.8', ini=bounds(None, '1.8'), chosen='p', files={**home('p'), **home('n')},
              reg=[at('Eclipse Adoptium\\JDK\\8.0.392.8\\hotspot\\MSI', 'Path', 'p'), at('JavaSoft\\JDK\\17', 'JavaHome', 'n')]),
    installed('1.8.0_392 and 8.0.392.8 are equal: the earlier place wins', chosen='c', files={**home('c'), **home('p')},
              reg=[at('JavaSoft\\JDK\\1.8.0_392', 'JavaHome', 'c'), at('Eclipse Adoptium\\JDK\\8.0.392.8\\hotspot\\MSI', 'Path', 'p')]),
    installed('Download Page names the address', ini=bounds('17', None) + 'Download Page=https://example.com/get%20java\r\n',
              box=not_found('minimum 17').replace('https://www.java.com/getjava/download.html', 'https://example.com/get%20java')),
    *[Case(f'a {what} outside the code page', runtime=None, files=home('Дом', '17', STANDIN), main='com/example/Main',
           **fields) for what, fields in (('JavaHome', dict(reg=[at('JavaSoft\\JDK\\17', 'JavaHome', 'Дом')])),
                                          ('JAVA_HOME', dict(env={'JAVA_HOME': '%APP%\\Дом'})))],
    *[Case(f'the C runtime only in the runtime\'s bin{what}', runtime=None, main='com/example/Main', files={
        'bin\\java.dll': '', 'bin\\standindep.dll': STANDIN_DEP, 'bin\\client\\jvm.dll': JVM_DEP, **planted})
      for what, planted in (('', {}), (', a copy without its export beside the executable', {'standindep.dll': STANDIN}))],
]
