"""Reads ctest's JUnit report and tells about its failed tests.

  failed_tests.py REPORT unstarted   regular expressions, one a line, for the
                                     failed tests whose program never reached
                                     the test (no "[ RUN      ] name" line):
                                     wine failed to start it, not the test
  failed_tests.py REPORT show        each failed test's name and the end of
                                     its output
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

OUTPUT_LINES_SHOWN = 30


def failed_tests(report):
    for case in ElementTree.parse(report).getroot().iter("testcase"):
        if case.get("status") == "fail":
            yield case.get("name"), case.findtext("system-out") or ""


def reached_test(name, output):
    return f"[ RUN      ] {name}" in output


def main():
    report, mode = sys.argv[1], sys.argv[2]
    for name, output in failed_tests(report):
        if mode == "unstarted":
            if not reached_test(name, output):
                print(f"^{re.escape(name)}$")
        else:
            lines = output.splitlines()[-OUTPUT_LINES_SHOWN:]
            print(f"--- {name}")
            print("\n".join(lines) if lines else "(no output)")


if __name__ == "__main__":
    main()
