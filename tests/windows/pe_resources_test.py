#!/usr/bin/python3
"""Reads the Windows program file back: its machine and start-up, and the resources linked into
it (version, manifest, icon) as the loader, the shell's property page and the icon picker find
them. The PE counterpart of tests/resources, which reads the resource compiler's output.

usage: pe_resources_test.py --exe Ukisomi.exe --author-line "Ukisomi poem-card game, 1.5.0"
                            [--symbols-from build/windows/bin/Ukisomi.exe]
"""

import argparse
import re
import struct
import xml.etree.ElementTree as ElementTree

import pecheck
from pecheck import RT_GROUP_ICON, RT_ICON, RT_MANIFEST, RT_VERSION

ENGLISH_US = 1033
ICON_GROUP_ID = 102
SUBSYSTEM_WINDOWS_GUI = 2

# The C runtime's start-up fetches the command line as wide or narrow text, depending on whether
# the program was linked for wWinMain/wmain (-municode) or WinMain/main: msvcrt's entry points,
# then the universal CRT's.
WIDE_STARTUP_IMPORTS = {"__wgetmainargs", "_configure_wide_argv"}
NARROW_STARTUP_IMPORTS = {"__getmainargs", "_configure_narrow_argv"}
# The start-up a GUI program enters at: MinGW's name for it, then the Microsoft CRT's.
GUI_ENTRY_SYMBOLS = {"WinMainCRTStartup", "wWinMainCRTStartup"}

FIXED_FIELDS = ["signature", "strucVersion", "fileVersionMS", "fileVersionLS", "productVersionMS",
                "productVersionLS", "fileFlagsMask", "fileFlags", "fileOS", "fileType",
                "fileSubtype", "fileDateMS", "fileDateLS"]
EXPECTED_FIXED = {
    "signature": 0xFEEF04BD,
    "strucVersion": 0x00010000,
    "fileVersionMS": 0x00010005,  # 1.5
    "fileVersionLS": 0x00000000,  # .0.0
    "productVersionMS": 0x00010005,
    "productVersionLS": 0x00000000,
    "fileFlagsMask": 0x3F,
    "fileFlags": 0,
    "fileOS": 4,  # 32-bit Windows
    "fileType": 1,  # application
    "fileSubtype": 0,
    "fileDateMS": 0,
    "fileDateLS": 0,
}


def expected_strings(author_line):
    return [
        ("CompanyName", ""),
        ("LegalCopyright", ""),
        ("FileVersion", "1.5.0.0"),
        ("FileDescription", ""),
        ("ProductVersion", "1.0"),
        ("ProductName", ""),
        ("OriginalFilename", "Ukisomi.exe"),
        ("InternalName", ""),
        ("LongVersion", author_line),
        ("PackageInfo", ""),
        ("Release", "Final"),
    ]


ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"

# (element path from the root, attribute or None for the element's text, expected value). The
# namespaces count: the loader ignores an element outside the one it looks in.
EXPECTED_MANIFEST = [
    (ASM_V1 + "assemblyIdentity", "version", "1.5.0.0"),
    (ASM_V1 + "assemblyIdentity", "processorArchitecture", "*"),
    (ASM_V1 + "assemblyIdentity", "name", "Ukisomi.exe"),
    (ASM_V1 + "assemblyIdentity", "type", "win32"),
    (ASM_V3 + "trustInfo/" + ASM_V3 + "security/" + ASM_V3 + "requestedPrivileges/" + ASM_V3
     + "requestedExecutionLevel", "level", "asInvoker"),
    (ASM_V3 + "trustInfo/" + ASM_V3 + "security/" + ASM_V3 + "requestedPrivileges/" + ASM_V3
     + "requestedExecutionLevel", "uiAccess", "False"),
]
COMMON_CONTROLS = {
    "type": "win32",
    "name": "Microsoft.Windows.Common-Controls",
    "version": "6.0.0.0",
    "processorArchitecture": "*",
    "publicKeyToken": "6595b64144ccf1df",
    "language": "*",
}
SUPPORTED_OS = [
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and later
]
WINDOWS_SETTINGS = ASM_V3 + "application/" + ASM_V3 + "windowsSettings/"
EXPECTED_DPI = [
    (WINDOWS_SETTINGS + SETTINGS_2005 + "dpiAware", "True/pm"),
    (WINDOWS_SETTINGS + SETTINGS_2016 + "dpiAwareness", "permonitorv2,permonitor"),
]

