// The reference host's batch file reader: every text is a whole batch or a refusal naming one of
// its lines. A batch holds a payment for every record after the header (counted here for texts
// without quotes), each at a line of its own in order, and reads back the same when written out
// again with every column.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Invariant.h"
#include "tools/velmora-host/BatchFile.h"

namespace {

// Lines as the reader counts them: CR LF, LF or CR end one.
int LineCount(const std::string& text) {
    int lines = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines;
}

int NonEmptyLines(std::string text) {
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    int lines = 0;
    bool empty = true;
    for (const char c : text + "\n") {
        if (c == '\n' || c == '\r') {
            lines += empty ? 0 : 1;
            empty = true;
        } else {
            empty = false;
        }
    }
    return lines;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A quoted field of UTF-16 units.
std::string QuotedField(const std::wstring& units) {
    std::string field = "\"";
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = static_cast<char32_t>(units[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(units[++i]) - 0xDC00);
        }
        if (c == '"') {
            field += '"';
        }
        AppendUtf8(field, c);
    }
    return field + "\"";
}

using Text = std::wstring PaymentFields::*;
const Text Texts[] = {&PaymentFields::payerSortCode,    &PaymentFields::payerAccountNumber,
                      &PaymentFields::payerAccountName, &PaymentFields::payeeBacsReference,
                      &PaymentFields::payeeSortCode,    &PaymentFields::payeeAccountNumber,
                      &PaymentFields::payeeAccountName, &PaymentFields::payeeRollNumber,
                      &PaymentFields::details};

std::string WrittenOut(const PaymentBatchFile& batch) {
    std::string text = "Amount,PayerSortCode,PayerAccountNumber,PayerAccountName,"
                       "PayeeBacsReference,PayeeSortCode,PayeeAccountNumber,PayeeAccountName,"
                       "PayeeRollNumber,Details\r\n";
    for (const PaymentFields& payment : batch.payments) {
        char amount[40];
        std::snprintf(amount, sizeof amount, "%.17g", payment.amount);
        text += amount;
        for (const Text field : Texts) {
            text += "," + QuotedField(payment.*field);
        }
        text += "\r\n";
    }
    return text;
}

void CheckSame(const PaymentBatchFile& batch, const PaymentBatchFile& again) {
    FUZZ_REQUIRE(again.payments.size() == batch.payments.size());
    for (size_t i = 0; i < batch.payments.size(); ++i) {
        FUZZ_REQUIRE(again.payments[i].amount == batch.payments[i].amount);
        for (const Text field : Texts) {
            FUZZ_REQUIRE(again.payments[i].*field == batch.payments[i].*field);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int lines = LineCount(text);
    PaymentBatchFile batch;
    try {
        batch = ReadPaymentBatch(text);
    } catch (const CsvError& error) {
        FUZZ_REQUIRE(error.Line() >= 1 && error.Line() <= lines);
        return 0;
    }
    FUZZ_REQUIRE(batch.lines.size() == batch.payments.size());
    int previous = 1;
    for (const int line : batch.lines) {
        FUZZ_REQUIRE(line > previous && line <= lines);
        previous = line;
    }
    if (text.find('"') == std::string::npos) {
        FUZZ_REQUIRE(static_cast<int>(batch.payments.size()) == NonEmptyLines(text) - 1);
    }
    CheckSame(batch, ReadPaymentBatch(WrittenOut(batch)));
    return 0;
}
