"""Payment runs of the sample batch through the registered component, answered by the host's
scripted user: the files written in both formats, the status codes and their messages, and the
ways a run is cancelled."""
import datetime
import os
import unittest

from host_runner import (banking_day_ahead, fresh_folder, main, ordinary_saturday_ahead, run_json,
                         sample, windows_path)

EXPECTED_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "expected")

MESSAGES = {
    21: "Invalid Amount specified for payment: negative payments not supported.",
    23: "Invalid Payer Sort Code: the sort code must contain exactly 6 digits.",
    24: "Invalid Payer Bank Account Number: the account number must be 8 digits.",
    28: "Invalid Payee Sort Code: the sort code must contain exactly 6 digits.",
    29: "Invalid Payee Bank Account Number: the account number must be 8 digits.",
    30: "Invalid or missing Payee bank account name.",
}

# Payment number in the sample batch, counted from 1: the status codes set on it, in order. The
# header is the file's first line and no record spans lines, so payment n is on line n + 1.
ONE_TO_ONE_CODES = {4: [21], 5: [28, 29], 6: [30], 7: [23, 24], 8: [21]}
BACS_ID_CODES = {4: [21], 5: [28, 29], 6: [30], 8: [21]}


def expected_file(name, date=None):
    with open(os.path.join(EXPECTED_DIR, name), "rb") as f:
        content = f.read()
    if date is not None:
        content = content.replace(b"{date}", date.strftime("%d%m%Y").encode("ascii"))
    return content


def read(path):
    with open(path, "rb") as f:
        return f.read()


