#!/usr/bin/python3
"""Usage: brand.py BRAND_FILE OUTDIR [--arch ARCH]... [--build-root DIR]

Builds the launcher as an application's own executables: its name, icon group 128, version block and manifest
options, as the brand file (an INI file) describes them, optionally signed with Authenticode. Writes
OUTDIR/<arch>/<Name>.exe and OUTDIR/<arch>/console/<Name>.exe for every architecture (or those named by --arch).
Each architecture is built with the project's own toolchain in BUILD_ROOT/<arch> (build/brand/<arch> by default),
which later runs reuse; one that ./build.sh could not build here (ARM64 without its kit) is skipped with a line
saying why. Every input is checked before anything is built; a bad one stops the command with one line
naming it. The executables are made and signed in a temporary directory and moved into OUTDIR only once all are."""
import argparse, configparser, fcntl, os, re, shutil, subprocess, sys, tempfile

PROJECT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TOOLKIT = os.path.join(PROJECT, 'build', 'arm64-toolkit')  # the ARM64 kit's runtime and import libraries, from ./build.sh
# The architectures the launcher is built for: each one's CMake toolchain file in cmake/ and what else it is given.
ARCHES = {'x86': ['mingw-i686.cmake'], 'x64': ['mingw-x86_64.cmake'],
          'arm64': ['clang-aarch64.cmake', f'-DARM64_TOOLKIT={TOOLKIT}']}
TEXTS = {'Company Name': 'CompanyName', 'File Description': 'FileDescription', 'Product Name': 'ProductName',
         'Legal Copyright': 'LegalCopyright'}
EXECUTION_LEVELS = ('asInvoker', 'requireAdministrator')
DPI_AWARENESS = ('PerMonitor', 'System', 'Unaware')
RESERVED_NAMES = {'CON', 'PRN', 'AUX', 'NUL', *(f'{port}{n}' for port in ('COM', 'LPT') for n in range(1, 10))}
PASSWORD_VARIABLE = 'BRAND_SIGNING_PASSWORD'


class BadInput(Exception):
    def __init__(self, key, problem): super().__init__(f'{key}: {problem}')


def read_brand_file(path):
    ini = configparser.ConfigParser(interpolation=None, comment_prefixes=(';', '#'), empty_lines_in_values=False)
    try:
        with open(path, encoding='utf-8-sig') as file:
            ini.read_file(file)
    except OSError as error:
        raise BadInput('brand file', error.strerror.lower())
    except UnicodeDecodeError:
        raise BadInput('brand file', 'not UTF-8 text')
    except configparser.Error as error:
        raise BadInput('brand file', error.message.splitlines()[0])
    # Section and key names match regardless of case, as in the launcher's own INI files.
    return {(section.lower(), key): value.strip() for section in ini.sections() for key, value in ini[section].items()}


def checked_name(name):
    if not name:
        raise BadInput('Name', 'missing')
    if re.search(r'[<>:"/\\|?*\x00-\x1f]', name) or name[-1] in '. ' or name.split('.')[0].upper() in RESERVED_NAMES \
            or len(name) > 251:
        raise BadInput('Name', f'"{name}" is not a valid Windows file name')
    return name


def checked_version(key, text):
    numbers = text.split('.')
    if not re.fullmatch(r'\d{1,5}(\.\d{1,5}){0,3}', text) or any(int(n) > 65535 for n in numbers):
        raise BadInput(key, f'"{text}" is not up to four numbers 0-65535 separated by dots')
    return [int(n) for n in numbers] + [0] * (4 - len(numbers))


def checked_icon(path):
    """The .ico file's bytes once its directory and every image in it hold together."""
    try:
        data = open(path, 'rb').read()
    except OSError as error:
        raise BadInput('Icon', f'{path}: {error.strerror.lower()}')
    bad = lambda why: BadInput('Icon', f'{path} is not a usable .ico file: {why}')
    if len(data) < 6 or data[:4] != b'\0\0\1\0' or not int.from_bytes(data[4:6], 'little'):
        raise bad('no icon directory')
    for index in range(int.from_bytes(data[4:6], 'little')):
        entry = data[6 + 16 * index:22 + 16 * index]
        if len(entry) < 16:
            raise bad('the directory is cut off')
        size, offset = int.from_bytes(entry[8:12], 'little'), int.from_bytes(entry[12:16], 'little')
        image = data[offset:offset + size]
        if size < 40 or len(image) != size:
            raise bad(f'image {index + 1} lies outside the file')
        if not image.startswith(b'\x89PNG\r\n\x1a\n') and int.from_bytes(image[:4], 'little') != 40:
            raise bad(f'image {index + 1} is neither PNG nor a bitmap')
    return data


