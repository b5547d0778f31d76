#!/usr/bin/env python3
"""Reads every #include of host/, module/ and shell/ and fails on an edge the layering forbids.

    check_includes.py [--root DIR]
    check_includes.py --scope host/db      prints "host/db;host/ge;..." and exits

The second form gives the build the folders a library may see (its include scope), so
that the compiler refuses a forbidden include by the same rules.

The rules:
- A host folder includes only its own folder and the folders below it (HOST_DEPS); the host
  never includes the module.
- A module folder includes only its own folder and the folders below it (MODULE_DEPS).
- The module includes host headers, but calls none of the stand-in's own helpers: a `host::`
  name in module code is refused unless it is one the module may use (MODULE_HOST_NAMES) or
  the file is one that wraps the stand-in for the module (MODULE_HOST_WRAPPERS).
- The shell's web server (shell/serve) reaches the add-on only through the host: it includes
  host headers and its own, never the module or the rest of the shell (SHELL_DEPS).
- Includes are rooted at the repository ("host/db/entities/AcDbLine.h"); a header that does not exist
  is refused too, so a typo cannot hide an edge.

Prints one line per forbidden edge ("file:line: includes X: reason") and exits with 1 when
there is any.
"""
import argparse
import os
import re
import sys

# Folder -> the folders it may include besides itself (the whole way down, not only the
# next step, so that a rule reads as the set of what a file may see).
HOST_DEPS = {
    "win": set(),
    "ge": set(),
    "rx": {"win"},
    "mfc": {"win"},
    "gi": {"rx", "ge", "win"},
    "db": {"gi", "rx", "ge", "win"},
    "ed": {"db", "gi", "rx", "ge", "win"},
    "io": {"db", "gi", "rx", "ge", "win"},
    "render": {"db", "gi", "rx", "ge", "win"},
    "ap": {"ed", "db", "gi", "rx", "ge", "win"},
}

_MODULE_BASE = {"resources", "base"}
_MODULE_ENTITIES = _MODULE_BASE | {"options", "services", "chain", "height"}
MODULE_DEPS = {
    "resources": set(),
    "base": {"resources"},
    "options": set(_MODULE_BASE),
    # The drawing's services (documents and their locks, layers, handles, extended data,
    # the running command, the palette's port) know no chain or height mark.
    "services": _MODULE_BASE | {"options"},
    "chain": _MODULE_BASE | {"options", "services"},
    # A height mark formats its value with the chain's number and text rules.
    "height": _MODULE_BASE | {"options", "services", "chain"},
    "convert": set(_MODULE_ENTITIES),
    "replace": set(_MODULE_ENTITIES),
    "app": _MODULE_ENTITIES | {"convert", "replace"},
    "ui": _MODULE_ENTITIES | {"convert", "replace", "app"},
}

# Shell folders with a scope of their own: the web server sees the host, not the add-on.
SHELL_DEPS = {
    "serve": set(),
}

