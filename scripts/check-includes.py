#!/usr/bin/env python3
"""Fails when an include runs the wrong way between the tree's layers.

    check-includes.py [ROOT]     checks the tree (default: this one)
    check-includes.py --picture  prints the layers as the README shows them
    check-includes.py --self-test

Each layer may include the folders below it and itself, nothing else: a core
never includes a front, a front never includes another front, and the
portable layers include no Windows header (the web page compiles them with
another compiler). Tests, benchmarks and fuzz targets may include anything.
"""
import os
import re
import sys
import tempfile

# From the top down: a layer, what it may include besides itself, and whether
# it must stay free of Windows headers. Said once; the README's picture is
# printed from it.
LAYERS = [
    ("atelier", ["atelier/window", "atelier/document", "authoring", "win32", "checking", "quiz",
                 "resources"], False),
    ("atelier/window", ["atelier/document", "authoring", "win32", "checking", "quiz", "resources"],
     False),
    ("atelier/document", ["authoring", "checking", "quiz"], True),
    ("quizzpack", ["authoring", "win32", "checking", "quiz", "resources"], False),
    ("player", ["win32", "checking", "quiz", "resources"], False),
    ("web", ["checking", "quiz"], True),
    ("authoring", ["win32", "checking", "quiz", "resources"], True),
    ("win32", ["checking", "quiz"], False),
    ("checking", ["quiz"], True),
    ("quiz", [], True),
]

# The authoring core's Windows half: the platform's calls, beside the
# portable files that stand on them through a record of functions.
WINDOWS_HALF = {
    "authoring/packing/windows_platform.cpp",
    "authoring/packing/windows_platform.h",
    "authoring/media/wic_picture_decoder.cpp",
    "authoring/media/wic_picture_decoder.h",
}

# The atelier's windows (the editor's and the class's results') and the parts
# they coordinate; every other file of atelier/window/ is a pane, which tells
# its window what changed by a message (pane_messages.h) and includes no
# other pane: the window refreshes them. A pane reads its window's state
# (atelier_state, class_results_view).
WINDOW_FOLDER = "atelier/window"
WINDOW_OWN = {"atelier_window", "editor", "file_commands", "dropped_files", "editor_controls",
              "atelier_state", "control_ids", "dialogs", "pane_messages", "class_results_window",
              "class_results_view"}
PANE_MAY_INCLUDE = {"atelier_state", "control_ids", "dialogs", "editor_controls", "pane_messages",
                    "class_results_view"}

WINDOWS_HEADERS = re.compile(
    r"^(windows|winbase|windef|winuser|wingdi|winnls|winreg|winerror|winsock2?|wincodec|"
    r"wincrypt|winver|ole2|olectl|oleauto|ocidl|objbase|objidl|unknwn|commctrl|commdlg|"
    r"shellapi|shlobj|shlwapi|shobjidl|mmsystem|vfw|dshow|io|direct|process|tchar)\.h$",
    re.IGNORECASE)

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
GUARD_OPEN = re.compile(r"^\s*#\s*(ifdef\s+_WIN32|if\s+defined\s*\(?\s*_WIN32)")
CONDITIONAL_OPEN = re.compile(r"^\s*#\s*if")
CONDITIONAL_ELSE = re.compile(r"^\s*#\s*(else|elif)")
CONDITIONAL_END = re.compile(r"^\s*#\s*endif")
SOURCES = (".cpp", ".h", ".rc", ".in")


def LayerOf(path):
    """The innermost layer holding path, or None."""
    layers = [name for name, _, _ in LAYERS if path == name or path.startswith(name + "/")]
    return max(layers, key=len, default=None)


def Rules():
    return {name: (set(below) | {name}, portable) for name, below, portable in LAYERS}


def Includes(text):
    """(line number, kind, header, inside a _WIN32 guard) for each include."""
    guards = []  # for each open #if: whether it is a _WIN32 guard
    for number, line in enumerate(text.splitlines(), 1):
        if GUARD_OPEN.match(line):
            guards.append(True)
        elif CONDITIONAL_OPEN.match(line):
            guards.append(False)
        elif CONDITIONAL_ELSE.match(line) and guards:
            guards[-1] = False
        elif CONDITIONAL_END.match(line) and guards:
            guards.pop()
        match = INCLUDE.match(line)
        if match:
            yield number, match.group(1), match.group(2), any(guards)


def PaneProblem(path, header):
    """Why a pane may not include header, or None."""
    folder, name = os.path.split(path)
    pane = os.path.splitext(name)[0]
    if folder != WINDOW_FOLDER or pane in WINDOW_OWN:
        return None
    included_folder, included_name = os.path.split(header)
    included = os.path.splitext(included_name)[0]
    if included_folder != WINDOW_FOLDER or included in PANE_MAY_INCLUDE | {pane}:
        return None
    return (f"the pane {pane} may not include {included}: it tells the window by a message of "
            f"pane_messages.h, and the window calls {included}")


