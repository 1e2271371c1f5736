"""What the Windows program-file tests share: opening a PE file with a clear error, its resource
tree walked and its machine field rewritten in one place each, and a report that prints each
check as it runs and ends in a non-zero status when any failed."""

import struct
import sys

try:
    import pefile
except ImportError:  # Debian's python3-pefile serves /usr/bin/python3, not every python3
    pefile = None

MACHINE_AMD64 = 0x8664
MACHINE_I386 = 0x14C
PE32_PLUS = 0x20B

RT_ICON = 3
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24


class BadFile(Exception):
    """A file that cannot be read as what the test expects."""


def open_pe(path, directories):
    """Parses the headers of a PE file and only the data directories named (DIRECTORY_ENTRY_*
    keys): the rest of a large DLL is left unread."""
    if pefile is None:
        raise BadFile("the Python module pefile is missing (Debian: python3-pefile, for "
                      "/usr/bin/python3); run scripts/setup")
    try:
        pe = pefile.PE(path, fast_load=True)
        pe.parse_data_directories(
            directories=[pefile.DIRECTORY_ENTRY[name] for name in directories])
    except pefile.PEFormatError as e:
        raise BadFile("%s is not a valid PE file: %s" % (path, e.value)) from None
    except OSError as e:
        raise BadFile("%s cannot be read: %s" % (path, e.strerror or e)) from None
    problem = damage(pe, directories)
    if problem:
        pe.close()
        raise BadFile("%s is not a valid PE file: %s" % (path, problem))
    return pe


def damage(pe, directories):
    """What pefile lets pass in silence: a file cut short, in which it finds no imports."""
    size = len(pe.__data__)
    for section in pe.sections:
        end = section.PointerToRawData + section.SizeOfRawData
        if section.SizeOfRawData and end > size:
            name = section.Name.rstrip(b"\0").decode("ascii", "replace")
            return "cut short: section %s ends at byte %d of %d" % (name, end, size)
    declared = pe.OPTIONAL_HEADER.DATA_DIRECTORY
    for name in directories:
        index = pefile.DIRECTORY_ENTRY[name]
        entry = declared[index] if index < len(declared) else None
        if entry and entry.VirtualAddress and entry.Size and not hasattr(pe, name[6:]):
            return "its %s directory cannot be read" % name[22:].lower().replace("_", " ")
    return None


def machine_name(pe):
    value = pe.FILE_HEADER.Machine
    return "%s (0x%04X)" % (pefile.MACHINE_TYPE.get(value, "unknown"), value)


def set_machine(data, pe, machine):
    """Writes a machine into the file header of `data`, the bytes of the file `pe` was read from."""
    struct.pack_into("<H", data, pe.FILE_HEADER.get_field_absolute_offset("Machine"), machine)


class Resource:
    """One resource: its type, name and language ids, its bytes, where they lie in the file, and
    where its language entry lies (the entry that names the language)."""

    def __init__(self, type_id, name_id, language, data, offset, language_entry):
        self.type_id, self.name_id, self.language = type_id, name_id, language
        self.data, self.offset, self.language_entry = data, offset, language_entry


def entry_id(entry):
    return entry.id if entry.name is None else str(entry.name)


def read_resources(pe):
    """Every resource of the file, walked type, name, language; a tree or a data entry that
    leads outside the file raises BadFile."""
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    if root is None:
        raise BadFile("the file has no resource directory")
    found = []
    for type_entry in root.entries:
        for name_entry in getattr(getattr(type_entry, "directory", None), "entries", []):
            for lang_entry in getattr(getattr(name_entry, "directory", None), "entries", []):
                where = "resource %s/%s/%s" % (entry_id(type_entry), entry_id(name_entry),
                                               entry_id(lang_entry))
                if not hasattr(lang_entry, "data"):
                    raise BadFile(where + " has no data entry")
                rva, size = lang_entry.data.struct.OffsetToData, lang_entry.data.struct.Size
                try:
                    data = pe.get_data(rva, size)
                    offset = pe.get_offset_from_rva(rva)
                except pefile.PEFormatError as e:
                    raise BadFile("%s: %s" % (where, e.value)) from None
                if len(data) != size:
                    raise BadFile("%s holds %d bytes of its %d" % (where, len(data), size))
                found.append(Resource(entry_id(type_entry), entry_id(name_entry),
                                      entry_id(lang_entry), data, offset,
                                      lang_entry.struct.get_file_offset()))
    return found


class Report:
    """Prints each check with its outcome and keeps the failures for the closing line."""

    def __init__(self, name):
        self.name = name
        self.passed = 0
        self.failures = []

    def check(self, what, ok, detail=""):
        """Records one check; detail says what was found, shown when the check fails."""
        if ok:
            self.passed += 1
            print("ok    %s" % what)
        else:
            self.failures.append(what)
            print("FAIL  %s%s" % (what, ": " + detail if detail else ""))
        return ok

    def equal(self, what, found, expected):
        return self.check(what, found == expected, "found %r, expected %r" % (found, expected))

    def finish(self):
        if self.failures:
            print("%s: %d of %d checks failed; the first: %s"
                  % (self.name, len(self.failures), len(self.failures) + self.passed,
                     self.failures[0]))
            return 1
        if self.passed == 0:
            print("%s: nothing was checked" % self.name)
            return 1
        print("%s: all %d checks passed" % (self.name, self.passed))
        return 0


def run(name, body):
    """Runs body(report) and exits with the report's status; a BadFile stops the test with its
    message instead of a traceback."""
    report = Report(name)
    try:
        body(report)
    except BadFile as e:
        report.check("the input is readable", False, str(e))
    sys.exit(report.finish())
