"""Reads ctest's JUnit report and tells about its failed tests.

  failed_tests.py REPORT show    each failed test's name and the end of its
                                 output
  failed_tests.py REPORT retry   a ctest -R expression naming every failed
                                 test, printed only when none of them reached
                                 the test (no "[ RUN      ] name" line): then
                                 wine failed to start them, not the tests
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
    failed = list(failed_tests(report))
    if mode == "retry":
        if failed and not any(reached_test(name, output) for name, output in failed):
            print("|".join(f"^{re.escape(name)}$" for name, _ in failed))
        return
    for name, output in failed:
        lines = output.splitlines()[-OUTPUT_LINES_SHOWN:]
        print(f"--- {name}")
        print("\n".join(lines) if lines else "(no output)")


if __name__ == "__main__":
    main()
