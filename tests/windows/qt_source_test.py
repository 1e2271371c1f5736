#!/usr/bin/python3
"""Checks what Qt's licence asks of whoever hands on the zip. The notice in licenses/ names the Qt
that ships (the version in Qt6Core.dll's version resource, each Qt file, the licence, that the
DLLs may be replaced, and the source archive); the archive beside the zip unpacks, holds Debian's
source package qt6-base whole, which dpkg-source unpacks into the sources of that Qt version and
of each Qt file shipped, and records the configure options and toolchain file of the Qt folder
the program was built against.

usage: qt_source_test.py --folder UNPACKED_ZIP_FOLDER --archive QT_SOURCE.tar.xz --qt-prefix DIR
"""

import argparse
import hashlib
import lzma
import os
import re
import subprocess
import tarfile
import tempfile

import pecheck

NOTICE = "licenses/Qt-NOTICE.txt"
LICENCE_TEXT = "licenses/LGPL-3.0-only.txt"
# Where the sources of each Qt file the zip may ship lie in qt6-base.
SOURCES = {
    "Qt6Core.dll": "src/corelib",
    "Qt6Gui.dll": "src/gui",
    "Qt6Widgets.dll": "src/widgets",
    "platforms/qwindows.dll": "src/plugins/platforms/windows",
    "styles/qwindowsvistastyle.dll": "src/plugins/styles/windowsvista",
}
RECORDS = ["README", "configure-options", "mingw-w64-x86_64.cmake"]


def shipped_qt_files(folder):
    """Qt's libraries beside the program and its plugins, as paths with '/'."""
    found = sorted(name for name in os.listdir(folder) if re.fullmatch(r"Qt6\w+\.dll", name))
    for plugins in ["platforms", "styles"]:
        if os.path.isdir(os.path.join(folder, plugins)):
            found += sorted(plugins + "/" + name
                            for name in os.listdir(os.path.join(folder, plugins)))
    return found


def dll_version(path):
    """X.Y.Z of a DLL's fixed version information."""
    pe = pecheck.open_pe(path, ["IMAGE_DIRECTORY_ENTRY_RESOURCE"])
    try:
        fixed = getattr(pe, "VS_FIXEDFILEINFO", None)
        if not fixed:
            raise pecheck.BadFile("%s has no version resource" % path)
        return "%d.%d.%d" % (fixed[0].FileVersionMS >> 16, fixed[0].FileVersionMS & 0xFFFF,
                             fixed[0].FileVersionLS >> 16)
    finally:
        pe.close()


# --- the notice


def check_notice(report, folder, qt_version, qt_files, archive_name):
    try:
        with open(os.path.join(folder, NOTICE), encoding="utf-8") as f:
            text = f.read()
    except (OSError, UnicodeDecodeError) as e:
        raise pecheck.BadFile("the notice %s cannot be read: %s" % (NOTICE, e)) from None
    report.equal("the notice names one Qt version, that of Qt6Core.dll's version resource",
                 sorted(set(re.findall(r"\bQt (\d+\.\d+\.\d+)\b", text))), [qt_version])
    for path in qt_files:
        report.check("the notice names the shipped file %s" % path, path in text)
    modules = ["Qt " + re.fullmatch(r"Qt6(\w+)\.dll", path).group(1)
               for path in qt_files if "/" not in path]
    report.check("the notice names the modules %s" % ", ".join(modules),
                 all(module in text for module in modules))
    report.check("the notice gives the licence, the LGPL version 3, and its text, which the zip "
                 "holds", re.search(r"GNU Lesser General Public License, version 3\b", text)
                 and os.path.basename(LICENCE_TEXT) in text
                 and os.path.isfile(os.path.join(folder, LICENCE_TEXT)))
    report.check("the notice says that the DLLs may be replaced", "DLLs may be replaced" in text)
    report.check("the notice names the source archive, %s" % archive_name, archive_name in text)


# --- the source archive


def unpack(archive, into):
    """Unpacks the archive, whose entries must be plain files under one folder; that folder."""
    try:
        with tarfile.open(archive, "r:xz") as tar:
            members = tar.getmembers()
            tops = {m.name.split("/")[0] for m in members}
            for m in members:
                unsafe = m.name.startswith("/") or ".." in m.name.split("/")
                if unsafe or not (m.isfile() or m.isdir()):
                    raise pecheck.BadFile("the archive's entry %s is not a plain file in it"
                                          % m.name)
            if len(tops) != 1:
                raise pecheck.BadFile("the archive holds %d top folders, not one: %s"
                                      % (len(tops), sorted(tops)))
            tar.extractall(into, members)
    except (tarfile.TarError, lzma.LZMAError, EOFError, OSError) as e:
        raise pecheck.BadFile("the archive %s cannot be unpacked: %s" % (archive, e)) from None
    return os.path.join(into, tops.pop())


