#!/usr/bin/python3
"""Shows that the two Windows checks catch what they are for: breaks copies of the real package
one fault at a time (a byte in a resource, a missing or misplaced DLL, a 32-bit DLL, a file that
is no PE) and expects each copy to fail with a message naming the fault. The unbroken package
must pass first, or the failures would prove nothing.

usage: broken_copies_test.py --folder UNPACKED_ZIP_FOLDER --author-line TEXT
                             --symbols-from BUILD_TREE_PROGRAM
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile

import pecheck
from dll_closure_test import EXE_NAME, imports_of
from pe_resources_test import ICON_GROUP_ID
from pecheck import RT_GROUP_ICON, RT_ICON, RT_MANIFEST, RT_VERSION

HERE = os.path.dirname(os.path.abspath(__file__))


class Image:
    """A writable copy of a PE file and where its parts lie in it."""

    def __init__(self, path):
        self.path = path
        with open(path, "rb") as f:
            self.data = bytearray(f.read())
        self.pe = pecheck.open_pe(path, ["IMAGE_DIRECTORY_ENTRY_IMPORT",
                                         "IMAGE_DIRECTORY_ENTRY_RESOURCE"])

    def rewrite(self, fault):
        fault(self)
        self.save()

    def save(self):
        self.pe.close()
        os.unlink(self.path)  # the copy may be a hard link to the original
        with open(self.path, "wb") as f:
            f.write(self.data)

    def field(self, header, name):
        return header.get_field_absolute_offset(name)

    def resource(self, type_id, name_id):
        """The one resource of that type and name."""
        found = [r for r in pecheck.read_resources(self.pe)
                 if (r.type_id, r.name_id) == (type_id, name_id)]
        if len(found) != 1:
            raise AssertionError("%d resources %s/%s, expected one" % (len(found), type_id, name_id))
        return found[0]

    def find(self, pattern, type_id, name_id):
        """The one offset of a byte pattern inside a resource's data."""
        resource = self.resource(type_id, name_id)
        start, end = resource.offset, resource.offset + len(resource.data)
        found = self.data.find(pattern, start, end)
        if found < 0 or self.data.find(pattern, found + 1, end) >= 0:
            raise AssertionError("%r is not once in resource %s/%s" % (pattern, type_id, name_id))
        return found

    def replace(self, old, new, type_id, name_id):
        assert len(old) == len(new)
        at = self.find(old, type_id, name_id)
        self.data[at:at + len(old)] = new


def utf16(text):
    return text.encode("utf-16-le")


# --- faults in the program file: (what, how to break it, a fragment of the expected message)


def console_subsystem(exe):
    struct.pack_into("<H", exe.data, exe.field(exe.pe.OPTIONAL_HEADER, "Subsystem"), 3)


def i386_machine(exe):
    pecheck.set_machine(exe.data, exe.pe, pecheck.MACHINE_I386)


def narrow_startup(exe):
    # The import's name only: the symbol table may spell it too.
    for dll in exe.pe.DIRECTORY_ENTRY_IMPORT:
        for item in dll.imports:
            if item.name == b"__wgetmainargs":
                exe.data[item.name_offset:item.name_offset + 15] = b"__getmainargs\0\0"
                return
    raise AssertionError("the program does not import __wgetmainargs")


def release_text(exe):
    exe.replace(utf16("Final\0"), utf16("Beta!\0"), RT_VERSION, 1)


def swapped_strings(exe):
    """CompanyName and ProductName: two nodes of one size, both with an empty value."""
    nodes = []
    for key in ["CompanyName", "ProductName"]:
        at = exe.find(utf16(key + "\0"), RT_VERSION, 1) - 6
        nodes.append((at, struct.unpack_from("<H", exe.data, at)[0]))
    (a, length), (b, other) = nodes
    assert length == other
    exe.data[a:a + length], exe.data[b:b + length] = exe.data[b:b + length], exe.data[a:a + length]


def file_flags(exe):
    signature = exe.find(struct.pack("<I", 0xFEEF04BD), RT_VERSION, 1)
    struct.pack_into("<I", exe.data, signature + 28, 1)  # VS_FF_DEBUG


def translation(exe):
    exe.replace(utf16("Translation\0") + b"\0\0" + struct.pack("<HH", 0x0409, 0x04B0),
                utf16("Translation\0") + b"\0\0" + struct.pack("<HH", 0x0411, 0x04B0),
                RT_VERSION, 1)


def dpi_namespace(exe):
    exe.replace(b"SMI/2016", b"SMI/2015", RT_MANIFEST, 1)


def execution_level(exe):
    exe.replace(b'"asInvoker"', b'"highestAv"', RT_MANIFEST, 1)


def manifest_syntax(exe):
    exe.replace(b"</assembly>", b"</assemblx>", RT_MANIFEST, 1)


def manifest_language(exe):
    struct.pack_into("<H", exe.data, exe.resource(RT_MANIFEST, 1).language_entry, 1041)