def rc_text(text): return '"' + text.replace('\\', '\\\\').replace('"', '""') + '"'  # windres ends it with a null


def resource_script(brand, icon_path):
    """Icon group 128 and the version block, in UTF-8 so that every text arrives as written."""
    numbers = lambda version: ', '.join(map(str, version))
    strings = {**brand['texts'], 'FileVersion': brand['file_version_text'], 'ProductVersion': brand['product_version_text'],
               'InternalName': brand['name'], 'OriginalFilename': brand['name'] + '.exe'}
    values = ''.join(f'            VALUE "{key}", {rc_text(value)}\n' for key, value in strings.items())
    return f'''#pragma code_page(65001)
#include <windows.h>

128 ICON {rc_text(icon_path)}

VS_VERSION_INFO VERSIONINFO
FILEVERSION     {numbers(brand['file_version'])}
PRODUCTVERSION  {numbers(brand['product_version'])}
FILEFLAGSMASK   VS_FFI_FILEFLAGSMASK
FILEFLAGS       0
FILEOS          VOS_NT_WINDOWS32
FILETYPE        VFT_APP
FILESUBTYPE     VFT2_UNKNOWN
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040904b0"
        BEGIN
{values}        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x409, 1200
    END
END
'''


def checked_choice(key, text, choices):
    match = [choice for choice in choices if choice.lower() == text.lower()]
    if not match:
        raise BadInput(key, f'"{text}" is none of {", ".join(choices)}')
    return match[0]


def checked_signing(values, here):
    certificate = values.get(('signing', 'certificate'), '')
    if not certificate:
        return None
    paths = {'Certificate': os.path.join(here, certificate)}
    key = values.get(('signing', 'key'), '')
    paths['Key'] = os.path.join(here, key) if key else paths['Certificate']
    for what, path in paths.items():
        if not os.path.isfile(path):
            raise BadInput(what, f'{path}: no such file')
    if not shutil.which('osslsigncode'):
        raise BadInput('Certificate', 'signing needs osslsigncode, which is not installed (apt-get install osslsigncode)')
    with open(paths['Certificate'], 'rb') as file:
        pem = b'-----BEGIN' in file.read()
    return dict(pem=pem, **paths, timestamp=values.get(('signing', 'timestamp url'), ''))


def read_brand(path):
    values, here = read_brand_file(path), os.path.dirname(os.path.abspath(path))
    get = lambda section, key, default='': values.get((section, key.lower()), '') or default
    name = checked_name(get('application', 'Name'))
    file_version_text = get('application', 'File Version')
    if not file_version_text:
        raise BadInput('File Version', 'missing')
    product_version_text = get('application', 'Product Version', file_version_text)
    icon = get('application', 'Icon')
    if not icon:
        raise BadInput('Icon', 'missing')
    return dict(name=name, icon=checked_icon(os.path.join(here, icon)),
                file_version=checked_version('File Version', file_version_text), file_version_text=file_version_text,
                product_version=checked_version('Product Version', product_version_text),
                product_version_text=product_version_text,
                texts={field: get('application', key, name if field in ('FileDescription', 'ProductName') else '')
                       for key, field in TEXTS.items()},
                level=checked_choice('Execution Level', get('manifest', 'Execution Level', 'asInvoker'), EXECUTION_LEVELS),
                dpi=checked_choice('DPI Awareness', get('manifest', 'DPI Awareness', 'PerMonitor'), DPI_AWARENESS),
                signing=checked_signing(values, here))


def run_logged(command, log):
    with open(log, 'a') as out:
        return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL).returncode == 0


def build(brand, arch, build_dir):
    """Builds one architecture's GUI and console executables; returns their paths, or None (the log says why)."""
    resources = os.path.join(build_dir, 'brand')
    os.makedirs(resources, exist_ok=True)
    icon = os.path.join(resources, 'application.ico')
    with open(icon, 'wb') as file:
        file.write(brand['icon'])
    script = os.path.join(resources, 'identity.rc')
    with open(script, 'w', encoding='utf-8') as file:
        file.write(resource_script(brand, icon))
    log = os.path.join(build_dir, 'brand.log')
    open(log, 'w').close()
    configured = run_logged(['cmake', '-S', PROJECT, '-B', build_dir, '-G', 'Ninja', '-DCMAKE_BUILD_TYPE=MinSizeRel',
                             f'-DCMAKE_TOOLCHAIN_FILE={PROJECT}/cmake/{ARCHES[arch][0]}', *ARCHES[arch][1:], '-DBUILD_TESTING=OFF',
                             f'-DLAUNCHER_IDENTITY_RC={script}', f'-DLAUNCHER_EXECUTION_LEVEL={brand["level"]}',
                             f'-DLAUNCHER_DPI_AWARENESS={brand["dpi"]}'], log)
    built = configured and run_logged(['cmake', '--build', build_dir, '--target', 'launcher', 'launcher-console'], log)
    return built and [os.path.join(build_dir, exe) for exe in ('launcher.exe', 'launcher-console.exe')]


