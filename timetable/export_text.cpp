#include "export_text.h"

#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zeno {

namespace {

constexpr std::size_t kSniffBytes = 4096;      // bytes looked at for UTF-16 without a mark
constexpr double kUtf16ZeroShare = 0.3;        // of the pairs with a zero byte on one side...
constexpr double kUtf16OtherShare = 0.02;      // ...and almost none on the other
constexpr double kSecondsPerDay = 86400;
constexpr std::size_t kLongestNumber = 64;     // characters: longer is no measurement

bool startsWith(const QByteArray& b, std::initializer_list<unsigned char> mark)
{
    if (std::size_t(b.size()) < mark.size())
        return false;
    return std::equal(mark.begin(), mark.end(), b.begin(), [](unsigned char m, char c) { return m == static_cast<unsigned char>(c); });
}

QByteArray decoded(const QByteArray& bytes, QStringConverter::Encoding encoding, qsizetype skip)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes).sliced(skip));
    return text.toUtf8();
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// libcsv's blanks around a field: spaces only, a tab may be the separator.
int csvSpace(unsigned char c) { return c == ' ' ? 1 : 0; }

void csvField(void* s, std::size_t length, void* fields)
{
    auto& f = *static_cast<std::vector<std::string>*>(fields);
    f.emplace_back(trimmed(std::string_view(s ? static_cast<const char*>(s) : "", s ? length : 0)));
}

int digits(std::string_view s, std::size_t& i, int count)
{
    int v = 0;
    for (int k = 0; k < count; ++k, ++i) {
        if (i >= s.size() || s[i] < '0' || s[i] > '9')
            return -1;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool validDate(int y, int m, int d)
{
    static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1])
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m != 2 || d <= 28 || leap;
}

} // namespace

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\0'))
        s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

DecodedText decodeExport(const QByteArray& bytes)
{
    using E = QStringConverter::Encoding;
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return {bytes.sliced(3), QStringLiteral("UTF-8")};
    if (startsWith(bytes, {0xFF, 0xFE, 0x00, 0x00}))
        return {decoded(bytes, E::Utf32LE, 4), QStringLiteral("UTF-32LE")};
    if (startsWith(bytes, {0x00, 0x00, 0xFE, 0xFF}))
        return {decoded(bytes, E::Utf32BE, 4), QStringLiteral("UTF-32BE")};
    if (startsWith(bytes, {0xFF, 0xFE}))
        return {decoded(bytes, E::Utf16LE, 2), QStringLiteral("UTF-16LE")};
    if (startsWith(bytes, {0xFE, 0xFF}))
        return {decoded(bytes, E::Utf16BE, 2), QStringLiteral("UTF-16BE")};
    // Without a mark: ASCII text in UTF-16 has a zero in every other byte.
    const std::size_t n = std::min<std::size_t>(std::size_t(bytes.size()), kSniffBytes) & ~std::size_t(1);
    if (n >= 4) {
        std::size_t evenZeros = 0, oddZeros = 0;
        for (std::size_t i = 0; i < n; i += 2) {
            evenZeros += bytes[qsizetype(i)] == 0;
            oddZeros += bytes[qsizetype(i + 1)] == 0;
        }
        const double pairs = double(n / 2);
        if (oddZeros > kUtf16ZeroShare * pairs && evenZeros < kUtf16OtherShare * pairs)
            return {decoded(bytes, E::Utf16LE, 0), QStringLiteral("UTF-16LE")};
        if (evenZeros > kUtf16ZeroShare * pairs && oddZeros < kUtf16OtherShare * pairs)
            return {decoded(bytes, E::Utf16BE, 0), QStringLiteral("UTF-16BE")};
    }
    QStringDecoder utf8(E::Utf8, QStringConverter::Flag::Stateless);
    const QString probe = utf8(bytes);   // a QString: the decoder's result decodes only when converted
    if (!utf8.hasError())
        return {bytes, QStringLiteral("UTF-8")};
    return {decoded(bytes, E::Latin1, 0), QStringLiteral("Latin-1")};
}

std::vector<TextLine> splitLines(const QByteArray& utf8)
{
    std::vector<TextLine> lines;
    const std::string_view all(utf8.constData(), std::size_t(utf8.size()));
    int number = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= all.size(); ++i) {
        if (i < all.size() && all[i] != '\n' && all[i] != '\r')
            continue;
        const std::string_view line = all.substr(start, i - start);
        if (!trimmed(line).empty())
            lines.push_back({number, line});
        if (i + 1 < all.size() && all[i] == '\r' && all[i + 1] == '\n')
            ++i;
        ++number;
        start = i + 1;
    }
    return lines;
}

FieldSplitter::FieldSplitter(char separator) : separator_(separator)
{
    if (separator_ == ' ')
        return;
    parser_ = new csv_parser;
    if (csv_init(parser_, 0) != 0) {
        delete parser_;
        parser_ = nullptr;
        return;
    }
    csv_set_delim(parser_, static_cast<unsigned char>(separator_));
    csv_set_space_func(parser_, csvSpace);
}

FieldSplitter::~FieldSplitter()
{
    if (parser_) {
        csv_free(parser_);
        delete parser_;
    }
}

