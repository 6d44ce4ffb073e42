#!/usr/bin/python3
"""Static checks of the shipped images, which no run under Wine can see: machine, subsystem, size budget,
hardening flags, imports and resources. Usage: check_images.py X86_BUILD_DIR X64_BUILD_DIR [ARM64_BUILD_DIR]."""
import os, sys
import xml.etree.ElementTree as ElementTree
import pefile

SYSTEM_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'advapi32.dll', 'ole32.dll', 'comctl32.dll', 'msvcrt.dll'}
# Machine, optional header, manifest architecture; budgets of the whole file and of the sections besides resources.
ARCH = {'x86': (0x14C, 0x10B, 'x86', 73 * 1024, 61 * 1024), 'x64': (0x8664, 0x20B, 'amd64', 78 * 1024, 66 * 1024),
        'arm64': (0xAA64, 0x20B, 'arm64', 75 * 1024, 63 * 1024)}
TEN_THOUSANDS = (10000 << 16) | 10000
ICON_SIZES = [16, 24, 32, 48, 64, 256]
ASM3, WS05, WS16 = ('{urn:schemas-microsoft-com:asm.v3}', '{http://schemas.microsoft.com/SMI/2005/WindowsSettings}',
                    '{http://schemas.microsoft.com/SMI/2016/WindowsSettings}')
SETTINGS = {WS05 + 'dpiAware': 'true/pm', WS16 + 'dpiAwareness': 'PerMonitorV2, PerMonitor', WS16 + 'longPathAware': 'true'}
VISTA_TO_11 = {'{e2011457-1546-43c5-a5fe-008deee3d3f0}', '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}',
               '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}', '{1f676c76-80e1-4239-95bb-83d0f6d0da78}',
               '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'}


def resources(pe, type_id):
    """{id: data} of one resource type."""
    for entry in getattr(pe, 'DIRECTORY_ENTRY_RESOURCE', None) and pe.DIRECTORY_ENTRY_RESOURCE.entries or []:
        if entry.id == type_id:
            return {e.id: pe.get_data(e.directory.entries[0].data.struct.OffsetToData, e.directory.entries[0].data.struct.Size)
                    for e in entry.directory.entries}
    return {}


def icon_sizes(group):  # a group's 14-byte entries after its 6-byte header; width 0 stands for 256
    return sorted(group[6 + 14 * i] or 256 for i in range(int.from_bytes(group[4:6], 'little'))) if group else []


def check(arch, path, subsystem):
    machine, magic, manifest_arch, budget, code_budget = ARCH[arch]
    pe, size = pefile.PE(path), os.path.getsize(path)
    code = sum(s.SizeOfRawData for s in pe.sections if not s.Name.startswith(b'.rsrc'))
    flags, imported = pe.OPTIONAL_HEADER.DllCharacteristics, {e.dll.decode().lower() for e in pe.DIRECTORY_ENTRY_IMPORT}
    manifest = resources(pe, 24).get(1, b'').decode('utf-8', 'replace')
    version = pe.VS_FIXEDFILEINFO[0] if getattr(pe, 'VS_FIXEDFILEINFO', None) else None
    root = ElementTree.fromstring(manifest)
    texts, level = {e.tag: (e.text or '').strip() for e in root.iter()}, root.find(f'.//{ASM3}requestedExecutionLevel')
    checks = {
        f'machine and PE format of {arch}': (pe.FILE_HEADER.Machine, pe.OPTIONAL_HEADER.Magic) == (machine, magic),
        f'subsystem {subsystem}': pe.OPTIONAL_HEADER.Subsystem == subsystem,
        f'size {size} bytes within {budget // 1024} KiB': size <= budget,
        f'sections besides resources {code} bytes within {code_budget}': code <= code_budget,
        'ASLR, DEP, and high-entropy ASLR on 64-bit': flags & 0x140 == 0x140 and (arch == 'x86' or flags & 0x20),
        'relocations kept for ASLR': hasattr(pe, 'DIRECTORY_ENTRY_BASERELOC'),
        'no section both writable and executable': not [s for s in pe.sections if s.Characteristics & 0xA0000000 == 0xA0000000],
        f'imports only system DLLs {sorted(imported)}': imported and imported <= SYSTEM_DLLS,
        'manifest: Common-Controls 6.0.0.0 of this architecture': 'name="Microsoft.Windows.Common-Controls"' in manifest
            and 'version="6.0.0.0"' in manifest and manifest.count(f'processorArchitecture="{manifest_arch}"') == 2,
        'manifest: asInvoker, without UI access': level is not None and
            (level.get('level'), level.get('uiAccess')) == ('asInvoker', 'false'),
        'manifest: supportedOS Windows Vista to 11':
            {e.get('Id') for e in root.iter('{urn:schemas-microsoft-com:compatibility.v1}supportedOS')} == VISTA_TO_11,
        f'manifest: {sorted(SETTINGS.values())}': all(texts.get(tag) == value for tag, value in SETTINGS.items()),
        f'icon group 128 of sizes {ICON_SIZES}, no string table, no dialog': icon_sizes(resources(pe, 14).get(128)) == ICON_SIZES
            and not resources(pe, 6) and not resources(pe, 5),
        'file and product version 10000, 10000, 10000, 10000': version is not None and
            (version.FileVersionMS, version.FileVersionLS, version.ProductVersionMS, version.ProductVersionLS) == (TEN_THOUSANDS,) * 4,
    }
    for what, holds in checks.items():
        print(f"  [{'ok' if holds else 'FAIL'}] {os.path.basename(path)} {arch}: {what}")
    return [what for what, holds in checks.items() if not holds]


failures = [f for arch, directory in zip(ARCH, sys.argv[1:4]) for name, subsystem in (('launcher.exe', 2), ('launcher-console.exe', 3))
            if not os.path.exists(os.path.join(directory, 'not-built.txt'))  # build.sh said why, the test run repeats it
            for f in check(arch, os.path.join(directory, name), subsystem)]
print(f'{len(failures)} image checks failed' if failures else 'all image checks passed')
sys.exit(1 if failures else 0)
