"""Set-up's choices on a bad day of the package registry, with stand-ins for apt-get, dpkg-query,
dpkg and npm on PATH that keep the installed packages in a file: a package list that cannot be
refreshed, a 32-bit Wine that cannot be installed, a required package that cannot be installed.

Called as: check_setup.py SETUP_SCRIPT
"""
import os
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest

SETUP = sys.argv[1]
X86_RUNTIME = "wine32:i386"
BROKEN_INDEX = "http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz"

# The stand-ins. STATE holds one installed package a line, CALLS one call a line; REFUSE names
# the packages apt-get will not install, FAIL_INDEX makes the refresh fail for one index.
STAND_INS = {
    "dpkg-query": """\
        #!/bin/sh
        echo "dpkg-query $*" >>"$CALLS"
        package=$(eval echo \\${$#})
        grep -qx "$package" "$STATE" && printf 'install ok installed' && exit 0
        exit 1
        """,
    "dpkg": """\
        #!/bin/sh
        echo "dpkg $*" >>"$CALLS"
        case "$1" in
        --print-foreign-architectures) grep -qx i386-architecture "$STATE" && echo i386 ;;
        --add-architecture) echo i386-architecture >>"$STATE" ;;
        esac
        exit 0
        """,
    "apt-get": """\
        #!/bin/sh
        echo "apt-get $*" >>"$CALLS"
        if [ "$1" = update ]; then
          [ -z "$FAIL_INDEX" ] && exit 0
          echo "W: Failed to fetch $FAIL_INDEX  File has unexpected size (374820 != 376004)."
          echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
          exit 100
        fi
        shift
        for package in "$@"; do
          case " $REFUSE " in *" $package "*)
            echo "E: Unable to correct problems, you have held broken packages."
            exit 100 ;;
          esac
        done
        for package in "$@"; do
          case "$package" in -*) ;; *) echo "$package" >>"$STATE" ;; esac
        done
        """,
    "npm": """\
        #!/bin/sh
        echo "npm $*" >>"$CALLS"
        """,
    "sleep": """\
        #!/bin/sh
        echo "sleep $*" >>"$CALLS"
        """,
}


class SetUpTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.folder)
        # A repository of its own, so that set-up's tool folder is the test's.
        scripts = os.path.join(self.folder, "repository", "scripts")
        os.makedirs(scripts)
        shutil.copy(SETUP, scripts)
        self.setup = os.path.join(scripts, os.path.basename(SETUP))
        bin_folder = os.path.join(self.folder, "bin")
        os.mkdir(bin_folder)
        for name, text in STAND_INS.items():
            path = os.path.join(bin_folder, name)
            with open(path, "w") as file:
                file.write(textwrap.dedent(text))
            os.chmod(path, 0o755)
        self.state = os.path.join(self.folder, "state")
        self.calls = os.path.join(self.folder, "calls")
        open(self.state, "w").close()
        open(self.calls, "w").close()
        self.environment = dict(os.environ, PATH=bin_folder + ":/usr/bin:/bin", STATE=self.state,
                                CALLS=self.calls, REFUSE="", FAIL_INDEX="")

    def run_setup(self, **environment):
        return subprocess.run(["bash", self.setup], env=dict(self.environment, **environment),
                              capture_output=True, text=True, timeout=60)

    def installed(self):
        with open(self.state) as file:
            return set(file.read().split())

    def apt_calls(self):
        with open(self.calls) as file:
            return [line.split(" ", 1)[1].strip() for line in file if line.startswith("apt-get")]

    def test_installs_everything_on_a_good_day_and_nothing_the_next_time(self):
        first = self.run_setup()
        self.assertEqual(first.returncode, 0, first.stderr)
        self.assertIn(X86_RUNTIME, self.installed())
        self.assertIn("clang", self.installed())
        self.assertIn("i386-architecture", self.installed())
        self.assertEqual(sum(call.startswith("update") for call in self.apt_calls()), 1)
        open(self.calls, "w").close()
        second = self.run_setup()
        self.assertEqual((second.returncode, second.stdout, second.stderr), (0, "", ""))
        self.assertEqual(self.apt_calls(), [])

    def test_a_list_that_cannot_be_refreshed_is_named_and_set_up_goes_on(self):
        result = self.run_setup(FAIL_INDEX=BROKEN_INDEX)
        self.assertEqual(result.returncode, 0, result.stderr)
        refreshes = [call for call in self.apt_calls() if call.startswith("update")]
        self.assertEqual(len(refreshes), 3, "tried three times")
        lines = [line for line in result.stdout.splitlines() if BROKEN_INDEX in line]
        self.assertEqual(len(lines), 1, result.stdout)
        self.assertIn("going on", lines[0])
        self.assertIn(X86_RUNTIME, self.installed())

    def test_without_the_32_bit_wine_it_goes_on_and_tries_again_next_time(self):
        result = self.run_setup(REFUSE=X86_RUNTIME)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("clang", self.installed())
        self.assertNotIn(X86_RUNTIME, self.installed())
        lines = [line for line in result.stdout.splitlines() if "32-bit Wine" in line]
        self.assertEqual(len(lines), 1, result.stdout)
        self.assertIn("held broken packages", lines[0])
        open(self.calls, "w").close()
        again = self.run_setup()
        self.assertEqual(again.returncode, 0, again.stderr)
        self.assertIn("install -y -q --no-install-recommends " + X86_RUNTIME, self.apt_calls())
        self.assertIn(X86_RUNTIME, self.installed())

    def test_a_required_package_that_cannot_be_installed_stops_set_up(self):
        result = self.run_setup(REFUSE="wixl")
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("wixl", result.stderr)
        self.assertIn("held broken packages", result.stderr)
        self.assertIn("try again later", result.stderr)
        # The 32-bit Wine is not tried after the build's own packages failed.
        self.assertNotIn(X86_RUNTIME, self.installed())


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