void FieldSplitter::split(std::string_view line, std::vector<std::string>& fields)
{
    fields.clear();
    if (separator_ == ' ') {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && isBlank(line[i]))
                ++i;
            const std::size_t b = i;
            while (i < line.size() && !isBlank(line[i]))
                ++i;
            std::string_view f = line.substr(b, i - b);
            if (f.size() >= 2 && f.front() == '"' && f.back() == '"')
                f = f.substr(1, f.size() - 2);
            if (i > b)
                fields.emplace_back(f);
        }
        return;
    }
    if (parser_ && line.find('"') != std::string_view::npos) {
        csv_parse(parser_, line.data(), line.size(), csvField, nullptr, &fields);
        csv_fini(parser_, csvField, nullptr, &fields);
        return;
    }
    std::size_t b = 0;
    for (std::size_t i = 0; i <= line.size(); ++i)
        if (i == line.size() || line[i] == separator_) {
            fields.emplace_back(trimmed(line.substr(b, i - b)));
            b = i + 1;
        }
}

std::optional<double> readNumber(std::string_view s, bool decimalComma)
{
    s = trimmed(s);
    if (s.empty() || s.size() > kLongestNumber)
        return std::nullopt;
    char buffer[kLongestNumber];
    std::size_t n = 0;
    for (std::size_t i = s.front() == '+' ? 1 : 0; i < s.size(); ++i)
        buffer[n++] = decimalComma && s[i] == ',' ? '.' : s[i];
    double v = 0;
    const auto [end, ec] = std::from_chars(buffer, buffer + n, v);
    if (ec != std::errc() || end != buffer + n || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<std::int64_t> readDate(std::string_view s)
{
    s = trimmed(s);
    std::size_t i = 0;
    int y, m, d;
    if (s.size() == 10 && (s[4] == '-' || s[4] == '/') && s[7] == s[4]) {
        y = digits(s, i, 4);
        ++i;
        m = digits(s, i, 2);
        ++i;
        d = digits(s, i, 2);
    } else if (s.size() == 10 && (s[2] == '/' || s[2] == '.' || s[2] == '-') && s[5] == s[2]) {
        d = digits(s, i, 2);
        ++i;
        m = digits(s, i, 2);
        ++i;
        y = digits(s, i, 4);
    } else {
        return std::nullopt;
    }
    if (!validDate(y, m, d))
        return std::nullopt;
    return daysFromCivil(y, m, d);
}

std::optional<double> readTimeOfDay(std::string_view s)
{
    s = trimmed(s);
    if (s.size() >= 2 && s.front() == '[' && s.back() == ']')
        s = trimmed(s.substr(1, s.size() - 2));
    std::size_t i = 0;
    const int h = s.size() > 1 && s[1] == ':' ? digits(s, i, 1) : digits(s, i, 2);
    if (h < 0 || h > 23 || i >= s.size() || s[i] != ':')
        return std::nullopt;
    ++i;
    const int m = digits(s, i, 2);
    if (m < 0 || m > 59)
        return std::nullopt;
    double sec = 0;
    if (i < s.size()) {
        if (s[i] != ':')
            return std::nullopt;
        ++i;
        const std::string_view rest = s.substr(i);
        if (rest.size() < 2 || rest[0] < '0' || rest[0] > '5' || rest[1] < '0' || rest[1] > '9'
            || (rest.size() > 2 && rest[2] != '.' && rest[2] != ','))
            return std::nullopt;
        const auto v = readNumber(rest, true);
        if (!v || *v < 0 || *v >= 60)
            return std::nullopt;
        sec = *v;
    }
    return h * 3600.0 + m * 60.0 + sec;
}

std::optional<double> readDateTime(std::string_view s)
{
    s = trimmed(s);
    if (s.size() < 16)
        return std::nullopt;
    const auto day = readDate(s.substr(0, 10));
    if (!day || (s[10] != 'T' && !isBlank(s[10])))
        return std::nullopt;
    std::string_view t = trimmed(s.substr(11));
    double zoneS = 0;
    if (t.size() >= 3 && t.substr(t.size() - 3) == "UTC")
        t = trimmed(t.substr(0, t.size() - 3));
    else if (t.size() >= 2 && t.substr(t.size() - 2) == "UT")
        t = trimmed(t.substr(0, t.size() - 2));
    else if (!t.empty() && t.back() == 'Z')
        t.remove_suffix(1);
    else if (t.size() > 6 && (t[t.size() - 6] == '+' || t[t.size() - 6] == '-') && t[t.size() - 3] == ':') {
        std::size_t i = t.size() - 5;
        const int h = digits(t, i, 2);
        ++i;
        const int m = digits(t, i, 2);
        if (h < 0 || m < 0)
            return std::nullopt;
        zoneS = (t[t.size() - 6] == '+' ? 1 : -1) * (h * 3600.0 + m * 60.0);
        t = t.substr(0, t.size() - 6);
    }
    const auto tod = readTimeOfDay(t);
    if (!tod)
        return std::nullopt;
    return double(*day) * kSecondsPerDay + *tod - zoneS;
}

} // namespace zeno