# (width and height, bits per pixel) of the icon's images, in the group's order.
ICON_IMAGES = [(48, 8), (32, 8), (16, 8), (256, 32), (48, 32), (32, 32), (16, 32)]


# --- the headers and the start-up


def check_headers(report, pe):
    report.check("the machine is AMD64 (0x8664) in a PE32+ file",
                 pe.FILE_HEADER.Machine == pecheck.MACHINE_AMD64
                 and pe.OPTIONAL_HEADER.Magic == pecheck.PE32_PLUS,
                 "machine %s, optional header magic 0x%X"
                 % (pecheck.machine_name(pe), pe.OPTIONAL_HEADER.Magic))
    report.equal("the subsystem is the Windows GUI (2)", pe.OPTIONAL_HEADER.Subsystem,
                 SUBSYSTEM_WINDOWS_GUI)


def imported_names(pe):
    names = set()
    for dll in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        names.update(i.name.decode("ascii", "replace") for i in dll.imports if i.name)
    return names


def coff_symbols(pe):
    """The COFF symbol table MinGW leaves in an unstripped file, as (name, section, value);
    empty when stripped."""
    header = pe.FILE_HEADER
    data = pe.__data__
    table, count = header.PointerToSymbolTable, header.NumberOfSymbols
    strings = table + count * 18
    if table == 0 or count == 0 or strings + 4 > len(data):
        return []
    strings_end = min(len(data), strings + struct.unpack_from("<I", data, strings)[0])
    symbols = []
    index = 0
    while index < count:
        raw, value, section, _, _, aux = struct.unpack_from("<8sIhHBB", data, table + index * 18)
        if raw[:4] == b"\0\0\0\0":
            start = strings + struct.unpack_from("<I", raw, 4)[0]
            end = data.find(b"\0", start, strings_end)
            raw = data[start:end if end >= 0 else strings_end]
        name = raw.rstrip(b"\0").decode("ascii", "replace")
        symbols.append((name, section, value))
        index += 1 + aux
    return symbols


def check_startup(report, pe):
    names = imported_names(pe)
    wide, narrow = names & WIDE_STARTUP_IMPORTS, names & NARROW_STARTUP_IMPORTS
    report.check("the C runtime's start-up reads the command line as wide text (-municode)",
                 bool(wide) and not narrow,
                 "imports %s" % (sorted(wide | narrow) or "neither %s nor %s"
                                 % (sorted(WIDE_STARTUP_IMPORTS), sorted(NARROW_STARTUP_IMPORTS))))


def check_symbols(report, pe, unstripped):
    """The entry point and wWinMain, by the symbol table of the build tree's program, which the
    zip's copy (pe) was stripped of: the same program, its entry where pe's is."""
    symbols = coff_symbols(unstripped)
    if not report.check("the build tree's program has a symbol table", bool(symbols),
                        "no COFF symbols: it is stripped too"):
        return
    entry = pe.OPTIONAL_HEADER.AddressOfEntryPoint
    report.equal("the build tree's program has the zip's entry point",
                 unstripped.OPTIONAL_HEADER.AddressOfEntryPoint, entry)
    at_entry = sorted(name for name, section, value in symbols
                      if 0 < section <= len(unstripped.sections)
                      and unstripped.sections[section - 1].VirtualAddress + value == entry)
    report.check("the entry point is the C runtime's GUI start-up",
                 any(name in GUI_ENTRY_SYMBOLS for name in at_entry),
                 "symbols at the entry: %s" % (at_entry or "none"))
    defined = {name for name, section, _ in symbols if section > 0}
    report.check("the program defines wWinMain and no WinMain",
                 "wWinMain" in defined and "WinMain" not in defined,
                 "wWinMain %s, WinMain %s" % ("wWinMain" in defined, "WinMain" in defined))


