#!/usr/bin/python3
"""Static checks of the built launcher images: the things that no test under
64-bit Wine can observe for the 32-bit product (machine, subsystem, imports,
resources). Prints one line per check and exits non-zero on any failure."""
import argparse
import os
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "ole32.dll", "comctl32.dll", "msvcrt.dll"}
RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 14, 16, 24
EXPECTED = {
    "x86": {"machine": 0x14C, "magic": 0x10B, "manifest_arch": "x86", "budget": 56 * 1024},
    "x64": {"machine": 0x8664, "magic": 0x20B, "manifest_arch": "amd64", "budget": 64 * 1024},
}
DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA = 0x40, 0x100, 0x20
SCN_MEM_EXECUTE, SCN_MEM_WRITE = 0x20000000, 0x80000000


def resource_types(pe):
    return pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []


def resource_ids(pe, type_id):
    for entry in resource_types(pe):
        if entry.id == type_id:
            return {e.id for e in entry.directory.entries}
    return set()


def resource_data(pe, type_id):
    for entry in resource_types(pe):
        if entry.id == type_id:
            leaf = entry.directory.entries[0].directory.entries[0].data.struct
            return pe.get_data(leaf.OffsetToData, leaf.Size)
    return b""


def check(arch, path, subsystem=2):
    failures = []

    def expect(condition, what):
        print(f"  [{'ok' if condition else 'FAIL'}] {what}")
        if not condition:
            failures.append(what)

    print(f"{arch}: {path}")
    pe = pefile.PE(path)
    want = EXPECTED[arch]
    expect(pe.FILE_HEADER.Machine == want["machine"], f"machine 0x{want['machine']:X}")
    expect(pe.OPTIONAL_HEADER.Magic == want["magic"], "PE32" if arch == "x86" else "PE32+")
    expect(pe.OPTIONAL_HEADER.Subsystem == subsystem, "Windows GUI subsystem" if subsystem == 2 else "console subsystem")
    size = os.path.getsize(path)
    expect(size <= want["budget"], f"size {size} bytes within {want['budget'] // 1024} KiB")

    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    expect(flags & DYNAMIC_BASE, "ASLR (DYNAMIC_BASE)")
    expect(flags & NX_COMPAT, "DEP (NX_COMPAT)")
    if arch == "x64":
        expect(flags & HIGH_ENTROPY_VA, "HIGH_ENTROPY_VA")
    expect(hasattr(pe, "DIRECTORY_ENTRY_BASERELOC"), "relocations kept for ASLR")
    writable_code = [sec.Name.rstrip(b"\0").decode() for sec in pe.sections
                     if sec.Characteristics & SCN_MEM_EXECUTE and sec.Characteristics & SCN_MEM_WRITE]
    expect(not writable_code, f"no section both writable and executable {writable_code or ''}")

    imported = {entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}
    expect(imported and imported <= SYSTEM_DLLS, f"imports only system DLLs: {sorted(imported)}")

    expect(1 in resource_ids(pe, RT_MANIFEST), "manifest resource 1")
    manifest = resource_data(pe, RT_MANIFEST).decode("utf-8", "replace")
    expect('name="Microsoft.Windows.Common-Controls"' in manifest and 'version="6.0.0.0"' in manifest,
           "manifest depends on Common-Controls 6.0.0.0")
    expect(manifest.count(f'processorArchitecture="{want["manifest_arch"]}"') == 2,
           f"manifest architecture {want['manifest_arch']}")
    expect(128 in resource_ids(pe, RT_GROUP_ICON), "icon group 128")
    version = pe.VS_FIXEDFILEINFO[0] if getattr(pe, "VS_FIXEDFILEINFO", None) else None
    tenk = (10000 << 16) | 10000
    expect(version is not None and version.FileVersionMS == tenk and version.FileVersionLS == tenk,
           "file version 10000, 10000, 10000, 10000")
    expect(version is not None and version.ProductVersionMS == tenk and version.ProductVersionLS == tenk,
           "product version 10000, 10000, 10000, 10000")
    expect(not resource_ids(pe, 6) and not resource_ids(pe, 5), "no string table, no dialog")
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--x86", required=True)
    parser.add_argument("--x64", required=True)
    parser.add_argument("--console", action="store_true", help="also check launcher-console.exe beside each")
    args = parser.parse_args()
    failures = check("x86", args.x86) + check("x64", args.x64)
    if args.console:
        for arch, path in (("x86", args.x86), ("x64", args.x64)):
            failures += check(arch, os.path.join(os.path.dirname(path), "launcher-console.exe"), subsystem=3)
    print("all image checks passed" if not failures else f"{len(failures)} image checks failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
