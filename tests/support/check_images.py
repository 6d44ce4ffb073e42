#!/usr/bin/python3
"""Static checks of the shipped images, which no run under Wine can see: machine, subsystem, size budget,
hardening flags, imports and resources. Usage: check_images.py X86_BUILD_DIR X64_BUILD_DIR [ARM64_BUILD_DIR]."""
import os, sys
import pefile

SYSTEM_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'advapi32.dll', 'ole32.dll', 'comctl32.dll', 'msvcrt.dll'}
ARCH = {'x86': (0x14C, 0x10B, 'x86', 58 * 1024), 'x64': (0x8664, 0x20B, 'amd64', 64 * 1024),
        'arm64': (0xAA64, 0x20B, 'arm64', 64 * 1024)}
TEN_THOUSANDS = (10000 << 16) | 10000


def resources(pe, type_id):
    """{id: data} of one resource type."""
    for entry in getattr(pe, 'DIRECTORY_ENTRY_RESOURCE', None) and pe.DIRECTORY_ENTRY_RESOURCE.entries or []:
        if entry.id == type_id:
            return {e.id: pe.get_data(e.directory.entries[0].data.struct.OffsetToData, e.directory.entries[0].data.struct.Size)
                    for e in entry.directory.entries}
    return {}


def check(arch, path, subsystem):
    machine, magic, manifest_arch, budget = ARCH[arch]
    pe, size = pefile.PE(path), os.path.getsize(path)
    flags, imported = pe.OPTIONAL_HEADER.DllCharacteristics, {e.dll.decode().lower() for e in pe.DIRECTORY_ENTRY_IMPORT}
    manifest = resources(pe, 24).get(1, b'').decode('utf-8', 'replace')
    version = pe.VS_FIXEDFILEINFO[0] if getattr(pe, 'VS_FIXEDFILEINFO', None) else None
    checks = {
        f'machine and PE format of {arch}': (pe.FILE_HEADER.Machine, pe.OPTIONAL_HEADER.Magic) == (machine, magic),
        f'subsystem {subsystem}': pe.OPTIONAL_HEADER.Subsystem == subsystem,
        f'size {size} bytes within {budget // 1024} KiB': size <= budget,
        'ASLR, DEP, and high-entropy ASLR on 64-bit': flags & 0x140 == 0x140 and (arch == 'x86' or flags & 0x20),
        'relocations kept for ASLR': hasattr(pe, 'DIRECTORY_ENTRY_BASERELOC'),
        'no section both writable and executable': not [s for s in pe.sections if s.Characteristics & 0xA0000000 == 0xA0000000],
        f'imports only system DLLs {sorted(imported)}': imported and imported <= SYSTEM_DLLS,
        'manifest: Common-Controls 6.0.0.0 of this architecture': 'name="Microsoft.Windows.Common-Controls"' in manifest
            and 'version="6.0.0.0"' in manifest and manifest.count(f'processorArchitecture="{manifest_arch}"') == 2,
        'icon group 128, no string table, no dialog': 128 in resources(pe, 14) and not resources(pe, 6) and not resources(pe, 5),
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
