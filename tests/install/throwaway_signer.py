"""A code-signing certificate made for one test run, with the certificate authority that issued
it, and signing through the build's own script (scripts/sign.sh) with it.
"""
import os
import shutil
import subprocess

SIGN = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir, "scripts",
                    "sign.sh")
SIGNING_ENVIRONMENT = ("CORVANE_SIGN_PFX", "CORVANE_SIGN_PASSWORD_FILE",
                       "CORVANE_SIGN_TIMESTAMP_URL")


def run(arguments, environment=None):
    return subprocess.run(arguments, capture_output=True, text=True, env=environment,
                          stdin=subprocess.DEVNULL)


def unsigned_environment():
    """The environment without a certificate, whatever the caller's names."""
    return {name: value for name, value in os.environ.items() if name not in SIGNING_ENVIRONMENT}


class ThrowawaySigner:
    def __init__(self, folder):
        self.folder = folder
        self.authority = self._path("authority.pem")
        password_file = self._path("password")
        with open(password_file, "w") as password:
            password.write("throwaway password\n")
        new_key = ["req", "-newkey", "rsa:2048", "-noenc", "-days", "2"]
        self._openssl(*new_key, "-x509", "-subj", "/CN=Corvane Test Authority",
                      "-addext", "basicConstraints=critical,CA:TRUE",
                      "-addext", "keyUsage=critical,keyCertSign",
                      "-keyout", self._path("authority.key"), "-out", self.authority)
        self._openssl(*new_key, "-subj", "/CN=Corvane Test Signer",
                      "-keyout", self._path("signer.key"), "-out", self._path("signer.csr"))
        with open(self._path("signer.ext"), "w") as extensions:
            extensions.write("basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\n"
                             "extendedKeyUsage=codeSigning\n")
        self._openssl("x509", "-req", "-in", self._path("signer.csr"), "-days", "2",
                      "-CA", self.authority, "-CAkey", self._path("authority.key"),
                      "-CAcreateserial", "-extfile", self._path("signer.ext"),
                      "-out", self._path("signer.pem"))
        self._openssl("pkcs12", "-export", "-inkey", self._path("signer.key"),
                      "-in", self._path("signer.pem"), "-certfile", self.authority,
                      "-passout", "file:" + password_file, "-out", self._path("signer.pfx"))
        self.environment = dict(unsigned_environment(), CORVANE_SIGN_PFX=self._path("signer.pfx"),
                                CORVANE_SIGN_PASSWORD_FILE=password_file)

    def _path(self, name):
        return os.path.join(self.folder, name)

    def _openssl(self, *arguments):
        completed = run(["openssl"] + list(arguments))
        if completed.returncode != 0:
            raise AssertionError("openssl %s: %s" % (arguments[0], completed.stderr))

    def signed_copy(self, path, name):
        """A copy of the file in the signer's folder, signed by sign.sh with its certificate."""
        copy = self._path(name)
        shutil.copyfile(path, copy)
        completed = run(["bash", SIGN, copy], self.environment)
        if completed.returncode != 0:
            raise AssertionError("sign.sh %s: %s" % (name, completed.stdout + completed.stderr))
        return copy

    def verify(self, path):
        """osslsigncode's verification against the signer's authority: (passed, its output)."""
        completed = run(["osslsigncode", "verify", "-CAfile", self.authority, "-in", path])
        return completed.returncode == 0, completed.stdout + completed.stderr


def signature_status(*paths):
    """sign.sh's reading of each file: "signed" or "unsigned"."""
    completed = run(["bash", SIGN, "--status"] + list(paths))
    if completed.returncode != 0:
        raise AssertionError("sign.sh --status: " + completed.stderr)
    return completed.stdout.split()
