// One statement line through the record decoding: fields of their fixed widths exactly as they
// stand, amounts read as atoi reads the eleven characters, dates within the two-digit window
// or failing as they should.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Invariant.h"
#include "platform/VariantTime.h"
#include "statements/TransactionRecord.h"

namespace {

long Number(const std::string& field) {
    return std::strtol(field.c_str(), nullptr, 10);
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

DATE FirstOfJanuary(int year) {
    SYSTEMTIME parts{};
    parts.wYear = static_cast<WORD>(year);
    parts.wMonth = 1;
    parts.wDay = 1;
    DATE date = 0.0;
    FUZZ_REQUIRE(DateFromParts(parts, date));
    return date;
}

void CheckDate(const std::string& field, DATE date) {
    const long year = Number(field.substr(0, 3));
    const long day = Number(field.substr(3, 3));
    if (year >= 0 && year < 100 && day >= 1 && day <= (IsLeapYear(year) ? 366 : 365)) {
        const int fullYear = year < 30 ? 2000 + year : 1900 + year;
        FUZZ_REQUIRE(date == FirstOfJanuary(fullYear) + day - 1);
        FUZZ_REQUIRE(date >= FirstOfJanuary(1930) && date < FirstOfJanuary(2030));
        return;
    }
    if (date == 0.0) {
        return;
    }
    // Otherwise only a real day of a year the platform takes as it stands.
    SYSTEMTIME parts{};
    FUZZ_REQUIRE(year >= 100 && PartsFromDate(date, parts));
    FUZZ_REQUIRE(parts.wYear == year);
    FUZZ_REQUIRE(date - FirstOfJanuary(static_cast<int>(year)) == day - 1);
}

void CheckTransaction(const std::string& line, CTransactionRecord& record) {
    FUZZ_REQUIRE(record.HoldsTransaction());
    const struct {
        const CString& text;
        size_t offset;
        size_t width;
    } fields[] = {{record.SortCode, 0, 6},
                  {record.AccountNumber, 6, 8},
                  {record.AccountType, 14, 1},
                  {record.TransactionCode, 15, 2},
                  {record.OriginatorSortCode, 17, 6},
                  {record.OriginatorAccountNumber, 23, 8},
                  {record.Reference, 46, 18},
                  {record.Narrative1, 64, 18},
                  {record.Narrative2, 82, 18},
                  {record.DateText, 100, 6}};
    for (const auto& field : fields) {
        FUZZ_REQUIRE(field.text.Length() == static_cast<int>(field.width));
        FUZZ_REQUIRE(line.compare(field.offset, field.width, field.text.Text()) == 0);
    }
    const long long pence = std::strtoll(line.substr(35, 11).c_str(), nullptr, 10);
    FUZZ_REQUIRE(pence > -100000000000LL && pence < 100000000000LL);
    FUZZ_REQUIRE(record.GetAmount() == static_cast<double>(pence) / 100.0);
    CheckDate(line.substr(100, 6), record.GetDate());
    const std::string narrative = record.GetNarrative().Text();
    FUZZ_REQUIRE(narrative == line.substr(64, 18) + " " + line.substr(82, 18));
    const std::string code = line.substr(15, 2);
    FUZZ_REQUIRE(record.IsCredit() ==
                 (code == "90" || code == "93" || code == "95" || code == "99"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A line as the reader hands it on: up to its first NUL, without its line feed.
    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\0'));
    line = line.substr(0, line.find('\n'));
    CTransactionRecord record;
    record.SortCode = "stale";
    bool noRecord = false;
    bool endOfVolume = false;
    try {
        ExtractRecord(line.c_str(), static_cast<int>(line.size()), record);
    } catch (CTransactionRecord::RecordError error) {
        noRecord = error == CTransactionRecord::ErrNoRecord;
        FUZZ_REQUIRE(noRecord);
    } catch (const CEndOfVolume&) {
        endOfVolume = true;
    }
    if (line.size() >= TransactionLineLength) {
        FUZZ_REQUIRE(!noRecord && !endOfVolume);
        CheckTransaction(line, record);
        return 0;
    }
    FUZZ_REQUIRE(noRecord == line.empty());
    FUZZ_REQUIRE(endOfVolume == (line.compare(0, 3, "UTL") == 0));
    FUZZ_REQUIRE(!record.HoldsTransaction() && record.SortCode.Length() == 0 &&
                 record.GetAmount() == 0.0 && record.GetDate() == 0.0 && !record.IsCredit());
    return 0;
}