class PaymentExport(unittest.TestCase):
    def export(self, folder_name, *answers, save=True):
        """Exports the sample batch, typing a path of a new folder in the save dialog unless
        save is false; returns the report and that path."""
        target = os.path.join(fresh_folder(folder_name), "payments.csv")
        arguments = ["export", "--batch", windows_path(sample("payments.csv"))] + list(answers)
        if save:
            arguments += ["--save-as", windows_path(target)]
        return run_json(self, *arguments), target

    def assertStatusCodes(self, report, expected):
        seen = {p["number"]: [c["code"] for c in p["statusCodes"]] for p in report["payments"]}
        self.assertEqual(seen, expected)
        self.assertEqual([p["line"] for p in report["payments"]],
                         [p["number"] + 1 for p in report["payments"]])
        for payment in report["payments"]:
            for code in payment["statusCodes"]:
                self.assertEqual(code["message"], MESSAGES[code["code"]])

    def assertCancelled(self, report, target):
        self.assertEqual(report["result"], "0x00000000")
        self.assertEqual(report["status"], 3)
        self.assertEqual(report["payments"], [])
        self.assertFalse(os.path.exists(target))

    def test_one_to_one_file_statuses_and_messages(self):
        date = banking_day_ahead(14)
        report, target = self.export("one-to-one", "--format", "one-to-one", "--date",
                                     date.isoformat())
        self.assertEqual(report["result"], "0x00000001")
        self.assertEqual(report["status"], 1)
        self.assertEqual(read(target), expected_file("payments-one-to-one.csv", date))
        self.assertStatusCodes(report, ONE_TO_ONE_CODES)
        self.assertEqual(report["messageBoxes"], [])
        self.assertEqual(report["itemRequests"], 8)
        self.assertEqual(report["configurationCalls"],
                         [{"operation": "GetPaymentSettings", "bankName": "Northern Bank",
                           "bankNameZeroFilled": True, "mode": 0}])

    def test_bacs_id_file_statuses_and_messages(self):
        report, target = self.export("bacs-id", "--format", "bacs-id")
        self.assertEqual(report["result"], "0x00000001")
        self.assertEqual(report["status"], 1)
        self.assertEqual(read(target), expected_file("payments-bacs-id.csv"))
        self.assertStatusCodes(report, BACS_ID_CODES)
        self.assertEqual(report["messageBoxes"], [])

    def test_existing_file_is_replaced_after_the_save_dialog_asks(self):
        report, target = self.export("replace", "--format", "bacs-id")
        self.assertEqual(report["messageBoxes"], [])
        second = run_json(self, "export", "--batch", windows_path(sample("payments.csv")),
                          "--format", "one-to-one", "--date", banking_day_ahead(20).isoformat(),
                          "--save-as", windows_path(target))
        # The save dialog's own question (its caption differs between Wine and Windows).
        self.assertEqual([box["answer"] for box in second["messageBoxes"]], ["Yes"])
        self.assertEqual(second["status"], 1)
        self.assertEqual(read(target),
                         expected_file("payments-one-to-one.csv", banking_day_ahead(20)))

    def test_default_processing_date_is_a_coming_weekday_in_every_line(self):
        report, target = self.export("default-date", "--format", "one-to-one")
        self.assertEqual(report["status"], 1)
        lines = read(target).decode("latin-1").split("\r\n")
        self.assertEqual(lines[-1], "")
        dates = {line.split(",")[6].strip('"') for line in lines[:-1]}
        self.assertEqual(len(dates), 1)
        date = datetime.datetime.strptime(dates.pop(), "%d%m%Y").date()
        today = datetime.date.today()
        self.assertTrue(today <= date <= today + datetime.timedelta(days=6), date)
        self.assertLess(date.weekday(), 5)

    def test_empty_batch_writes_an_empty_file_with_the_default_extension(self):
        folder = fresh_folder("empty-batch")
        batch = os.path.join(folder, "empty.csv")
        with open(batch, "w") as f:
            f.write("Amount,PayeeAccountName\n")
        report = run_json(self, "export", "--batch", windows_path(batch), "--extension", "txt",
                          "--format", "bacs-id", "--save-as",
                          windows_path(os.path.join(folder, "out")))
        self.assertEqual(report["result"], "0x00000000")
        self.assertEqual(report["status"], 0)
        # The save dialog adds the configured extension to a name typed without one.
        self.assertEqual(read(os.path.join(folder, "out.txt")), b"")

    def test_missing_default_directory_is_reported_and_the_run_goes_on(self):
        report, target = self.export("missing-directory", "--directory",
                                     "C:\\no such payments folder", "--format", "bacs-id")
        self.assertEqual(report["messageBoxes"], [{
            "caption": "Invalid default path",
            "text": "The default payment directory (C:\\no such payments folder) specified does "
                    "not exist.  Please correct this within configuration for the specified "
                    "banking component. The root directory (C:\\) will be used in the mean time.",
            "answer": "OK"}])
        self.assertEqual(report["status"], 1)
        self.assertEqual(read(target), expected_file("payments-bacs-id.csv"))

    def test_name_outside_the_code_page_is_written_under_no_other_name(self):
        # A with macron: the ANSI code page has only its look-alike, which names another file.
        folder = fresh_folder("outside-code-page")
        report = run_json(self, "export", "--batch", windows_path(sample("payments.csv")),
                          "--format", "bacs-id", "--save-as",
                          windows_path(os.path.join(folder, "payments-\u0100.csv")))
        self.assertEqual(report["result"], "0x00000000")
        self.assertEqual(report["status"], 2)
        self.assertEqual(report["messageBoxes"], [])
        self.assertEqual(report["itemRequests"], 0)
        self.assertEqual(os.listdir(folder), [])

    def test_cancelling_the_format_dialog_shows_no_save_dialog(self):
        report, target = self.export("cancel-format")
        self.assertCancelled(report, target)
        self.assertEqual(report["dialogs"],
                         ["payment format dialog: no answer given, pressed Cancel"])
        self.assertEqual(report["itemRequests"], 0)

    def test_cancelling_the_save_dialog(self):
        report, target = self.export("cancel-save", "--format", "one-to-one", save=False)
        self.assertCancelled(report, target)
        self.assertEqual(report["dialogs"][-1], "save dialog: no answer given, pressed Cancel")
        self.assertEqual(report["itemRequests"], 0)

    def refused_date(self, folder_name, date, caption, text):
        report, target = self.export(folder_name, "--date", date.isoformat())
        self.assertCancelled(report, target)
        self.assertEqual(report["messageBoxes"], [
            {"caption": caption, "text": text, "answer": "OK"},
            {"caption": "Changes have been made", "text": "Do you wish to ignore these changes?",
             "answer": "Yes"}])
        self.assertNotIn("save dialog", " ".join(report["dialogs"]))

    def test_weekend_date_is_refused_and_the_user_cancels(self):
        self.refused_date("weekend", ordinary_saturday_ahead(), "Non-Banking Date Specified",
                          "The date you specified falls on a weekend. Try advancing the date "
                          "\r\n2 days to the next likely Banking Day.")

    def test_date_before_today_is_refused(self):
        self.refused_date("yesterday", datetime.date.today() - datetime.timedelta(days=1),
                          "Invalid Banking Date Specified",
                          "The processing date you specify for payments MUST be on or after the "
                          "current system date.")

    def test_date_beyond_a_year_is_refused(self):
        self.refused_date("too-far", banking_day_ahead(400), "Invalid Processing Date Specified",
                          "The processing date specified is too far in the future.\rProcessing "
                          "dates can be at most 365 days after today's date.")


if __name__ == "__main__":
    main()
