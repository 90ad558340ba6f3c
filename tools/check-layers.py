#!/usr/bin/env python3
"""Checks that every include goes down the layers: a file in a layer folder includes headers of its
own layer and the layers below it only, and a test in tests/<layer>/ only those, its own folder's
helpers and the shared test support (tests/support/) whose includes stay within the same bounds.
Prints each include that goes up as FILE:LINE and exits 1 when there is one.

Usage: check-layers.py [--xml RESULTS.xml] SOURCE_DIR
       check-layers.py --self-test
With --xml the check and its self-test are written as two GoogleTest-style cases, so that the test
runner's closing line counts them (CTest runs it so, as the test "layers").
"""

import os
import re
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # nothing generated inside the source tree

# Lowest first; the same order as docs/ARCHITECTURE.md's table.
LAYERS = ["foundation", "graphics", "ui", "controls", "dialogs", "media", "app", "resources"]
LEVEL = {layer: level for level, layer in enumerate(LAYERS)}
SOURCE_SUFFIXES = (".h", ".cpp", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SUPPORT = os.path.join("tests", "support")


def includes_of(path):
    """The quoted includes of a file as [(line number, included path)]."""
    found = []
    with open(path, encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if match:
                found.append((number, match.group(1)))
    return found


class LayerCheck:
    """The rule over one source tree. Test files resolve an include the way the test build does:
    their own folder first, then tests/ and tests/support/."""

    def __init__(self, root):
        self.root = root
        self.support_levels = {}   # tests/support header -> the highest layer it reaches

    def level_of_include(self, including_dir, name, visiting=()):
        """(level, through) of an include: the layer the included file belongs to (None for one
        outside the layers) and, for a test support header, its name."""
        first = name.split("/")[0]
        if "/" in name and first in LEVEL:
            return LEVEL[first], None
        for folder in (including_dir, os.path.join(self.root, SUPPORT)):
            candidate = os.path.join(folder, name)
            if os.path.isfile(candidate):
                if os.path.dirname(os.path.abspath(candidate)) == os.path.abspath(
                        os.path.join(self.root, SUPPORT)):
                    return self.support_level(candidate, visiting), name
                return None, None   # a helper beside the including file: same layer
        return None, None

    def support_level(self, path, visiting=()):
        """The highest layer a test support file reaches, through other support files too."""
        key = os.path.abspath(path)
        if key in self.support_levels:
            return self.support_levels[key]
        if key in visiting:
            return None
        highest = None
        for _, name in includes_of(path):
            level, _ = self.level_of_include(os.path.dirname(path), name, visiting + (key,))
            if level is not None and (highest is None or level > highest):
                highest = level
        self.support_levels[key] = highest
        return highest

    def files(self):
        """(path relative to the root, the layer it belongs to) of every checked file."""
        for layer in LAYERS:
            for folder in (layer, os.path.join("tests", layer)):
                full = os.path.join(self.root, folder)
                if not os.path.isdir(full):
                    continue
                for name in sorted(os.listdir(full)):
                    if name.endswith(SOURCE_SUFFIXES):
                        yield os.path.join(folder, name), layer

    def violations(self):
        """Every include that goes up, as 'FILE:LINE: ...' lines."""
        found = []
        for relative, layer in self.files():
            path = os.path.join(self.root, relative)
            for number, name in includes_of(path):
                level, through = self.level_of_include(os.path.dirname(path), name)
                if level is None or level <= LEVEL[layer]:
                    continue
                reach = " (through the test support header %s)" % through if through else ""
                found.append("%s:%d: includes %s%s, of the layer %s above %s"
                             % (relative, number, name, reach, LAYERS[level], layer))
        return found


def self_test():
    """Runs the check on a small tree with known upward includes; returns a failure text or None."""
    tree = {
        "foundation/KBase.h": '#include <windows.h>\n',
        "ui/KWindow.h": '#include "foundation/KBase.h"\n#include "ui/KOther.h"\n',
        "ui/KBad.cpp": '#include "ui/KWindow.h"\n\n#include "controls/KButton.h"\n',
        "controls/KButton.h": '#include "ui/KWindow.h"\n',
        "app/KPage.cpp": '#include "controls/KButton.h"\n#include "media/KPlayer.h"\n',
        "tests/support/KHelp.h": '#include "ui/KWindow.h"\n',
        "tests/support/KTreeHelp.h": '#include "KHelp.h"\n#include "controls/KButton.h"\n',
        "tests/ui/KGoodTest.cpp": '#include "KHelp.h"\n#include "LocalHelp.h"\n',
        "tests/ui/LocalHelp.h": '#include "ui/KWindow.h"\n',
        "tests/ui/KBadTest.cpp": '#include "KHelp.h"\n#include "KTreeHelp.h"\n',
        "tests/controls/KButtonTest.cpp": '#include "KTreeHelp.h"\n#include "dialogs/KBox.h"\n',
    }
    expected = ["ui/KBad.cpp:3", "tests/ui/KBadTest.cpp:2", "tests/controls/KButtonTest.cpp:2"]
    with tempfile.TemporaryDirectory() as root:
        for relative, text in tree.items():
            os.makedirs(os.path.dirname(os.path.join(root, relative)), exist_ok=True)
            with open(os.path.join(root, relative), "w", encoding="utf-8") as out:
                out.write(text)
        found = [line.split(": ")[0] for line in LayerCheck(root).violations()]
    if sorted(found) != sorted(expected):
        return "the check found %s in the sample tree, expected %s" % (found, expected)
    return None


def main(argv):
    args = argv[1:]
    if args == ["--self-test"]:
        failure = self_test()
        print(failure or "self-test passed")
        return 1 if failure else 0
    xml = None
    if len(args) == 3 and args[0] == "--xml":
        xml, args = args[1], args[2:]
    if len(args) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    started = time.time()
    self_failure = self_test()
    found = LayerCheck(args[0]).violations()
    for line in found:
        print(line)
    if self_failure:
        print("self-test: " + self_failure)
    if xml:
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "e2e"))
        import lumo_e2e  # the GoogleTest-style writer the end-to-end suites use
        failure = "%d includes go up a layer:\n%s" % (len(found), "\n".join(found)) if found else None
        lumo_e2e.write_junit(xml, "LayerCheck",
                             [("SelfTestFindsUpwardIncludes", 0.0, self_failure),
                              ("EveryIncludeGoesDown", time.time() - started, failure)],
                             time.time() - started)
    return 1 if found or self_failure else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
