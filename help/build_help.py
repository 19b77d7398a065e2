#!/usr/bin/env python3
"""Builds Quilbar.chm from the HTML sources and checks that every help context has a topic.

Every dialog asks for help with the number of its template (the IDD_ names of ResourceIds.h and of
the monitor's MonitorResourceIds.h; --resource-ids may be given for each header), so
those names are the help contexts: each one needs an [ALIAS] line in Quilbar.hhp naming a page of
[FILES]. The [MAP] numbers are written from ResourceIds.h at build time, so they cannot drift.

  build_help.py check  --help-dir DIR --resource-ids FILE
  build_help.py build  --help-dir DIR --resource-ids FILE --output Quilbar.chm [--work DIR]
  build_help.py verify --help-dir DIR --resource-ids FILE --chm Quilbar.chm

chmcmd records the absolute path of the project folder in the context table, which would make the
help unusable (and the file differ with every build folder), so it runs in a chroot whose root is
the staged project. Its time stamps are set from SOURCE_DATE_EPOCH, so equal sources give equal
bytes.
"""
import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

DEFINE = re.compile(r"^\s*#define\s+(IDD_\w+)\s+(\d+)\b", re.MULTILINE)
INCLUDE = re.compile(r'^\s*#\s*include\s*"(\w+/\w+\.h)"', re.MULTILINE)
CONTEXT_HEADER = "HelpContexts.h"
LINK = re.compile(r'(?:href|src)="([^"#:]+)"', re.IGNORECASE)


class HelpError(Exception):
    pass


def read_contexts(resource_ids):
    """The IDD_ numbers of one header or of several (each program of the package has its own),
    with those of the families' files each includes by their folder ("sheet/SettingsResourceIds.h",
    named from src/). Two windows asking for one number would share a topic, so a number may
    appear once."""
    paths = [resource_ids] if isinstance(resource_ids, str) else resource_ids
    contexts = {}
    for path in paths:
        with open(path, encoding="latin-1") as f:
            text = f.read()
        found = {name: int(value) for name, value in DEFINE.findall(text)}
        src_root = os.path.dirname(os.path.dirname(os.path.abspath(path)))
        for target in INCLUDE.findall(text):
            included = os.path.join(src_root, target)
            if os.path.exists(included):
                found.update(read_contexts(included))
        for name, value in found.items():
            if value in contexts.values() and contexts.get(name) != value:
                raise HelpError(f"{path}: {name} = {value} is the number of another dialog")
            contexts[name] = value
    return contexts


def read_project(help_dir):
    """The [FILES] list and the [ALIAS] map of Quilbar.hhp."""
    sections = {}
    current = None
    with open(os.path.join(help_dir, "Quilbar.hhp"), encoding="latin-1") as f:
        for raw in f:
            line = raw.split(";", 1)[0].strip()
            if not line:
                continue
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1].upper()
                sections.setdefault(current, [])
            elif current is not None:
                sections[current].append(line)
    files = sections.get("FILES", [])
    aliases = {}
    for line in sections.get("ALIAS", []):
        name, sep, target = line.partition("=")
        if not sep:
            raise HelpError(f"Quilbar.hhp: [ALIAS] line without '=': {line}")
        aliases[name.strip()] = target.strip()
    return files, aliases


def check(help_dir, resource_ids):
    """Problems that leave a help context without its page; empty when all is well."""
    contexts = read_contexts(resource_ids)
    files, aliases = read_project(help_dir)
    problems = []
    if not contexts:
        problems.append(f"no IDD_ contexts found in {resource_ids}")
    for name in sorted(contexts, key=contexts.get):
        if name not in aliases:
            problems.append(f"{name} ({contexts[name]}) has no topic: add '{name}=page.htm' to [ALIAS] of Quilbar.hhp")
    targets = {}
    for name, target in aliases.items():
        if target not in files:
            problems.append(f"{name} names {target}, which is not in [FILES]")
        elif not os.path.isfile(os.path.join(help_dir, target)):
            problems.append(f"{name} names {target}, which does not exist")
        if target in targets:
            # chmcmd keeps one context name per page, so a shared page would lose the first one.
            problems.append(f"{name} and {targets[target]} share {target}: give each context its own page")
        targets[target] = name
    for page in files:
        path = os.path.join(help_dir, page)
        if not os.path.isfile(path):
            problems.append(f"[FILES] lists {page}, which does not exist")
        elif page.endswith(".htm"):
            with open(path, encoding="latin-1") as f:
                for link in LINK.findall(f.read()):
                    if link not in files:
                        problems.append(f"{page} links to {link}, which is not in [FILES]")
    return problems