def read_dsc(path):
    """The fields of a .dsc, signed or not; a folded field keeps its lines."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    if lines and lines[0] == "-----BEGIN PGP SIGNED MESSAGE-----":
        try:
            lines = lines[lines.index("") + 1:lines.index("-----BEGIN PGP SIGNATURE-----")]
        except ValueError:
            raise pecheck.BadFile("%s: its signed text is not closed" % path) from None
    fields, key = {}, None
    for line in lines:
        if line[:1] in (" ", "\t") and key:
            fields[key].append(line.strip())
        elif ":" in line:
            key, value = line.split(":", 1)
            fields[key] = [value.strip()] if value.strip() else []
    return fields


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def check_package(report, top, qt_version):
    """The .dsc and its tarballs; their names and the .dsc's fields."""
    dscs = [name for name in os.listdir(top) if name.endswith(".dsc")]
    if len(dscs) != 1:
        raise pecheck.BadFile("the archive holds %d .dsc files, not one: %s" % (len(dscs), dscs))
    dsc = os.path.join(top, dscs[0])
    fields = read_dsc(dsc)
    report.equal("the .dsc is of the source package qt6-base", fields.get("Source"), ["qt6-base"])
    version = (fields.get("Version") or [""])[0]
    upstream = re.match(r"(?:\d+:)?([0-9.]*)", version).group(1)
    report.equal("the .dsc's version %s is of Qt %s" % (version, qt_version), upstream, qt_version)
    listed = [line.split() for line in fields.get("Checksums-Sha256", [])]
    names = [entry[2] for entry in listed if len(entry) == 3]
    report.check("the .dsc names an orig and a debian tarball",
                 len(names) == len(listed) == 2 and any(".orig.tar." in n for n in names)
                 and any(".debian.tar." in n for n in names), "its SHA-256 list: %s" % listed)
    for entry in listed:
        if len(entry) != 3:
            continue
        digest, size, name = entry
        path = os.path.join(top, name)
        found = (os.path.getsize(path), sha256(path)) if os.path.isfile(path) else None
        report.equal("%s is in the archive with the .dsc's size and SHA-256" % name, found,
                     (int(size) if size.isdigit() else size, digest))
    report.equal("the archive holds the package and the build's records, nothing else",
                 sorted(os.listdir(top)), sorted(dscs + names + RECORDS))
    return dsc, version


def has_cpp(folder):
    return any(name.endswith(".cpp") for _, _, files in os.walk(folder) for name in files)


def check_sources(report, dsc, version, qt_version, qt_files, scratch):
    """What dpkg-source unpacks: Qt's sources of that version, Debian's patches applied."""
    tree = os.path.join(scratch, "qt6-base")
    run = subprocess.run(["dpkg-source", "-x", dsc, tree], stdout=subprocess.PIPE,
                         stderr=subprocess.STDOUT, text=True, timeout=600, check=False)
    if not report.check("dpkg-source -x unpacks the package", run.returncode == 0,
                        "status %d: %s" % (run.returncode, run.stdout.strip()[-800:])):
        return
    try:
        with open(os.path.join(tree, ".cmake.conf"), encoding="utf-8") as f:
            found = re.findall(r'set\(QT_REPO_MODULE_VERSION "([^"]*)"\)', f.read())
    except OSError:
        found = None
    report.equal("the sources are Qt %s's (QT_REPO_MODULE_VERSION in .cmake.conf)" % qt_version,
                 found, [qt_version])
    report.check("the sources hold Qt's configure", os.path.isfile(os.path.join(tree, "configure")))
    for path in qt_files:
        folder = SOURCES.get(path)
        report.check("the sources of the shipped %s are there (%s)" % (path, folder),
                     folder and has_cpp(os.path.join(tree, folder)),
                     "no .cpp file under it" if folder else "no source folder is known for it")
    try:
        with open(os.path.join(tree, "debian", "changelog"), encoding="utf-8") as f:
            first = f.readline()
    except OSError:
        first = ""
    report.check("Debian's changelog is at the .dsc's version",
                 first.startswith("qt6-base (%s)" % version), "its first line: %r" % first)


def check_records(report, top, version, qt_prefix):
    """The records are those the Qt folder was made from: its name ends in the key that
    scripts/qt-windows takes of the package version, the configure options and the toolchain."""
    try:
        with open(os.path.join(top, "configure-options"), "rb") as f:
            options = f.read()
        with open(os.path.join(top, "mingw-w64-x86_64.cmake"), "rb") as f:
            toolchain = f.read()
    except OSError as e:
        raise pecheck.BadFile("a record of the build is missing from the archive: %s" % e) from None
    report.check("the configure options name the Windows target and DLLs",
                 b"-xplatform\nwin32-g++\n" in options and b"\n-shared\n" in options)
    key = hashlib.sha256(version.encode() + b"\n" + options + toolchain).hexdigest()[:12]
    name = os.path.basename(os.path.normpath(qt_prefix))
    report.check("the options, toolchain and version are the Qt folder's (its key %s)" % key,
                 name.endswith("-" + key), "the Qt folder is %s" % name)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--folder", required=True, help="the unpacked zip's folder")
    parser.add_argument("--archive", required=True, help="the Qt source archive beside the zip")
    parser.add_argument("--qt-prefix", required=True,
                        help="the Qt folder the program was built against")
    args = parser.parse_args()

    def body(report):
        qt_version = dll_version(os.path.join(args.folder, "Qt6Core.dll"))
        qt_files = shipped_qt_files(args.folder)
        check_notice(report, args.folder, qt_version, qt_files, os.path.basename(args.archive))
        with tempfile.TemporaryDirectory(prefix="qt-source-") as scratch:
            top = unpack(args.archive, scratch)
            dsc, version = check_package(report, top, qt_version)
            check_records(report, top, version, args.qt_prefix)
            check_sources(report, dsc, version, qt_version, qt_files, scratch)

    pecheck.run("qt_source_test", body)


if __name__ == "__main__":
    main()
