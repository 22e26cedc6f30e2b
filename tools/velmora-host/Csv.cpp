#include "tools/velmora-host/Csv.h"

namespace {

class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {
        constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
        if (text_.substr(0, byteOrderMark.size()) == byteOrderMark) {
            position_ = byteOrderMark.size();
        }
    }

    std::vector<CsvRecord> ReadAll() {
        std::vector<CsvRecord> records;
        while (!AtEnd()) {
            if (AtLineEnd()) {
                SkipLineEnd();
                continue;
            }
            records.push_back(ReadRecord());
        }
        return records;
    }

private:
    bool AtEnd() const { return position_ >= text_.size(); }
    bool AtLineEnd() const { return text_[position_] == '\r' || text_[position_] == '\n'; }

    void SkipLineEnd() {
        if (text_[position_] == '\r' && position_ + 1 < text_.size() &&
            text_[position_ + 1] == '\n') {
            ++position_;
        }
        ++position_;
        ++line_;
    }

    CsvRecord ReadRecord() {
        CsvRecord record{line_, {}};
        for (;;) {
            record.fields.push_back(ReadField());
            if (AtEnd()) {
                return record;
            }
            if (AtLineEnd()) {
                SkipLineEnd();
                return record;
            }
            ++position_; // the comma ReadField stopped at
        }
    }

    std::string ReadField() {
        if (!AtEnd() && text_[position_] == '"') {
            return ReadQuotedField();
        }
        std::string field;
        while (!AtEnd() && text_[position_] != ',' && !AtLineEnd()) {
            if (text_[position_] == '"') {
                throw CsvError(line_, "a double quote inside a field that does not begin with "
                                      "one (enclose the field in quotes and double the quote)");
            }
            field += text_[position_++];
        }
        return field;
    }

    std::string ReadQuotedField() {
        const int firstLine = line_;
        ++position_;
        std::string field;
        for (;;) {
            if (AtEnd()) {
                throw CsvError(firstLine, "a quoted field is not closed");
            }
            const char c = text_[position_];
            if (c == '"') {
                if (position_ + 1 < text_.size() && text_[position_ + 1] == '"') {
                    field += '"';
                    position_ += 2;
                    continue;
                }
                ++position_;
                break;
            }
            if (c == '\n' ||
                (c == '\r' && (position_ + 1 >= text_.size() || text_[position_ + 1] != '\n'))) {
                ++line_;
            }
            field += c;
            ++position_;
        }
        if (!AtEnd() && text_[position_] != ',' && !AtLineEnd()) {
            throw CsvError(line_, "text after the closing quote of a field");
        }
        return field;
    }

    std::string_view text_;
    size_t position_ = 0;
    int line_ = 1;
};

} // namespace

std::vector<CsvRecord> ParseCsv(std::string_view text) {
    return CsvReader(text).ReadAll();
}
