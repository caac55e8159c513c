#!/usr/bin/env python3
"""Disc images through kobrix-cli: the same names from an image in every
locale, and a folder of a damaged image that cannot be read is an error
naming it (exit 2), never a shorter listing with success.

Usage: cli_images.py KOBRIX_CLI   (exits 77 without xorriso)"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
SECTOR = 2048
failures = []


def check(name, ok, detail=""):
    if not ok:
        failures.append(name)
        print("FAIL: %s %s" % (name, detail))


def run(args, env):
    result = subprocess.run([CLI] + args, env=env, capture_output=True, timeout=60)
    return result.returncode, result.stdout.decode("utf-8", "replace"), \
        result.stderr.decode("utf-8", "replace").strip()


def locale_env(setting):
    env = {k: v for k, v in os.environ.items() if not k.startswith("LC_") and k != "LANG"}
    if setting is not None:
        env["LC_ALL"] = setting
    return env


def make_tree(root, files):
    for path in files:
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w") as f:
            f.write(path)


def make_image(tree, image, rock_ridge, joliet):
    subprocess.run(["xorriso", "-outdev", image, "-rockridge", "on" if rock_ridge else "off",
                    "-joliet", "on" if joliet else "off", "-map", tree, "/"],
                   check=True, capture_output=True)


# --- the records of the primary tree, to damage one precisely ---------------

def records(data, extent):
    """(offset, name) of each directory record of the folder at extent."""
    size = struct.unpack_from("<I", data, extent * SECTOR + 10)[0]
    at, end, found = extent * SECTOR, extent * SECTOR + size, []
    while at < end:
        length = data[at]
        if length == 0:
            at = (at // SECTOR + 1) * SECTOR
            continue
        found.append((at, bytes(data[at + 33:at + 33 + data[at + 32]])))
        at += length
    return found


def record(data, path):
    """Offset of the record of path ("" the root's own, "DATA/F1.TXT;1")."""
    extent = struct.unpack_from("<I", data, 16 * SECTOR + 156 + 2)[0]
    at = records(data, extent)[0][0]
    for name in filter(None, path.split("/")):
        at = next(o for o, n in records(data, extent) if n == name.encode())
        extent = struct.unpack_from("<I", data, at + 2)[0]
    return at


def own_record(data, path):
    """Offset of the first record (its own, ".") of the folder at path."""
    return struct.unpack_from("<I", data, record(data, path) + 2)[0] * SECTOR


def px_mode_offset(data, at):
    """Offset of the upper byte of the file type in the record's PX entry."""
    return data.index(b"PX", at + 33, at + data[at]) + 5


with tempfile.TemporaryDirectory() as work:
    if shutil.which("xorriso") is None:
        print("SKIP: xorriso is missing")
        sys.exit(77)

    # Names: a Joliet-only image (as Windows burns discs) gives the names a
    # folder scan gives, in every locale; so do images with Rock Ridge.
    names = os.path.join(work, "names")
    make_tree(names, ["Музыка/песня.mp3", "日本語/ファイル.txt", "Café.doc", "plain.txt"])
    code, folder_listing, _ = run(["scan", names], locale_env("C.UTF-8"))
    check("folder scan of the names", code == 0 and folder_listing.count("\n") == 4)
    images = {}
    for kind, rock_ridge, joliet in [("joliet", False, True), ("both", True, True),
                                     ("rockridge", True, False)]:
        images[kind] = os.path.join(work, kind + ".iso")
        make_image(names, images[kind], rock_ridge, joliet)
    for setting in ["C", "C.UTF-8", "POSIX", None]:
        for kind, image in images.items():
            code, out, err = run(["scan", image], locale_env(setting))
            check("%s image under %s" % (kind, setting or "no locale"),
                  code == 0 and out == folder_listing and err == "Total: 4 files",
                  "(exit %d, %r, %r)" % (code, out, err))

    # Damaged images, in the C locale and a UTF-8 one: each single byte
    # leaves a folder that cannot be read, which libarchive passes over
    # without a word, or a Joliet name that is no valid UTF-16.
    tree = os.path.join(work, "tree")
    make_tree(tree, ["DATA/SUB/s%d.txt" % i for i in range(4)]
              + ["DATA/f%d.txt" % i for i in range(4)]
              + ["DOCS/d%d.txt" % i for i in range(4)] + ["r%d.txt" % i for i in range(4)])
    whole = os.path.join(work, "whole.iso")
    make_image(tree, whole, True, True)
    code, full, _ = run(["scan", whole], locale_env("C"))
    check("the undamaged image", code == 0 and full.count("\n") == 16)
    cases = [
        # name, image, offset of the byte damaged, its new value, folder named
        # (None: the root, named by the image), reason
        ("Joliet name with half a surrogate pair", images["joliet"],
         lambda d: d.index("песня".encode("utf-16-be")), lambda b: 0xD8,
         "/Музыка", "a name that is no valid Joliet name"),
        ("root's own record of no known type", whole, lambda d: px_mode_offset(d, record(d, "")),
         lambda b: 0xBE, None, "the folder's entries cannot all be read"),
        ("folder's own record too long", whole, lambda d: own_record(d, "DATA"),
         lambda b: 159, "/DATA", "a folder without its own records"),
        ("record running into the next", whole, lambda d: record(d, "DOCS"),
         lambda b: b + 16, None, "invalid directory record"),
        ("file flagged a folder in two parts", whole, lambda d: record(d, "DATA/F2.TXT;1") + 25,
         lambda b: 0xFF, "/DATA", "a folder in more than one part"),
        ("file of no known type", whole, lambda d: px_mode_offset(d, record(d, "DATA/F1.TXT;1")),
         lambda b: 0x7E, "/DATA", "an entry of no known type"),
    ]
    for name, source, offset_of, value, folder, reason in cases:
        data = bytearray(open(source, "rb").read())
        at = offset_of(data)
        data[at] = value(data[at])
        image = os.path.join(work, "damaged.iso")
        open(image, "wb").write(data)
        for setting in ["C", "C.UTF-8"]:
            code, out, err = run(["scan", image], locale_env(setting))
            check("%s under %s" % (name, setting),
                  code == 2 and err == "Error scanning %s: 57 - Damaged disc image: %s"
                  % (folder or image, reason), "(exit %d, %d lines, %r)" % (code, out.count("\n"), err))

print("%d failed" % len(failures) if failures else "all passed")
sys.exit(1 if failures else 0)