def group_entries(exe):
    """The group's first two entries (48 and 32 pixels at 8 bits) swapped."""
    start = exe.resource(RT_GROUP_ICON, ICON_GROUP_ID).offset
    first, second = start + 6, start + 20
    exe.data[first:first + 14], exe.data[second:second + 14] = \
        exe.data[second:second + 14], exe.data[first:first + 14]


def icon_image(exe, index):
    """The file offset of the image of the group's entry at index."""
    start = exe.resource(RT_GROUP_ICON, ICON_GROUP_ID).offset
    icon_id = struct.unpack_from("<H", exe.data, start + 6 + 14 * index + 12)[0]
    return exe.resource(RT_ICON, icon_id).offset


def icon_depth(exe):
    struct.pack_into("<H", exe.data, icon_image(exe, 3) + 14, 24)  # biBitCount


def icon_png(exe):
    at = icon_image(exe, 6)
    exe.data[at:at + 4] = b"\x89PNG"


def moved_entry(exe):
    header = exe.pe.OPTIONAL_HEADER
    struct.pack_into("<I", exe.data, exe.field(header, "AddressOfEntryPoint"),
                     header.AddressOfEntryPoint + 2)


EXE_FAULTS = [
    ("a console subsystem", console_subsystem, "the subsystem is the Windows GUI"),
    ("a 32-bit machine", i386_machine, "the machine is AMD64"),
    ("a narrow start-up", narrow_startup, "reads the command line as wide text"),
    ("another Release text", release_text, "entry 10 is ('Release', 'Beta!')"),
    ("two strings swapped", swapped_strings, "entry 0 is ('ProductName', '')"),
    ("a debug file flag", file_flags, "fileFlags 0x1, expected 0x0"),
    ("a Japanese translation", translation, "the translation is 0x0409, 0x04B0"),
    ("dpiAwareness in an unknown namespace", dpi_namespace, "dpiAwareness is"),
    ("another execution level", execution_level, "level='asInvoker': found 'highestAv'"),
    ("a manifest that is no XML", manifest_syntax, "the manifest parses as XML"),
    ("a Japanese manifest", manifest_language, "24/1 in 1041"),
    ("icon images out of order", group_entries, "its images by size and depth, in order"),
    ("a 256-pixel image of 24 bits", icon_depth, "image 3 (icon"),
    ("an image stored as PNG", icon_png, "stored as PNG"),
]


# --- faults in the package


def shipped_import(folder):
    """The file name of the first DLL the program imports from beside itself."""
    beside = {name.lower(): name for name in os.listdir(folder)}
    with pecheck.open_pe(os.path.join(folder, EXE_NAME), ["IMAGE_DIRECTORY_ENTRY_IMPORT"]) as pe:
        for dll, _ in sorted(imports_of(pe)):
            if dll.lower() in beside:
                return beside[dll.lower()]
    raise AssertionError("%s imports no DLL shipped beside it" % EXE_NAME)


def plugin(folder):
    """A DLL in a subfolder: a plugin."""
    for directory, _, files in sorted(os.walk(folder)):
        if directory != folder:
            for name in sorted(files):
                if name.lower().endswith(".dll"):
                    return os.path.relpath(os.path.join(directory, name), folder)
    raise AssertionError("no plugin DLL in a subfolder of %s" % folder)


def remove_exe(folder):
    os.unlink(os.path.join(folder, EXE_NAME))
    return ["FAIL  %s is at the top of the folder" % EXE_NAME]


def remove_import(folder):
    dll = shipped_import(folder)
    os.unlink(os.path.join(folder, dll))
    return ["FAIL  ", " is found: neither beside %s nor part of Windows; imported by " % EXE_NAME,
            dll.lower(), EXE_NAME]


def import_in_plugin_folder(folder):
    dll = shipped_import(folder)
    shutil.move(os.path.join(folder, dll),
                os.path.join(folder, os.path.dirname(plugin(folder)), dll))
    return ["FAIL  ", " is found: neither", dll.lower()]


def unknown_system_dll(folder):
    exe = Image(os.path.join(folder, EXE_NAME))
    dll = next(d for d in exe.pe.DIRECTORY_ENTRY_IMPORT if d.dll.lower() == b"kernel32.dll")
    offset = exe.pe.get_offset_from_rva(dll.struct.Name)
    exe.data[offset:offset + 12] = b"KERNEL64.dll"
    exe.save()
    return ["FAIL  KERNEL64.dll is found: neither"]


def i386_plugin(folder):
    path = plugin(folder)
    dll = Image(os.path.join(folder, path))
    pecheck.set_machine(dll.data, dll.pe, pecheck.MACHINE_I386)
    dll.save()
    return ["FAIL  %s is built for AMD64: machine IMAGE_FILE_MACHINE_I386" % path]