# --- the resource directory


def check_directory(report, resources):
    report.check("every resource is in English (United States), 1033",
                 all(r.language == ENGLISH_US for r in resources),
                 ", ".join("%s/%s in %s" % (r.type_id, r.name_id, r.language)
                           for r in resources if r.language != ENGLISH_US))
    report.equal("the resource types are icon (3), icon group (14), version (16), manifest (24)",
                 sorted_ids({r.type_id for r in resources}),
                 [RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST])
    for type_id, what, names in [(RT_VERSION, "version", [1]), (RT_MANIFEST, "manifest", [1]),
                                 (RT_GROUP_ICON, "icon group", [ICON_GROUP_ID])]:
        report.equal("one %s resource, named %s" % (what, names[0]),
                     [r.name_id for r in resources if r.type_id == type_id], names)


def sorted_ids(ids):
    """Numbered resources first, then named ones."""
    return sorted(ids, key=lambda v: (isinstance(v, str), str(v).zfill(5)))


def only(resources, type_id, name_id):
    matches = [r for r in resources if r.type_id == type_id and r.name_id == name_id]
    if len(matches) != 1:
        raise pecheck.BadFile("%d resources %s/%s, expected one"
                              % (len(matches), type_id, name_id))
    return matches[0]


# --- the version resource


class VersionNode:
    """One node of VS_VERSIONINFO: a length, a value, a key and children, each DWORD-aligned."""

    MAX_DEPTH = 8  # root, StringFileInfo, table, string: real files nest four deep

    def __init__(self, data, pos=0, end=None, depth=0):
        end = len(data) if end is None else end
        if depth > self.MAX_DEPTH:
            raise pecheck.BadFile("version nodes nested too deep at byte %d" % pos)
        if pos + 6 > end:
            raise pecheck.BadFile("version node header cut short at byte %d" % pos)
        length, value_length, self.type = struct.unpack_from("<HHH", data, pos)
        if length < 6 or length > end - pos:
            raise pecheck.BadFile("version node length %d at byte %d leaves its parent"
                                  % (length, pos))
        node_end = pos + length
        key_end = pos + 6
        while key_end + 1 < node_end and data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        if key_end + 1 >= node_end:
            raise pecheck.BadFile("version node key at byte %d is not terminated" % pos)
        self.key = data[pos + 6:key_end].decode("utf-16-le", "replace")
        value_start = align4(key_end + 2)
        value_size = value_length * 2 if self.type == 1 else value_length
        if value_start + value_size > node_end:
            raise pecheck.BadFile("version node %r: its value leaves the node" % self.key)
        self.value = data[value_start:value_start + value_size]
        self.children = []
        child = align4(value_start + value_size)
        while child < node_end:
            node = VersionNode(data, child, node_end, depth + 1)
            self.children.append(node)
            child = align4(child + struct.unpack_from("<H", data, child)[0])

    def text(self):
        return self.value.decode("utf-16-le", "replace").rstrip("\0")

    def child(self, key):
        return next((c for c in self.children if c.key == key), None)


def align4(offset):
    return (offset + 3) & ~3