# The stand-in's names that module code may use: the one formatter every part of the
# system formats with.
MODULE_HOST_NAMES = {"FormatW", "FormatV"}
# Module files that stand in for what the real host's build provides otherwise (the
# resource compiler's tables) or wrap a stand-in call the real host has no function for.
MODULE_HOST_WRAPPERS = {
    "module/resources/LintaroStrings.h",
    "module/resources/LintaroStrings.cpp",
    "module/resources/PromptStrings.h",
    "module/resources/PromptStrings.cpp",
    "module/resources/PaletteResources.cpp",
    "module/resources/ResourceControls.h",
    "module/resources/ContextMenuResources.cpp",
    "module/resources/HeightResources.cpp",
    "module/resources/ReplaceResources.cpp",
    "module/resources/PropertiesResources.cpp",
    "module/resources/OptionResources.cpp",
    "module/ui/PaletteRegistration.cpp",
    "module/app/LooksStamp.cpp",
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
HOST_NAME = re.compile(r"\bhost::(\w+(?:::\w+)*)")


def source_files(root, top):
    for folder, dirs, files in os.walk(os.path.join(root, top)):
        dirs.sort()
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                path = os.path.join(folder, name)
                yield os.path.relpath(path, root).replace(os.sep, "/")


def layer_of(path):
    parts = path.split("/")
    if parts[0] in ("host", "module", "shell") and len(parts) > 2:
        return parts[0], parts[1]
    return parts[0], None


def include_problem(source, target, root):
    """Why `source` may not include `target`, or None when it may."""
    if not os.path.isfile(os.path.join(root, target)):
        return "no such header under the repository root"
    top, folder = layer_of(source)
    ttop, tfolder = layer_of(target)
    if ttop not in ("host", "module", "shell"):
        return None
    if top == "host":
        if ttop != "host":
            return "the host never includes the module or the shell"
        if folder not in HOST_DEPS:
            return f"host/{folder} has no place in the layering yet"
        if tfolder != folder and tfolder not in HOST_DEPS[folder]:
            return f"host/{folder} may include only {sorted(HOST_DEPS[folder])}"
    elif top == "shell" and folder is not None:
        if folder not in SHELL_DEPS:
            return f"shell/{folder} has no place in the layering yet"
        if ttop == "module":
            return f"shell/{folder} reaches the add-on only through the host"
        if ttop == "shell" and tfolder != folder and tfolder not in SHELL_DEPS[folder]:
            return f"shell/{folder} may include only the host and {sorted(SHELL_DEPS[folder])}"
    elif top == "module":
        if ttop == "shell":
            return "the module never includes the shell"
        if ttop == "module":
            if folder not in MODULE_DEPS:
                return f"module/{folder} has no place in the layering yet"
            if tfolder != folder and tfolder not in MODULE_DEPS[folder]:
                return f"module/{folder} may include only {sorted(MODULE_DEPS[folder])}"
    return None


def scope_of(folder):
    """The folders a library of `folder` ("host/db") may include, itself first; None when
    the folder has no place in the layering."""
    if folder == "host":
        # The module's view of the host: every folder.
        return ["host"]
    top, _, name = folder.partition("/")
    deps = {"host": HOST_DEPS, "module": MODULE_DEPS, "shell": SHELL_DEPS}.get(top, {})
    if name not in deps:
        return None
    scope = [folder] + [f"{top}/{d}" for d in sorted(deps[name])]
    # A shell folder sees the whole host, as the module does.
    return scope + ["host"] if top == "shell" else scope


def stand_in_names(source, line):
    if source in MODULE_HOST_WRAPPERS or not source.startswith("module/"):
        return []
    code = line.split("//", 1)[0]
    return [n for n in HOST_NAME.findall(code) if n not in MODULE_HOST_NAMES]


def check(root):
    problems = []
    for top in ("host", "module", "shell"):
        for source in source_files(root, top):
            with open(os.path.join(root, source), encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if m:
                        why = include_problem(source, m.group(1), root)
                        if why:
                            problems.append(f"{source}:{number}: includes {m.group(1)}: {why}")
                    for name in stand_in_names(source, line):
                        problems.append(f"{source}:{number}: calls host::{name}: the module reaches the "
                                        "host through its interface, not through the stand-in's helpers")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    parser.add_argument("--scope", metavar="FOLDER", help="print the folders FOLDER may include")
    args = parser.parse_args()
    if args.scope:
        scope = scope_of(args.scope)
        if scope is None:
            print(f"{args.scope} has no place in the layering", file=sys.stderr)
            return 1
        print(";".join(scope))
        return 0
    problems = check(os.path.abspath(args.root))
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} forbidden include(s) or call(s); see CONTRIBUTING.md, Layout.")
        return 1
    print("includes follow the layering")
    return 0


if __name__ == "__main__":
    sys.exit(main())
