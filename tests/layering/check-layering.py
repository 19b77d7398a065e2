#!/usr/bin/env python3
"""Fails when a source file under src/ breaks the one-way stack of folders:

    app -> sheet -> dataedit -> dialogs -> pipeline -> serial -> settings -> {engine, keyboard} -> base

with pelldrop, monitor and tessel apart (pelldrop and monitor may use base and the pipeline's
message names header).
Every cross-folder include must name its folder ("base/Registry.h"); a bare include must name a
file of the including folder. Prints each offending include and exits 1.
"""
import os
import re
import sys

# The one-way stack from the bottom up; {engine, keyboard} stand side by side above base.
STACK = ['settings', 'serial', 'pipeline', 'dialogs', 'dataedit', 'sheet', 'app']
# Folders each folder may include (its own is always allowed).
ALLOWED = {
    'base': set(),
    'engine': {'base'},
    'keyboard': {'base'},
    'tessel': set(),
}
for level, name in enumerate(STACK):
    ALLOWED[name] = {'engine', 'keyboard', 'base'} | set(STACK[:level])
# Single headers a folder apart may take from another folder.
ALLOWED_FILES = {
    'pelldrop': {'pipeline/SubscriberMessages.h'},
    'monitor': {'pipeline/SubscriberMessages.h'},
}
ALLOWED['pelldrop'] = {'base'}
ALLOWED['monitor'] = {'base'}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def check(src_root):
    problems = []
    folders = sorted(d for d in os.listdir(src_root) if os.path.isdir(os.path.join(src_root, d)))
    for folder in folders:
        if folder not in ALLOWED:
            problems.append('%s: folder has no place in the stack' % folder)
            continue
        for dirpath, _, files in os.walk(os.path.join(src_root, folder)):
            for name in files:
                if not name.endswith(('.h', '.cpp', '.rc')):
                    continue
                path = os.path.join(dirpath, name)
                with open(path, encoding='latin-1') as f:
                    text = f.read()
                for target in INCLUDE.findall(text):
                    problem = judge(src_root, folder, dirpath, target)
                    if problem:
                        problems.append('%s: #include "%s": %s' % (os.path.relpath(path, src_root), target, problem))
    return problems


def judge(src_root, folder, dirpath, target):
    if '/' not in target:
        if os.path.exists(os.path.join(dirpath, target)):
            return None
        return 'a bare include must name a file of its own folder'
    other = target.split('/', 1)[0]
    if other == folder:
        return None
    if not os.path.exists(os.path.join(src_root, target)):
        return None  # not one of ours (a generated or system header)
    if other in ALLOWED[folder] or target in ALLOWED_FILES.get(folder, set()):
        return None
    return '%s may not include from %s (the stack is one-way)' % (folder, other)


def main():
    src_root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..', 'src')
    problems = check(os.path.abspath(src_root))
    for p in problems:
        print(p)
    if problems:
        print('layering: %d problem(s)' % len(problems))
        return 1
    print('layering: every include keeps the stack')
    return 0


if __name__ == '__main__':
    sys.exit(main())