def check_version(report, data, author_line):
    root = VersionNode(data)
    report.equal("the version resource's root is VS_VERSION_INFO", root.key, "VS_VERSION_INFO")
    if report.equal("its fixed part is 52 bytes", len(root.value), 52):
        fixed = dict(zip(FIXED_FIELDS, struct.unpack("<13I", root.value)))
        wrong = ["%s 0x%X, expected 0x%X" % (field, fixed[field], EXPECTED_FIXED[field])
                 for field in FIXED_FIELDS if fixed[field] != EXPECTED_FIXED[field]]
        report.check("the fixed part: versions 1.5.0.0, flags mask 0x3F, flags 0, OS 4, type 1, "
                     "subtype 0, date 0", not wrong, "; ".join(wrong))

    report.equal("the blocks are StringFileInfo, then VarFileInfo",
                 [c.key for c in root.children], ["StringFileInfo", "VarFileInfo"])
    info = root.child("StringFileInfo")
    tables = info.children if info else []
    report.equal("one string table, 040904B0", [t.key for t in tables], ["040904B0"])
    if tables:
        strings = [(s.key, s.text()) for s in tables[0].children]
        expected = expected_strings(author_line)
        first = next((i for i, pair in enumerate(zip(strings, expected)) if pair[0] != pair[1]),
                     min(len(strings), len(expected)))
        report.check("the string table holds %d entries in order, LongVersion %r"
                     % (len(expected), author_line), strings == expected,
                     "entry %d is %r, expected %r"
                     % (first, strings[first] if first < len(strings) else "<none>",
                        expected[first] if first < len(expected) else "<none>"))
        report.check("every string entry is text (type 1)",
                     all(s.type == 1 for s in tables[0].children),
                     ", ".join(s.key for s in tables[0].children if s.type != 1))

    variables = root.child("VarFileInfo")
    translation = variables.child("Translation") if variables else None
    report.check("the translation is 0x0409, 0x04B0 (English (US), Unicode)",
                 translation is not None and translation.type == 0
                 and translation.value == struct.pack("<HH", 0x0409, 0x04B0)
                 and len(variables.children) == 1,
                 "found %s" % ("no Translation" if translation is None
                               else words(translation.value)))


def words(value):
    return ", ".join("0x%04X" % int.from_bytes(value[i:i + 2], "little")
                     for i in range(0, len(value), 2))


# --- the manifest


def check_manifest(report, data):
    report.check("the manifest is one XML document without NUL bytes",
                 data.startswith(b'<?xml version="1.0" encoding="UTF-8"') and b"\0" not in data,
                 "it opens with %r" % data[:40])
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as e:
        report.check("the manifest parses as XML", False, str(e))
        return
    report.check("its root is an assembly of manifest version 1.0",
                 root.tag == ASM_V1 + "assembly" and root.get("manifestVersion") == "1.0",
                 "found %s manifestVersion=%r" % (root.tag, root.get("manifestVersion")))

    def one(path):
        found = root.findall(path)
        return found[0] if len(found) == 1 else None

    for path, attribute, value in EXPECTED_MANIFEST:
        element = one(path)
        report.equal("%s %s=%r" % (short(path), attribute, value),
                      element.get(attribute) if element is not None else "<no single element>",
                      value)

    oses = root.findall(COMPATIBILITY + "compatibility/" + COMPATIBILITY + "application/"
                        + COMPATIBILITY + "supportedOS")
    report.equal("supportedOS Ids are Windows 8.1 and Windows 10",
                 [os_.get("Id") for os_ in oses], SUPPORTED_OS)

    dependencies = root.findall(ASM_V1 + "dependency/" + ASM_V1 + "dependentAssembly/" + ASM_V1
                                + "assemblyIdentity")
    report.equal("one dependency: the common controls, version 6",
                 [dict(d.attrib) for d in dependencies], [COMMON_CONTROLS])

    for path, text in EXPECTED_DPI:
        element = one(path)
        report.equal("%s is %r" % (short(path), text),
                     element.text if element is not None else "<no single element>", text)


def short(path):
    """An element path without its namespaces, for messages."""
    return re.sub(r"\{[^}]*\}", "", path)


# --- the icon


