"""The registered bank as the host finds it: its name, number, services and configuration."""
import unittest

from host_runner import main, run_host, run_json


class BankListing(unittest.TestCase):
    def test_bank_and_its_two_services(self):
        report = run_json(self, "list")
        self.assertEqual(report["problems"], [])
        self.assertEqual(report["bank"], "Northern Bank")
        self.assertEqual(report["fixedNumber"], 1)
        self.assertEqual(report["services"], [
            {"position": 0, "name": "Bank Payment Service", "status": 0, "kind": "payment"},
            {"position": 1, "name": "Bank Reconciliation Service", "status": 0,
             "kind": "statement"}])
        self.assertEqual(report["enumerated"], 2)

    def test_configure_hands_the_bank_name_to_the_host_configuration(self):
        configure = run_json(self, "list")["configure"]
        self.assertEqual(configure["result"], "0x00000000")
        self.assertEqual(configure["calls"], [{"operation": "ConfigureBank",
                                               "bankName": "Northern Bank",
                                               "bankNameZeroFilled": True, "mode": 3}])

    def test_text_report(self):
        run = run_host("list")
        self.assertEqual(run.exit_code, 0, str(run))
        self.assertEqual(run.stdout.split("\n")[:5], [
            "bank: Northern Bank",
            "fixed number: 1",
            "services: 2 (2 enumerated)",
            "service 0: Bank Payment Service, status 0",
            "service 1: Bank Reconciliation Service, status 0"])


if __name__ == "__main__":
    main()
