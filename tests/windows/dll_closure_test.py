#!/usr/bin/python3
"""Checks that the unpacked Windows package starts on a bare 64-bit Windows 10: every DLL that a
program file or DLL in it imports, at load time or delay-loaded, is either shipped beside
Ukisomi.exe or part of Windows, and every one of them is built for AMD64.

Plugins (platforms/, styles/, ...) are loaded by the program, so their imports resolve to the
program's folder as Windows' loader does; a DLL in a plugin folder satisfies no import.

usage: dll_closure_test.py --folder UNPACKED_ZIP_FOLDER
"""

import argparse
import os

import pecheck

EXE_NAME = "Ukisomi.exe"

# The DLLs of Windows itself that the shipped files import, and none other: each is in System32
# of every 64-bit Windows 10. Each names who imports it (Qt 6.4.2 built with MinGW-w64) and for
# what. A new import outside this list fails until someone confirms that Windows has it and adds
# it here with the files that need it.
SYSTEM_DLLS = {
    "advapi32.dll": "Qt6Core: security descriptors, registry",
    "authz.dll": "Qt6Core: file permission checks",
    "comdlg32.dll": "qwindows: the old file dialogs",
    "d3d9.dll": "qwindows: probing the graphics adapter",
    "d3d11.dll": "Qt6Gui: the Direct3D 11 device of its rendering layer",
    "dwmapi.dll": "Qt6Widgets, qwindows: window frames and blur",
    "dwrite.dll": "Qt6Gui: DirectWrite font engine",
    "dxgi.dll": "Qt6Gui: DXGI factories of its rendering layer",
    "gdi32.dll": "Qt6Gui, Qt6Widgets, qwindows, qwindowsvistastyle: GDI drawing, fonts",
    "imm32.dll": "qwindows: input methods",
    "kernel32.dll": "every file",
    "mpr.dll": "Qt6Core: WNetGetUniversalNameW",
    "msvcrt.dll": "every file: MinGW's C runtime",
    "netapi32.dll": "Qt6Core: NetShareEnum",
    "ole32.dll": "Qt6Core, Qt6Gui, qwindows: COM",
    "oleaut32.dll": "qwindows: COM strings and arrays",
    "shcore.dll": "qwindows: per-monitor DPI",
    "shell32.dll": "Qt6Core, Qt6Gui, qwindows: known folders, shell items, command line",
    "shlwapi.dll": "qwindows: AssocQueryStringW",
    "user32.dll": "Qt6Core, Qt6Gui, Qt6Widgets, qwindows, qwindowsvistastyle: windows, messages",
    "userenv.dll": "Qt6Core: GetUserProfileDirectoryW",
    "uxtheme.dll": "Qt6Widgets, qwindowsvistastyle: visual styles",
    "version.dll": "Qt6Core: version resources",
    "winmm.dll": "Qt6Core, qwindows: multimedia timers, PlaySoundW",
    "ws2_32.dll": "Qt6Core: WSAStartup, gethostname",
    "wtsapi32.dll": "qwindows: session information",
}
# The API sets (Qt6Core and qwindows import api-ms-win-core-synch-l1-2-0 and the WinRT ones):
# names that Windows 10's loader maps to its own DLLs, never files to ship.
API_SET_PREFIX = "api-ms-win-"


def pe_files(folder):
    """The program files and DLLs under the folder, as paths relative to it, in a stable order."""
    found = []
    for directory, subdirectories, files in os.walk(folder):
        subdirectories.sort()
        for name in sorted(files):
            if name.lower().endswith((".exe", ".dll")):
                found.append(os.path.relpath(os.path.join(directory, name), folder))
    return found


def imports_of(pe):
    """The DLL names a file imports, each with whether it is delay-loaded."""
    names = []
    for entry, delayed in [("DIRECTORY_ENTRY_IMPORT", False),
                           ("DIRECTORY_ENTRY_DELAY_IMPORT", True)]:
        for dll in getattr(pe, entry, []):
            names.append((dll.dll.decode("ascii", "replace"), delayed))
    return names


def where(dll, beside):
    """Where Windows' loader finds an imported DLL, or None when it does not."""
    name = dll.lower()
    if name in beside:
        return "shipped beside the program"
    if name in SYSTEM_DLLS:
        return "part of Windows"
    if name.startswith(API_SET_PREFIX):
        return "a Windows API set"
    return None


def check_folder(report, folder):
    if not os.path.isdir(folder):
        raise pecheck.BadFile("%s is not a folder" % folder)
    beside = {name.lower() for name in os.listdir(folder)
              if os.path.isfile(os.path.join(folder, name))}
    report.check("%s is at the top of the folder" % EXE_NAME, EXE_NAME.lower() in beside,
                 "%s is missing from %s" % (EXE_NAME, folder))

    files = pe_files(folder)
    print("Reading %d program files and DLLs under %s" % (len(files), folder))
    importers = {}  # imported name, lower case -> (name as first spelt, [importer, ...])
    for path in files:
        try:
            pe = pecheck.open_pe(os.path.join(folder, path), ["IMAGE_DIRECTORY_ENTRY_IMPORT",
                                                              "IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT"])
        except pecheck.BadFile as e:
            report.check("%s is a valid PE file" % path, False, str(e))
            continue
        with pe:
            report.check("%s is built for AMD64" % path,
                         pe.FILE_HEADER.Machine == pecheck.MACHINE_AMD64,
                         "machine %s" % pecheck.machine_name(pe))
            for dll, delayed in imports_of(pe):
                _, by = importers.setdefault(dll.lower(), (dll, []))
                by.append(path + (" (delay-loaded)" if delayed else ""))

    for key in sorted(importers):
        dll, by = importers[key]
        found = where(dll, beside)
        report.check("%s is found%s" % (dll, " (%s)" % found if found else ""), found is not None,
                     "neither beside %s nor part of Windows; imported by %s"
                     % (EXE_NAME, ", ".join(by)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--folder", required=True,
                        help="the unpacked package: the folder that holds %s" % EXE_NAME)
    args = parser.parse_args()
    pecheck.run("dll_closure_test", lambda report: check_folder(report, args.folder))


if __name__ == "__main__":
    main()
