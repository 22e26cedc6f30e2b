"""Input the host refuses before any bank is involved: malformed batch files, named by line,
and bad options. Nothing is shown and nothing is written."""
import os
import unittest

from host_runner import fresh_folder, main, run_host, sample, windows_path

USAGE = 2


class RefusedInput(unittest.TestCase):
    def refuse_batch(self, name, content):
        folder = fresh_folder("refused-" + name)
        batch = os.path.join(folder, "batch.csv")
        with open(batch, "wb") as f:
            f.write(content)
        target = os.path.join(folder, "out.csv")
        run = run_host("export", "--batch", windows_path(batch), "--format", "bacs-id",
                       "--save-as", windows_path(target))
        self.assertEqual(run.exit_code, USAGE, str(run))
        self.assertEqual(run.stdout, "")
        self.assertFalse(os.path.exists(target))
        return run.stderr

    def test_unclosed_quote_is_refused_naming_the_line(self):
        stderr = self.refuse_batch("quote", b"Amount,PayeeAccountName\r\n1,Smith\r\n"
                                            b"2,\"Jones\r\n3,Brown\r\n")
        self.assertIn("line 3: a quoted field is not closed", stderr)

    def test_record_with_a_missing_field_is_refused_naming_the_line(self):
        stderr = self.refuse_batch("fields", b"Amount,PayeeAccountName\n1,Smith\n2,Jones\n3\n")
        self.assertIn("line 4: 1 field where the header names 2 columns", stderr)

    def test_unknown_column_and_bad_amount_are_refused(self):
        self.assertIn("line 1: unknown column \"Payee\"",
                      self.refuse_batch("column", b"Amount,Payee\n1,x\n"))
        self.assertIn("line 2: the amount \"12,50\" is not a decimal number",
                      self.refuse_batch("amount", b"Amount\n\"12,50\"\n"))

    def test_bad_options_are_refused(self):
        batch = windows_path(sample("payments.csv"))
        for arguments in (["export", "--batch", batch, "--extension", "text"],
                          ["export", "--batch", batch, "--format", "pdf"],
                          ["export", "--batch", batch, "--date", "2030-02-30"],
                          ["export", "--batch", batch, "--colour", "red"],
                          ["export"],
                          ["import", "--statement", batch, "--sort-code", "123456"],
                          ["transfer"]):
            run = run_host(*arguments)
            self.assertEqual(run.exit_code, USAGE, " ".join(arguments) + "\n" + str(run))
            self.assertEqual(run.stdout, "")
            self.assertNotEqual(run.stderr.strip(), "")


if __name__ == "__main__":
    main()
