"""Statement imports of the sample statement file through the registered component: the
transactions the host receives for an account across both volumes, their numbering, and the
statuses of a cancelled choice and of a file that is not a bank statement."""
import os
import unittest

from host_runner import fresh_folder, main, run_host, run_json, sample, windows_path

VT_I4 = 3
SETTING_ORDER = ["SequenceNumber", "Credit", "Amount", "Date", "Reference", "Narrative"]


def transaction(sequence, credit, amount, date, reference, narrative1, narrative2):
    """A transaction as the host receives it: reference and narrative parts as fixed-width
    fields of 18 characters, the narrative joined by one blank."""
    return {"sequence": sequence, "sequenceType": VT_I4, "credit": credit, "amount": amount,
            "date": date, "reference": reference.ljust(18),
            "narrative": narrative1.ljust(18) + " " + narrative2.ljust(18),
            "propertiesSet": SETTING_ORDER, "released": True}


HOST_ACCOUNT_TRANSACTIONS = [
    transaction(1, 1, 123.45, "2024-02-29", "BGC SALARY", "ABC", "DEF"),
    transaction(2, 0, 1000.0, "2024-03-01", "DD INSURANCE", "NORTHERN MUTUAL", "POLICY 77"),
    transaction(3, 1, 0.01, "2024-12-31", "INTEREST", "GROSS INTEREST", ""),
    transaction(4, 0, 50.0, "2025-01-01", "CHQ 000123", "CHEQUE", ""),
]

OTHER_ACCOUNT_TRANSACTIONS = [
    transaction(1, 0, 42.0, "2024-02-29", "DD GYM", "FITNESS FIRST", "MEMBER 12"),
    transaction(2, 1, 1500.0, "2024-12-31", "BGC REFUND", "TAX OFFICE", ""),
]

RECOGNISED = ['recognised as "Northen Bank Statement"']


def import_statement(test, statement, sort_code, account, *options):
    return run_json(test, "import", "--statement", windows_path(statement), "--sort-code",
                    sort_code, "--account", account, *options)


class StatementImport(unittest.TestCase):
    def assertImported(self, report, transactions):
        self.assertEqual(report["result"], "0x00000000")
        self.assertEqual(report["status"], 0)
        self.assertEqual(report["prepareCalls"], 1)
        self.assertEqual(report["balancesSet"], [0.0])
        self.assertEqual(report["transactions"], transactions)

    def test_host_account_transactions_of_both_volumes(self):
        report = import_statement(self, sample("statement.txt"), "12-34-56", "12345678")
        self.assertImported(report, HOST_ACCOUNT_TRANSACTIONS)
        self.assertEqual(report["selector"], {"recognizerGiven": True, "choices": RECOGNISED})
        self.assertEqual(report["configurationCalls"],
                         [{"operation": "GetStatementSettings", "bankName": "Northern Bank",
                           "bankNameZeroFilled": True, "mode": 0}])

    def test_other_account_is_numbered_from_one(self):
        report = import_statement(self, sample("statement.txt"), "654321", "87654321")
        self.assertImported(report, OTHER_ACCOUNT_TRANSACTIONS)

    def test_lines_after_the_second_volume_are_not_read(self):
        folder = fresh_folder("three-volumes")
        statement = os.path.join(folder, "statement.txt")
        with open(sample("statement.txt"), "rb") as f:
            content = f.read()
        third_volume = content[content.index(b"VOL1", 10):]
        with open(statement, "wb") as f:
            f.write(content + third_volume)
        report = import_statement(self, statement, "12-34-56", "12345678")
        self.assertImported(report, HOST_ACCOUNT_TRANSACTIONS)

    def test_cancelled_choice_leaves_the_statement_untouched(self):
        report = run_json(self, "import", "--sort-code", "12-34-56", "--account", "12345678",
                          "--cancel")
        self.assertEqual(report["result"], "0x00000000")
        self.assertEqual(report["status"], 1)
        self.assertEqual(report["prepareCalls"], 0)
        self.assertEqual(report["balancesSet"], [])
        self.assertEqual(report["transactions"], [])
        self.assertEqual(report["selector"]["choices"], ["the user chose no file"])

    def test_file_that_is_no_bank_statement_imports_nothing(self):
        report = import_statement(self, sample("payments.csv"), "12-34-56", "12345678")
        self.assertImported(report, [])
        self.assertEqual(report["selector"]["choices"], ["not recognised"])

    def test_text_report_lists_the_transactions_as_csv(self):
        run = run_host("import", "--statement", windows_path(sample("statement.txt")),
                       "--sort-code", "12-34-56", "--account", "12345678")
        self.assertEqual(run.exit_code, 0, str(run))
        lines = run.stdout.split("\n")
        self.assertIn("status: 0 (Completed)", lines)
        header = lines.index("sequence,credit,amount,date,reference,narrative")
        self.assertEqual(lines[header + 1:], [
            '1,1,123.45,2024-02-29,"BGC SALARY        ","ABC                DEF               "',
            '2,0,1000.00,2024-03-01,"DD INSURANCE      ","NORTHERN MUTUAL    POLICY 77         "',
            '3,1,0.01,2024-12-31,"INTEREST          ","GROSS INTEREST                       "',
            '4,0,50.00,2025-01-01,"CHQ 000123        ","CHEQUE                               "',
            ""])


if __name__ == "__main__":
    main()