def context_header(help_dir, resource_ids):
    """[MAP] lines for the contexts the program uses and the project has pages for."""
    contexts = read_contexts(resource_ids)
    _, aliases = read_project(help_dir)
    lines = [f"#define {name} {value}" for name, value in sorted(contexts.items(), key=lambda kv: kv[1]) if name in aliases]
    return "\n".join(lines) + "\n"


def stage_compiler(root):
    """Copies chmcmd and the libraries it loads into root."""
    chmcmd = shutil.which("chmcmd")
    if chmcmd is None:
        raise HelpError("chmcmd not found (Debian package fp-utils)")
    chmcmd = os.path.realpath(chmcmd)
    shutil.copy2(chmcmd, os.path.join(root, "chmcmd"))
    ldd = subprocess.run(["ldd", chmcmd], capture_output=True, text=True, check=True).stdout
    libraries = set(re.findall(r"(/\S+\.so[.\d]*)", ldd))
    # The Free Pascal run time loads these by name at start-up.
    libc_dir = next((os.path.dirname(lib) for lib in libraries if "libc.so" in lib), None)
    if libc_dir:
        for extra in ("libpthread.so.0", "libdl.so.2"):
            if os.path.exists(os.path.join(libc_dir, extra)):
                libraries.add(os.path.join(libc_dir, extra))
    for library in libraries:
        target = os.path.join(root, library.lstrip("/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(os.path.realpath(library), target)


def set_time_stamps(chm_path, epoch):
    """Writes the same time into the two time stamps chmcmd takes from the clock."""
    with open(chm_path, "r+b") as f:
        data = bytearray(f.read())
        if data[:4] != b"ITSF":
            raise HelpError(f"{chm_path} is not a compiled help file")
        struct.pack_into("<I", data, 0x10, epoch & 0xFFFFFFFF)
        content_offset = struct.unpack_from("<Q", data, 0x58)[0]
        system = find_system_file(data)
        if system is None:
            raise HelpError("#SYSTEM not found in the uncompressed section")
        start, length = system
        position = content_offset + start + 4  # behind the version word
        end = content_offset + start + length
        while position + 4 <= end:
            code, size = struct.unpack_from("<HH", data, position)
            if code == 10 and size == 4:
                struct.pack_into("<I", data, position + 4, epoch & 0xFFFFFFFF)
            position += 4 + size
        f.seek(0)
        f.write(data)


def read_encint(data, position):
    value = 0
    while True:
        byte = data[position]
        position += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, position


def find_system_file(data):
    """(offset, length) of #SYSTEM in section 0, from the directory's listing chunks."""
    directory_offset = struct.unpack_from("<Q", data, 0x48)[0]
    if data[directory_offset:directory_offset + 4] != b"ITSP":
        return None
    header_length = struct.unpack_from("<I", data, directory_offset + 8)[0]
    chunk_size = struct.unpack_from("<I", data, directory_offset + 0x10)[0]
    chunk_count = struct.unpack_from("<I", data, directory_offset + 0x2C)[0]
    for chunk in range(chunk_count):
        base = directory_offset + header_length + chunk * chunk_size
        if data[base:base + 4] != b"PMGL":
            continue
        free_space = struct.unpack_from("<I", data, base + 4)[0]
        position, end = base + 20, base + chunk_size - free_space
        while position < end:
            name_length, position = read_encint(data, position)
            name = bytes(data[position:position + name_length])
            position += name_length
            section, position = read_encint(data, position)
            offset, position = read_encint(data, position)
            length, position = read_encint(data, position)
            if name == b"/#SYSTEM" and section == 0:
                return offset, length
    return None


def build(help_dir, resource_ids, output, work):
    problems = check(help_dir, resource_ids)
    if problems:
        raise HelpError("help contexts without topics:\n  " + "\n  ".join(problems))
    _, aliases = read_project(help_dir)
    files, _ = read_project(help_dir)
    root = os.path.join(work, "chmroot")
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(root)
    for name in files + ["Quilbar.hhp", "Quilbar.hhc"]:
        shutil.copy2(os.path.join(help_dir, name), os.path.join(root, name))
    with open(os.path.join(root, CONTEXT_HEADER), "w") as f:
        f.write(context_header(help_dir, resource_ids))
    stage_compiler(root)
    command = ["chroot", root, "/chmcmd", "--no-html-scan", "/Quilbar.hhp"]
    if os.geteuid() != 0:
        command = ["unshare", "--map-root-user"] + command
    result = subprocess.run(command, cwd=root, capture_output=True, text=True)
    compiled = os.path.join(root, "Quilbar.chm")
    errors = [line for line in result.stdout.splitlines() if line.startswith(("Error", "Warning"))]
    if result.returncode != 0 or errors or not os.path.isfile(compiled):
        raise HelpError(f"chmcmd failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    set_time_stamps(compiled, int(os.environ.get("SOURCE_DATE_EPOCH", "0")))
    shutil.copyfile(compiled, output)
    shutil.rmtree(root, ignore_errors=True)


def extract(chm, name, work):
    target = os.path.join(work, name.strip("/#"))
    result = subprocess.run(["test_chmLib", chm, name, target], capture_output=True, text=True)
    if result.returncode != 0 or not os.path.isfile(target):
        raise HelpError(f"cannot extract {name} from {chm}: {result.stdout}{result.stderr}")
    with open(target, "rb") as f:
        return f.read()


def verify(help_dir, resource_ids, chm):
    """Reads the compiled file's context table: every context must lead to its page inside it."""
    for tool in ("test_chmLib", "enum_chmLib"):
        if shutil.which(tool) is None:
            raise HelpError(f"{tool} not found (Debian package libchm-bin)")
    contexts = read_contexts(resource_ids)
    _, aliases = read_project(help_dir)
    listing = subprocess.run(["enum_chmLib", chm], capture_output=True, text=True, check=True).stdout
    stored = set(re.findall(r"\s(/\S+\.htm)\s*$", listing, re.MULTILINE))
    with tempfile.TemporaryDirectory() as work:
        table = extract(chm, "/#IVB", work)
        strings = extract(chm, "/#STRINGS", work)
    size = struct.unpack_from("<I", table, 0)[0]
    mapped = {}
    for position in range(4, 4 + size, 8):
        context, offset = struct.unpack_from("<II", table, position)
        mapped[context] = strings[offset:strings.index(b"\0", offset)].decode("latin-1")
    problems = []
    for name, value in sorted(contexts.items(), key=lambda kv: kv[1]):
        page = mapped.get(value)
        expected = "/" + aliases.get(name, "?")
        if page is None:
            problems.append(f"{name} ({value}) is not in the compiled context table")
        elif page != expected:
            problems.append(f"{name} ({value}) leads to {page}, expected {expected}")
        elif page not in stored:
            problems.append(f"{name} ({value}) leads to {page}, which is not stored in the file")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("mode", choices=["check", "build", "verify"])
    parser.add_argument("--help-dir", required=True)
    parser.add_argument("--resource-ids", required=True, action="append")
    parser.add_argument("--output")
    parser.add_argument("--work")
    parser.add_argument("--chm")
    args = parser.parse_args()
    try:
        if args.mode == "check":
            problems = check(args.help_dir, args.resource_ids)
        elif args.mode == "verify":
            problems = verify(args.help_dir, args.resource_ids, args.chm)
        else:
            work = args.work or os.path.dirname(os.path.abspath(args.output))
            build(args.help_dir, args.resource_ids, args.output, work)
            problems = []
    except HelpError as error:
        print(f"build_help: {error}", file=sys.stderr)
        return 1
    if problems:
        print("build_help: " + "\n  ".join(["help contexts without their topic:"] + problems), file=sys.stderr)
        return 1
    if args.mode != "build":
        print(f"build_help: {args.mode}: every help context has its topic")
    return 0


if __name__ == "__main__":
    sys.exit(main())