def sign(signing, name, path, log):
    credentials = ['-certs', signing['Certificate'], '-key', signing['Key']] if signing['pem'] else \
        ['-pkcs12', signing['Certificate']]
    # The password goes through a file only this user can read, not the command line every user's process list shows.
    with tempfile.NamedTemporaryFile('w', dir=os.path.dirname(path), suffix='.pass') as secret:
        secret.write(os.environ.get(PASSWORD_VARIABLE, ''))
        secret.flush()
        command = ['osslsigncode', 'sign', *credentials, *(['-readpass', secret.name] if PASSWORD_VARIABLE in os.environ else []),
                   '-n', name, '-h', 'sha256', *(['-ts', signing['timestamp']] if signing['timestamp'] else []),
                   '-in', path, '-out', path + '.signed']
        if not run_logged(command, log):
            return False
    os.replace(path + '.signed', path)
    return True


def make(brand, arch, build_dir, staging, brand_file):
    """One architecture's executables, built and signed in the staging directory: [(made, place in OUTDIR)], or the
    line that says why not. Another brand in the same build directory finishes first."""
    os.makedirs(build_dir, exist_ok=True)
    log = os.path.join(build_dir, 'brand.log')
    with open(os.path.join(build_dir, 'brand.lock'), 'w') as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        built = build(brand, arch, build_dir)
        if not built:
            return f'building for {arch} failed; see {log}'
        made = []
        for exe, place in zip(built, (arch, os.path.join(arch, 'console'))):
            made.append((os.path.join(staging, place.replace(os.sep, '-') + '.exe'), os.path.join(place, brand['name'] + '.exe')))
            shutil.copyfile(exe, made[-1][0])
            if brand['signing'] and not sign(brand['signing'], brand['name'], made[-1][0], log):
                return f'{brand_file}: Certificate: signing failed; see {log}'
    return made


def not_built(arch):
    """Why ./build.sh could not build the architecture here (the ARM64 kit is missing, say), or None."""
    said = os.path.join(PROJECT, 'build', arch, 'not-built.txt')
    if os.path.exists(said):
        return open(said).read().strip()
    if arch == 'arm64' and not os.path.exists(os.path.join(TOOLKIT, 'lib', 'libarm64crt.a')):
        return 'its toolchain is not prepared; ./build.sh prepares it'
    return None


def fail(line):
    print(f'brand: {line}', file=sys.stderr)
    return 1


def main():
    parser = argparse.ArgumentParser(prog='brand', usage=__doc__.splitlines()[0][7:])
    parser.add_argument('brand_file')
    parser.add_argument('outdir')
    parser.add_argument('--arch', action='append', choices=list(ARCHES))
    parser.add_argument('--build-root', default=os.path.join(PROJECT, 'build', 'brand'))
    args = parser.parse_args()
    try:
        brand = read_brand(args.brand_file)
    except BadInput as error:
        return fail(f'{args.brand_file}: {error}')
    outdir = os.path.abspath(args.outdir)
    if os.path.exists(outdir) and not os.path.isdir(outdir):
        return fail(f'{args.outdir}: not a directory')
    os.makedirs(outdir, exist_ok=True)
    finished = []  # (made in the temporary directory, its place in OUTDIR)
    with tempfile.TemporaryDirectory(dir=outdir, prefix='.brand-') as staging:
        for arch in args.arch or ARCHES:
            if why := not_built(arch):
                print(f'brand: {arch} skipped: {why}', file=sys.stderr)
                continue
            build_dir = os.path.join(os.path.abspath(args.build_root), arch)
            made = make(brand, arch, build_dir, staging, args.brand_file)
            if isinstance(made, str):
                return fail(made)
            finished += made
        for made, place in finished:
            os.makedirs(os.path.join(outdir, os.path.dirname(place)), exist_ok=True)
            os.replace(made, os.path.join(outdir, place))
    for _, place in finished:
        print(os.path.join(outdir, place))
    return 0


if __name__ == '__main__':
    sys.exit(main())