def truncated_plugin(folder):
    path = plugin(folder)
    with open(os.path.join(folder, path), "rb") as f:
        data = f.read()
    head = data[:len(data) // 2]
    os.unlink(os.path.join(folder, path))
    with open(os.path.join(folder, path), "wb") as f:
        f.write(head)
    return ["FAIL  %s is a valid PE file: " % path]


FOLDER_FAULTS = [
    ("the program missing", remove_exe),
    ("a DLL the program imports missing", remove_import),
    ("that DLL in the plugin folder instead", import_in_plugin_folder),
    ("an import of a DLL Windows lacks", unknown_system_dll),
    ("a 32-bit plugin", i386_plugin),
    ("a plugin cut short", truncated_plugin),
]


def run(script, *args):
    result = subprocess.run([sys.executable, os.path.join(HERE, script), *args],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=300)
    return result.returncode, result.stdout.decode(errors="replace")


def linked_copy(folder, target):
    """A copy whose files are hard links where the file system allows: faults rewrite a file
    whole (Image.save), so the original is never touched."""
    def link(source, destination):
        try:
            os.link(source, destination)
        except OSError:
            shutil.copy2(source, destination)
    shutil.copytree(folder, target, copy_function=link)


def breaks(report, what, fault):
    """Applies one fault; a package it does not fit (a pattern not found) fails the check
    instead of stopping the test. Returns what the fault returned, or True."""
    try:
        return fault() or True
    except (AssertionError, pecheck.BadFile) as e:
        report.check("%s is caught" % what, False, "the copy could not be broken: %s" % e)
        return None


def expect_failure(report, what, code, output, fragments):
    """The check must exit 1 with a line that holds every fragment (lower-cased ones are
    matched without regard to case)."""
    def holds(line, fragment):
        return fragment in (line.lower() if fragment.islower() else line)
    caught = any(all(holds(line, f) for f in fragments) for line in output.splitlines())
    report.check("%s is caught" % what, code == 1 and caught,
                 "exit %d, no line with %r in:\n%s" % (code, fragments, output))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--folder", required=True, help="the unpacked package")
    parser.add_argument("--author-line", required=True, help="the expected LongVersion text")
    parser.add_argument("--symbols-from", required=True,
                        help="the build tree's program, not stripped")
    args = parser.parse_args()
    exe = os.path.join(args.folder, EXE_NAME)

    def body(report):
        for script, script_args in [("pe_resources_test.py", ["--exe", exe, "--author-line",
                                                               args.author_line, "--symbols-from",
                                                               args.symbols_from]),
                                    ("dll_closure_test.py", ["--folder", args.folder])]:
            code, output = run(script, *script_args)
            if not report.check("the unbroken package passes %s" % script, code == 0, output):
                return
        with tempfile.TemporaryDirectory(prefix="ukisomi-pe-") as scratch:
            for index, (what, fault, fragment) in enumerate(EXE_FAULTS):
                copy = os.path.join(scratch, "%d-%s" % (index, EXE_NAME))
                shutil.copyfile(exe, copy)
                if not breaks(report, what, lambda: Image(copy).rewrite(fault)):
                    continue
                code, output = run("pe_resources_test.py", "--exe", copy, "--author-line",
                                   args.author_line)
                expect_failure(report, what, code, output, ["FAIL  ", fragment])
                os.unlink(copy)
            # The symbol table read from a program that is not the zip's, or has none.
            moved = os.path.join(scratch, "moved-entry.exe")
            shutil.copyfile(args.symbols_from, moved)
            if breaks(report, "another entry point", lambda: Image(moved).rewrite(moved_entry)):
                for what, symbols, fragment in [
                        ("a stripped program as the build tree's", exe,
                         "the build tree's program has a symbol table"),
                        ("the build tree's program with another entry point", moved,
                         "the build tree's program has the zip's entry point")]:
                    code, output = run("pe_resources_test.py", "--exe", exe, "--author-line",
                                       args.author_line, "--symbols-from", symbols)
                    expect_failure(report, what, code, output, ["FAIL  ", fragment])

            code, output = run("pe_resources_test.py", "--exe", exe, "--author-line",
                               args.author_line + "!")
            expect_failure(report, "another author line", code, output,
                           ["FAIL  the string table", "LongVersion"])
            with open(exe, "rb") as source, open(os.path.join(scratch, "cut.exe"), "wb") as f:
                f.write(source.read(1000))
            code, output = run("pe_resources_test.py", "--exe", os.path.join(scratch, "cut.exe"),
                               "--author-line", args.author_line)
            expect_failure(report, "a program file cut short", code, output,
                           ["FAIL  ", "is not a valid PE file"])

            for index, (what, fault) in enumerate(FOLDER_FAULTS):
                copy = os.path.join(scratch, "package-%d" % index)
                linked_copy(args.folder, copy)
                fragments = breaks(report, what, lambda: fault(copy))
                if not fragments:
                    continue
                code, output = run("dll_closure_test.py", "--folder", copy)
                expect_failure(report, what, code, output, fragments)
                shutil.rmtree(copy)

    pecheck.run("broken_copies_test", body)


if __name__ == "__main__":
    main()