def check_icon(report, resources):
    data = only(resources, RT_GROUP_ICON, ICON_GROUP_ID).data
    if len(data) < 6:
        raise pecheck.BadFile("icon group %d is %d bytes" % (ICON_GROUP_ID, len(data)))
    reserved, kind, count = struct.unpack_from("<HHH", data)
    report.check("icon group %d is an icon directory" % ICON_GROUP_ID,
                 reserved == 0 and kind == 1 and len(data) == 6 + 14 * count,
                 "reserved %d, type %d, %d entries in %d bytes" % (reserved, kind, count,
                                                                   len(data)))
    if len(data) != 6 + 14 * count:
        return
    entries = [struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i) for i in range(count)]
    report.equal("its images by size and depth, in order",
                 [(width or 256, height or 256, bits)
                  for width, height, _, _, _, bits, _, _ in entries],
                 [(size, size, bits) for size, bits in ICON_IMAGES])

    icons = {r.name_id: r for r in resources if r.type_id == RT_ICON}
    ids = [entry[7] for entry in entries]
    report.equal("the icon images are exactly the group's, one each", sorted_ids(icons),
                 sorted(set(ids)) if len(set(ids)) == len(ids) else "ids repeat: %s" % ids)
    for index, entry in enumerate(entries):
        icon_id = entry[7]
        what = "image %d (icon %d, %dx%d at %d bits)" % (index, icon_id, entry[0] or 256,
                                                         entry[1] or 256, entry[5])
        icon = icons.get(icon_id)
        problems = image_problems(entry, icon.data) if icon else ["no icon resource"]
        report.check(what + " is a whole bitmap agreeing with its entry", not problems,
                     "; ".join(problems))


def image_problems(entry, data):
    """What is wrong with one icon image, given its group entry."""
    width, height, colours, reserved, planes, bits, size, _ = entry
    problems = []
    if (colours, reserved, planes) != (0, 0, 1):
        problems.append("entry colour count %d, reserved %d, planes %d (expected 0, 0, 1)"
                        % (colours, reserved, planes))
    if len(data) != size:
        problems.append("%d bytes, the entry says %d" % (len(data), size))
    if data.startswith(b"\x89PNG"):
        return problems + ["stored as PNG"]
    if len(data) < 40:
        return problems + ["too short for a bitmap header"]
    side = width or 256
    header = struct.unpack_from("<IiiHHI", data)
    if width != height or header != (40, side, 2 * side, 1, bits, 0):
        problems.append("BITMAPINFOHEADER (size, width, height, planes, bits, compression) %s, "
                        "expected %s" % (header, (40, side, 2 * side, 1, bits, 0)))
    # Header, palette, colour rows and mask rows, each row padded to four bytes.
    used = struct.unpack_from("<I", data, 32)[0]
    palette = (used or 1 << bits) if bits <= 8 else 0
    rows = ((side * bits + 31) // 32 + (side + 31) // 32) * 4 * side
    if len(data) != 40 + 4 * palette + rows:
        problems.append("%d bytes, a whole bitmap is %d" % (len(data), 40 + 4 * palette + rows))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--exe", required=True, help="the program file, Ukisomi.exe")
    parser.add_argument("--author-line", required=True,
                        help="the LongVersion text (UKISOMI_AUTHOR_LINE in CMake)")
    parser.add_argument("--symbols-from",
                        help="the build tree's program, not stripped: its symbol table shows the "
                             "entry point and wWinMain")
    args = parser.parse_args()

    def body(report):
        if not args.author_line:
            raise pecheck.BadFile("--author-line is empty")
        pe = pecheck.open_pe(args.exe, ["IMAGE_DIRECTORY_ENTRY_IMPORT",
                                        "IMAGE_DIRECTORY_ENTRY_RESOURCE"])
        print("Reading %s" % args.exe)
        check_headers(report, pe)
        check_startup(report, pe)
        if args.symbols_from:
            check_symbols(report, pe, pecheck.open_pe(args.symbols_from, []))
        resources = pecheck.read_resources(pe)
        check_directory(report, resources)
        check_version(report, only(resources, RT_VERSION, 1).data, args.author_line)
        check_manifest(report, only(resources, RT_MANIFEST, 1).data)
        check_icon(report, resources)

    pecheck.run("pe_resources_test", body)


if __name__ == "__main__":
    main()
