#!/usr/bin/env python3
"""Runs one suite of Lumo's end-to-end flows against BUILD_DIR/bin/Lumo.exe and writes its results as
GoogleTest-style XML (the test runner's closing line counts each flow). CTest runs it as the tests
"e2e_flows" and "e2e_robustness" (tests/CMakeLists.txt), inside tools/run-tests.sh's environment.

Usage: run-e2e.py BUILD_DIR SUITE RESULTS.xml [NAME_PART]   (SUITE: E2eFlows or E2eRobustness;
       NAME_PART: run only the flows whose name contains it)
"""

import os
import sys

sys.dont_write_bytecode = True  # nothing generated inside the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import flows  # noqa: E402,F401  (registers the flows)
import lumo_e2e  # noqa: E402
import player_flows  # noqa: E402,F401  (registers the player page's flows)
import robustness  # noqa: E402,F401  (registers the corpus)
import drawer_flows  # noqa: E402,F401  (registers the drawer's flows)
import browse_flows  # noqa: E402,F401  (registers the browse page's flow)
import pages_flows  # noqa: E402,F401  (registers the settings and help pages' flows)
import playback_flows  # noqa: E402,F401  (registers the playback flows)
import restart_flows  # noqa: E402,F401  (registers the restart flow)
import desktop_flows  # noqa: E402,F401  (registers the desktop program's flows)


def main(argv):
    if len(argv) not in (4, 5):
        print(__doc__, file=sys.stderr)
        return 2
    return lumo_e2e.run_suite(argv[1], argv[2], argv[3], argv[4] if len(argv) == 5 else None)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