def Problems(root):
    rules = Rules()
    problems = []
    for folder, _, files in sorted(os.walk(root)):
        for name in sorted(files):
            path = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
            layer = LayerOf(path)
            if layer is None or not name.endswith(SOURCES):
                continue
            allowed, portable = rules[layer]
            with open(os.path.join(root, path), encoding="utf-8", errors="replace") as file:
                text = file.read()
            for number, kind, header, guarded in Includes(text):
                where = f"{path}:{number}: {header}"
                if kind == '"':
                    target = LayerOf(header)
                    if target is not None and target not in allowed:
                        problems.append(f"{where}: {layer}/ may not include {target}/")
                    elif target == "win32" and portable and path not in WINDOWS_HALF:
                        problems.append(f"{where}: only the Windows half of {layer}/ may include win32/")
                    elif PaneProblem(path, header):
                        problems.append(f"{where}: {PaneProblem(path, header)}")
                elif (portable and WINDOWS_HEADERS.match(os.path.basename(header))
                      and path not in WINDOWS_HALF and not (layer == "authoring" and guarded)):
                    problems.append(f"{where}: {layer}/ is portable and takes no Windows header")
    return problems


def Picture():
    width = max(len(name) for name, _, _ in LAYERS) + 1
    lines = []
    for name, below, portable in LAYERS:
        half = any(path.startswith(name + "/") for path in WINDOWS_HALF)
        note = ("  (portable but for its Windows half)" if half else
                "  (portable: no Windows header)" if portable else "")
        lines.append(f"{name + '/':<{width}} -> {', '.join(below) if below else '(nothing)'}{note}")
    return "\n".join(lines)


def SelfTest():
    # Each wrong include is found, each right one is not.
    cases = [
        ("quiz/a.cpp", '#include "checking/verdict.h"', True),
        ("checking/a.cpp", '#include "player/panel.h"', True),
        ("checking/a.cpp", "#include <windows.h>", True),
        ("quiz/a.h", "#include <Windows.h>", True),
        ("player/a.cpp", '#include "atelier/window/editor.h"', True),
        ("player/a.cpp", '#include "authoring/source/problem.h"', True),
        ("atelier/window/a.cpp", '#include "player/panel.h"', True),
        ("atelier/document/a.cpp", '#include "atelier/window/editor.h"', True),
        ("atelier/document/a.cpp", "#include <commctrl.h>", True),
        ("authoring/media/a.cpp", '#include "quizzpack/commands.h"', True),
        ("authoring/media/a.cpp", "#include <wincodec.h>", True),
        ("authoring/packing/a.cpp", "#ifdef _WIN32\n#include <io.h>\n#else\n#include <windows.h>\n#endif",
         True),
        ("win32/a.cpp", '#include "player/panel.h"', True),
        ("authoring/source/a.cpp", '#include "win32/solid_brushes.h"', True),
        ("authoring/media/wic_picture_decoder.cpp", '#include "win32/wic_decoding.h"', False),
        ("quizzpack/a.cpp", '#include "atelier/document/quiz_document.h"', True),
        ("quiz/a.cpp", '#include "quiz/lzw.h"', False),
        ("checking/a.cpp", '#include "quiz/quiz_record.h"\n#include <cstdint>', False),
        ("player/a.cpp", '#include "checking/verdict.h"\n#include <windows.h>', False),
        ("atelier/window/a.cpp", '#include "atelier/document/quiz_document.h"', False),
        ("authoring/packing/a.cpp", "#ifdef _WIN32\n#include <io.h>\n#else\n#include <unistd.h>\n#endif",
         False),
        ("authoring/packing/windows_platform.cpp", "#include <windows.h>", False),
        ("atelier/window/question_list.cpp", '#include "atelier/window/question_fields.h"', True),
        ("atelier/window/problem_list.cpp", '#include "atelier/window/editor.h"', True),
        ("atelier/window/question_list.cpp", '#include "atelier/window/pane_messages.h"', False),
        ("atelier/window/question_list.cpp", '#include "atelier/window/question_list.h"', False),
        ("atelier/window/editor.cpp", '#include "atelier/window/question_fields.h"', False),
        ("tests/unit/a.cpp", '#include "player/panel.h"\n#include <windows.h>', False),
    ]
    failures = 0
    for path, text, wrong in cases:
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, os.path.dirname(path)))
            with open(os.path.join(root, path), "w", encoding="utf-8") as file:
                file.write(text + "\n")
            found = bool(Problems(root))
        if found != wrong:
            failures += 1
            print(f"self-test: {path} with {text!r}: {'found' if found else 'not found'}, "
                  f"expected {'a problem' if wrong else 'none'}")
    return failures


def main(arguments):
    if arguments[:1] == ["--picture"]:
        print(Picture())
        return 0
    if arguments[:1] == ["--self-test"]:
        return 1 if SelfTest() else 0
    root = arguments[0] if arguments else os.path.join(os.path.dirname(__file__), "..")
    problems = Problems(root)
    for problem in problems:
        print(problem)
    readme = os.path.join(root, "README.md")
    if os.path.exists(readme):
        with open(readme, encoding="utf-8") as file:
            if Picture() not in file.read():
                problems.append("README.md")
                print("README.md: the picture of the layers is not the one the check holds; "
                      "print it with scripts/check-includes.py --picture")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
