// Payment lines from arbitrary values: 19 quoted fields (the one-to-one format), or 7 (the BACS
// ID format, 6 without a payee name), one line ended by its line feed, no field holding a
// quote or a line break, every field within its width, and the status code of each failed rule
// set in the order the rules are checked.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "Invariant.h"
#include "payments/BacsIdLine.h"
#include "payments/FieldPreparation.h"
#include "payments/OneToOneLine.h"
#include "support/PlainPayment.h"
#include "support/WrittenBytes.h"

namespace {

std::vector<std::string> Fields(const std::string& bytes) {
    FUZZ_REQUIRE(bytes.size() >= 3 && bytes.front() == '"');
    FUZZ_REQUIRE(bytes.compare(bytes.size() - 2, 2, "\"\n") == 0);
    const std::string inner = bytes.substr(1, bytes.size() - 3);
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t end = inner.find("\",\"", start);
        fields.push_back(inner.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 3;
    }
    for (const std::string& field : fields) {
        FUZZ_REQUIRE(field.find_first_of("\"\r\n") == std::string::npos);
    }
    return fields;
}

// The rules, worked out here from the values.
size_t DigitCount(const std::wstring& text) {
    size_t digits = 0;
    for (const wchar_t c : text.substr(0, text.find(L'\0'))) {
        digits += c >= L'0' && c <= L'9' ? 1 : 0;
    }
    return digits;
}

bool SortCodePasses(const std::wstring& text) {
    return DigitCount(text) == 6;
}

bool AccountNumberPasses(const std::wstring& text) {
    const std::wstring number = text.substr(0, text.find(L'\0'));
    if (number.size() != 8) {
        return false;
    }
    for (const wchar_t c : number) {
        if (c > 0xFF || c == L'"' || c == L'\r' || c == L'\n') {
            return false;
        }
    }
    return true;
}

// Not empty, and no quote or line break left once it is narrowed and its enclosing quotes go.
bool NamePasses(const std::wstring& name) {
    std::wstring narrow;
    for (const wchar_t c : name.substr(0, name.find(L'\0'))) {
        if (c <= 0xFF) {
            narrow += c;
        }
    }
    if (narrow.size() >= 2 && narrow.front() == L'"' && narrow.back() == L'"') {
        narrow = narrow.substr(1, narrow.size() - 2);
    }
    return !name.empty() && narrow.find_first_of(L"\"\r\n") == std::wstring::npos;
}

bool AmountPasses(double amount) {
    return std::isfinite(amount) && amount > 0.000005;
}

void CheckWidths(const std::string& sortCode, const std::string& account) {
    FUZZ_REQUIRE(sortCode.size() == 6 &&
                 sortCode.find_first_not_of("0123456789") == std::string::npos);
    FUZZ_REQUIRE(account.size() == 8);
}

void CheckOneToOne(PlainPayment& payment, DATE date) {
    const std::string bytes =
        WrittenBytes([&](std::FILE* file) { WriteOneToOneLine(file, date, payment); });
    const std::vector<std::string> fields = Fields(bytes);
    FUZZ_REQUIRE(fields.size() == 19);
    CheckWidths(fields[2].substr(0, 6), fields[2].substr(6));
    CheckWidths(fields[4].substr(0, 6), fields[4].substr(6));
    FUZZ_REQUIRE(fields[5] == AmountText(payment.amount));
    FUZZ_REQUIRE(fields[6] == FormatProcessingDate(date).Text() && fields[6].size() == 8);
    for (const int name : {9, 10, 11, 16}) {
        FUZZ_REQUIRE(fields[name].size() <= 18);
    }

    std::vector<PaymentStatusCode> expected;
    const auto require = [&](bool passed, PaymentStatusCode code) {
        if (!passed) {
            expected.push_back(code);
        }
    };
    require(SortCodePasses(payment[PaymentText::PayerSortCode]), InvalidPayerSortCode);
    require(AccountNumberPasses(payment[PaymentText::PayerAccountNumber]),
            InvalidPayerAccountNumber);
    require(SortCodePasses(payment[PaymentText::PayeeSortCode]), InvalidPayeeSortCode);
    require(AccountNumberPasses(payment[PaymentText::PayeeAccountNumber]),
            InvalidPayeeAccountNumber);
    require(AmountPasses(payment.amount), InvalidAmount);
    require(!payment[PaymentText::PayeeAccountName].empty(), InvalidPayeeAccountName);
    FUZZ_REQUIRE(payment.codes == expected);
}

void CheckBacsId(PlainPayment& payment) {
    const std::string bytes =
        WrittenBytes([&](std::FILE* file) { WriteBacsIdLine(payment, file); });
    const std::vector<std::string> fields = Fields(bytes);
    const std::wstring& name = payment[PaymentText::PayeeAccountName];
    FUZZ_REQUIRE(fields.size() == (name.empty() ? 6u : 7u));
    const size_t first = fields.size() - 6;
    for (size_t text = 0; text < first + 1; ++text) {
        FUZZ_REQUIRE(fields[text].size() <= 18);
    }
    CheckWidths(fields[first + 1], fields[first + 2]);
    FUZZ_REQUIRE(fields[first + 3] == AmountText(payment.amount));
    FUZZ_REQUIRE(fields[first + 4] == "0" && fields[first + 5] == "99");

    std::vector<PaymentStatusCode> expected;
    if (!NamePasses(name)) {
        expected.push_back(InvalidPayeeAccountName);
    }
    if (!SortCodePasses(payment[PaymentText::PayeeSortCode])) {
        expected.push_back(InvalidPayeeSortCode);
    }
    if (!AccountNumberPasses(payment[PaymentText::PayeeAccountNumber])) {
        expected.push_back(InvalidPayeeAccountNumber);
    }
    if (!AmountPasses(payment.amount)) {
        expected.push_back(InvalidAmount);
    }
    FUZZ_REQUIRE(payment.codes == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool oneToOne = input.ConsumeBool();
    PlainPayment payment;
    payment.amount = input.ConsumeFloatingPoint<double>();
    const DATE date = input.ConsumeFloatingPointInRange<double>(-700000.0, 3000000.0);
    for (std::wstring& text : payment.texts) {
        const std::string units = input.ConsumeRandomLengthString(64);
        for (size_t i = 0; i + 1 < units.size(); i += 2) {
            text += static_cast<wchar_t>(static_cast<unsigned char>(units[i]) |
                                         static_cast<unsigned char>(units[i + 1]) << 8);
        }
    }
    if (oneToOne) {
        CheckOneToOne(payment, date);
    } else {
        CheckBacsId(payment);
    }
    return 0;
}
