"""Runs the reference host under Wine for the end-to-end tests.

Every test script is called as: SCRIPT WINE_EXEC ARCH WINE_PREFIX HOST_EXE SAMPLES_DIR WORK_DIR
"""
import datetime
import json
import os
import shutil
import subprocess
import sys
import unittest

WINE_EXEC, ARCH, WINE_PREFIX, HOST_EXE, SAMPLES_DIR, WORK_DIR = sys.argv[1:7]


def windows_path(path):
    """The path as the Windows programs see it: Wine maps the Unix root to drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def sample(name):
    return os.path.join(SAMPLES_DIR, name)


def fresh_folder(name):
    """An empty folder of the build tree for one test's files."""
    folder = os.path.join(WORK_DIR, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


class HostRun:
    def __init__(self, completed):
        self.exit_code = completed.returncode
        self.stdout = completed.stdout.decode("utf-8").replace("\r\n", "\n")
        self.stderr = completed.stderr.decode("utf-8", "replace")

    def report(self):
        """The --json report."""
        return json.loads(self.stdout)

    def __str__(self):
        return "exit code %d\n--- stdout\n%s\n--- stderr\n%s" % (
            self.exit_code, self.stdout, self.stderr)


def run_host(*arguments):
    completed = subprocess.run([WINE_EXEC, ARCH, WINE_PREFIX, HOST_EXE] + list(arguments),
                               stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    return HostRun(completed)


def run_json(test, *arguments, exit_code=0):
    """Runs the host with --json, checks its exit code and returns its report."""
    run = run_host(*arguments, "--json")
    test.assertEqual(run.exit_code, exit_code, str(run))
    return run.report()


# Dates for the payment format dialog, relative to today as the host's clock sees it.

def _is_safe_banking_day(day):
    """A Tuesday to Thursday outside the Christmas and New Year holidays: a banking day under
    every holiday rule (Easter, May and August holidays fall on Mondays and Fridays)."""
    return (day.weekday() in (1, 2, 3) and not (day.month == 12 and day.day >= 24)
            and not (day.month == 1 and day.day <= 3))


def banking_day_ahead(days):
    day = datetime.date.today() + datetime.timedelta(days=days)
    while not _is_safe_banking_day(day):
        day += datetime.timedelta(days=1)
    return day


def ordinary_saturday_ahead():
    """A Saturday that no holiday rule touches: a weekend day, 2 days to the next."""
    day = datetime.date.today() + datetime.timedelta(days=7)
    while day.weekday() != 5 or (day.month == 12 and day.day >= 24) or (
            day.month == 1 and day.day <= 3):
        day += datetime.timedelta(days=1)
    return day


def main():
    unittest.main(argv=[sys.argv[0]], verbosity=2)
