#include "tools/velmora-host/BatchFile.h"

#include "hostkit/DecimalText.h"
#include "hostkit/Utf8Text.h"

#include <cmath>
#include <stdexcept>

namespace {

using TextMember = std::wstring PaymentFields::*;

struct Column {
    const char* name;
    TextMember text; // null for Amount
};

constexpr Column columns[] = {
    {"Amount", nullptr},
    {"PayerSortCode", &PaymentFields::payerSortCode},
    {"PayerAccountNumber", &PaymentFields::payerAccountNumber},
    {"PayerAccountName", &PaymentFields::payerAccountName},
    {"PayeeBacsReference", &PaymentFields::payeeBacsReference},
    {"PayeeSortCode", &PaymentFields::payeeSortCode},
    {"PayeeAccountNumber", &PaymentFields::payeeAccountNumber},
    {"PayeeAccountName", &PaymentFields::payeeAccountName},
    {"PayeeRollNumber", &PaymentFields::payeeRollNumber},
    {"Details", &PaymentFields::details},
};

std::string KnownColumnNames() {
    std::string names;
    for (const Column& column : columns) {
        names += names.empty() ? "" : ", ";
        names += column.name;
    }
    return names;
}

std::vector<const Column*> ReadHeader(const CsvRecord& header) {
    std::vector<const Column*> layout;
    for (const std::string& name : header.fields) {
        const Column* found = nullptr;
        for (const Column& column : columns) {
            if (name == column.name) {
                found = &column;
            }
        }
        if (found == nullptr) {
            throw CsvError(header.line,
                           "unknown column \"" + name +
                               "\" in the header (known columns: " + KnownColumnNames() + ")");
        }
        for (const Column* earlier : layout) {
            if (earlier == found) {
                throw CsvError(header.line, "column \"" + name + "\" appears twice");
            }
        }
        layout.push_back(found);
    }
    return layout;
}

double ReadAmount(const std::string& text, int line) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return 0.0;
    }
    const std::string digits = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const bool plainDecimal = digits.find_first_not_of("0123456789+-.eE") == std::string::npos;
    double amount = 0.0;
    if (!plainDecimal || !ReadDecimal(digits, amount) || !std::isfinite(amount)) {
        throw CsvError(line, "the amount \"" + text + "\" is not a decimal number");
    }
    return amount;
}

PaymentFields ReadPayment(const CsvRecord& record, const std::vector<const Column*>& layout) {
    if (record.fields.size() != layout.size()) {
        const size_t count = record.fields.size();
        throw CsvError(record.line, std::to_string(count) + (count == 1 ? " field" : " fields") +
                                        " where the header names " + std::to_string(layout.size()) +
                                        " columns");
    }
    PaymentFields payment;
    for (size_t i = 0; i < layout.size(); ++i) {
        const std::string& text = record.fields[i];
        if (layout[i]->text == nullptr) {
            payment.amount = ReadAmount(text, record.line);
            continue;
        }
        try {
            payment.*(layout[i]->text) = WideFromUtf8(text);
        } catch (const std::invalid_argument&) {
            throw CsvError(record.line,
                           std::string("the ") + layout[i]->name + " field is not UTF-8 text");
        }
    }
    return payment;
}

} // namespace

PaymentBatchFile ReadPaymentBatch(std::string_view text) {
    const std::vector<CsvRecord> records = ParseCsv(text);
    if (records.empty()) {
        throw CsvError(1, "no header row naming the payment columns");
    }
    const std::vector<const Column*> layout = ReadHeader(records.front());
    PaymentBatchFile batch;
    for (size_t i = 1; i < records.size(); ++i) {
        batch.payments.push_back(ReadPayment(records[i], layout));
        batch.lines.push_back(records[i].line);
    }
    return batch;
}
