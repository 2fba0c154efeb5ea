// The text of a photometry program's export, before any meaning: its
// encoding found (byte order marks, UTF-16 without one by its zero bytes,
// valid UTF-8, else Latin-1), its lines (CR, LF or CRLF), the fields of a
// line (quoted CSV through libcsv), and the values the exports hold:
// numbers with a decimal point or comma, dates, times of day, date-times.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct csv_parser;

namespace zeno {

// The export as UTF-8 whatever it was written in, and the encoding's name.
struct DecodedText {
    QByteArray utf8;
    QString encoding;   // "UTF-8", "UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE", "Latin-1"
};
DecodedText decodeExport(const QByteArray& bytes);

// A non-blank line: its number from 1 and its bytes (no line end).
struct TextLine {
    int number = 0;
    std::string_view text;
};
// The non-blank lines; CR, LF and CRLF each end one.
std::vector<TextLine> splitLines(const QByteArray& utf8);

// Splits lines into fields at one separator: ',', ';' or tab (quotes
// honoured, through libcsv) or ' ' for any run of blanks. Fields trimmed.
class FieldSplitter {
public:
    explicit FieldSplitter(char separator);
    ~FieldSplitter();
    FieldSplitter(const FieldSplitter&) = delete;
    FieldSplitter& operator=(const FieldSplitter&) = delete;
    char separator() const { return separator_; }
    void split(std::string_view line, std::vector<std::string>& fields);

private:
    char separator_;
    csv_parser* parser_ = nullptr;
};

// A number; with `decimalComma` a ',' is read as the decimal point.
std::optional<double> readNumber(std::string_view s, bool decimalComma);
// Days since 1970-01-01 of a date: yyyy-MM-dd, yyyy/MM/dd, dd/MM/yyyy, dd.MM.yyyy or dd-MM-yyyy.
std::optional<std::int64_t> readDate(std::string_view s);
// Seconds since 00:00 of a time of day hh:mm[:ss[.s…]], optionally in [ ] (PyMovie, Tangra).
std::optional<double> readTimeOfDay(std::string_view s);
// UT seconds since 1970 of a date, 'T' or blanks, a time of day, then
// optionally 'Z', "UT", "UTC" or an offset ±hh:mm.
std::optional<double> readDateTime(std::string_view s);

std::string_view trimmed(std::string_view s);

} // namespace zeno
