#!/usr/bin/env python3
"""The folders of src/ and which includes which, from the #include lines.

A folder may include a folder below it, never one that includes it back,
directly or round a loop: each layer can be read, built and tested with only
what lies beneath it. Exits 1 naming the folders of every loop.

Usage: folder_graph.py SRC_DIR [--print]   (--print lists every arrow)
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder_edges(src):
    folders = {os.path.relpath(d, src) for d, _, files in os.walk(src)
               if any(f.endswith(('.h', '.cpp', '.h.in')) for f in files)}
    edges = {}
    for folder in folders:
        for name in os.listdir(os.path.join(src, folder)):
            if not name.endswith(('.h', '.cpp')):
                continue
            with open(os.path.join(src, folder, name), encoding='utf-8') as f:
                text = f.read()
            for included in INCLUDE.findall(text):
                target = os.path.dirname(included)
                # Generated headers (Version.h) live in the build, under their folder's name.
                if target in folders and target != folder:
                    edges.setdefault(folder, {}).setdefault(target, set()).add(f'{name} -> {included}')
    return folders, edges


def loops(folders, edges):
    """Strongly connected groups of more than one folder (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on_stack.add(v)
        for w in edges.get(v, {}):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                found.append(sorted(group))

    for v in sorted(folders):
        if v not in index:
            visit(v)
    return found


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    folders, edges = folder_edges(argv[1])
    if '--print' in argv:
        for folder in sorted(edges):
            print(f'{folder} -> {", ".join(sorted(edges[folder]))}')
    bad = loops(folders, edges)
    for group in bad:
        print('folders that include each other: ' + ', '.join(group), file=sys.stderr)
        for a in group:
            for b in group:
                for why in sorted(edges.get(a, {}).get(b, ()))[:3]:
                    print(f'  {a}/{why}', file=sys.stderr)
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
