#include "profilefile.h"

#include "scheme/codepage.h"
#include "scheme/wholefilewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <vector>

namespace tintora {

namespace {

// One line of the file as it stands; raw never holds the line ending.
struct Line {
    QByteArray raw;
    QByteArray ending;
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    QString name;  // section or key name, trimmed
    QString value;  // trimmed, quotes removed
};

std::optional<QString> DecodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString DecodeLine(QByteArrayView bytes)
{
    if (std::optional<QString> text = DecodeUtf8(bytes))
        return *text;
    return FromCp1251(bytes);
}

// Windows-1251 where it reads back as written; a line of 1251 bytes that also
// happens to be valid UTF-8 (such as "РЁ") would not, so it goes as UTF-8.
QByteArray EncodeLine(const QString &text)
{
    const std::optional<QByteArray> cp1251 = ToCp1251(text);
    if (cp1251 && DecodeLine(*cp1251) == text)
        return *cp1251;
    return text.toUtf8();
}

QString Unquote(const QString &value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

void Classify(Line &line, bool first)
{
    QString text = DecodeLine(line.raw);
    if (first && text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text = text.trimmed();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        if (close > 0) {
            line.kind = Line::Kind::Section;
            line.name = text.mid(1, close - 1).trimmed();
        }
        return;
    }
    if (text.startsWith(';') || text.startsWith('#'))
        return;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return;
    line.kind = Line::Kind::Key;
    line.name = text.left(equals).trimmed();
    line.value = Unquote(text.mid(equals + 1).trimmed());
}

std::vector<Line> Parse(const QByteArray &bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        Line line;
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            line.raw = bytes.mid(start);
            start = bytes.size();
        } else {
            const bool crlf = end > start && bytes[end - 1] == '\r';
            line.raw = bytes.mid(start, end - start - (crlf ? 1 : 0));
            line.ending = crlf ? "\r\n" : "\n";
            start = end + 1;
        }
        Classify(line, lines.empty());
        lines.push_back(std::move(line));
    }
    return lines;
}

// No lines for a missing file; nullopt for one that is there but unreadable,
// too large, or no regular file (a FIFO would block, a device never end),
// which a write must not replace with its own few lines.
std::optional<std::vector<Line>> ReadLines(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::vector<Line>();
    if (!info.isFile() || info.size() > ProfileFile::kMaxFileSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A regular file of at most kMaxFileSize: read as it is, without setting
    // aside a megabyte for every read.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > ProfileFile::kMaxFileSize)
        return std::nullopt;
    return Parse(bytes);
}

// 0..15 for 0-9, a-f, A-F; -1 for anything else.
int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first matching section header, or -1.
qsizetype FindSection(const std::vector<Line> &lines, const QString &section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Line::Kind::Section && SameName(lines[i].name, section))
            return qsizetype(i);
    }
    return -1;
}

QByteArray NewLineEnding(const std::vector<Line> &lines)
{
    for (const Line &line : lines) {
        if (!line.ending.isEmpty())
            return line.ending;
    }
#ifdef Q_OS_WIN
    return "\r\n";
#else
    return "\n";
#endif
}

// Written lines are not looked at again before the file is saved.
Line NewLine(QByteArray raw, QByteArray ending)
{
    Line line;
    line.raw = std::move(raw);
    line.ending = std::move(ending);
    return line;
}

// Puts value into the lines; the key's own line keeps its spelling of the key.
void SetValue(std::vector<Line> &lines, const QString &section, const QString &key,
              const QString &value)
{
    const QByteArray ending = NewLineEnding(lines);
    const qsizetype header = FindSection(lines, section);
    if (header < 0) {
        if (!lines.empty() && lines.back().ending.isEmpty())
            lines.back().ending = ending;
        if (!lines.empty() && !lines.back().raw.trimmed().isEmpty())
            lines.push_back(NewLine(QByteArray(), ending));
        lines.push_back(NewLine(EncodeLine('[' + section + ']'), ending));
        lines.push_back(NewLine(EncodeLine(key + '=' + value), ending));
        return;
    }
    std::size_t insertAt = std::size_t(header) + 1;
    for (std::size_t i = insertAt; i < lines.size() && lines[i].kind != Line::Kind::Section; ++i) {
        if (lines[i].kind != Line::Kind::Key)
            continue;
        if (SameName(lines[i].name, key)) {
            const QString keyPart = DecodeLine(lines[i].raw.left(lines[i].raw.indexOf('=')));
            lines[i].raw = EncodeLine(keyPart + '=' + value);
            return;
        }
        insertAt = i + 1;
    }
    if (lines[insertAt - 1].ending.isEmpty())
        lines[insertAt - 1].ending = ending;
    lines.insert(lines.begin() + qsizetype(insertAt), NewLine(EncodeLine(key + '=' + value), ending));
}

}  // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

bool ProfileFile::isTooLarge() const
{
    const QFileInfo info(path_);
    return info.isFile() && info.size() > kMaxFileSize;
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const std::vector<Line> lines = ReadLines(path_).value_or(std::vector<Line>());
    const qsizetype header = FindSection(lines, section);
    if (header < 0)
        return def;
    for (std::size_t i = std::size_t(header) + 1;
         i < lines.size() && lines[i].kind != Line::Kind::Section; ++i) {
        if (lines[i].kind != Line::Kind::Key || !SameName(lines[i].name, key))
            continue;
        QString value = lines[i].value;
        if (value.size() > kMaxTextLength) {
            const bool splitsPair = value.at(kMaxTextLength - 1).isHighSurrogate();
            value.truncate(kMaxTextLength - (splitsPair ? 1 : 0));
        }
        return value;
    }
    return def;
}

int ProfileFile::readInt(const QString &section, const QString &key, int def) const
{
    const QString text = readString(section, key, QString());
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';

    unsigned base = 10;
    if (text.mid(at, 2).compare("0x", Qt::CaseInsensitive) == 0) {
        base = 16;
        at += 2;
    } else if (text.mid(at, 1) == "$") {
        base = 16;
        at += 1;
    }
    if (at == text.size())
        return def;

    // Hexadecimal may use all 32 bits; decimal must fit a signed 32-bit number.
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t number = 0;
    for (; at < text.size(); ++at) {
        const int digit = HexDigit(text[at]);
        if (digit < 0 || digit >= int(base))
            return def;
        number = number * base + unsigned(digit);
        if (number > limit)
            return def;
    }
    const auto bits = std::uint32_t(number);
    return int(negative ? 0u - bits : bits);
}

bool ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QFileInfo info(path_);
    if (info.exists() && (!info.isFile() || !info.isWritable())) {
        lastError_ = qt_error_string(info.isDir() ? EISDIR : EACCES);
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        lastError_ = qt_error_string(errno);
        return false;
    }

    // A line break would end the value and start a line of its own.
    QString oneLine = value;
    oneLine.replace('\r', ' ').replace('\n', ' ');

    std::optional<std::vector<Line>> lines = ReadLines(path_);
    if (!lines) {
        lastError_ = qt_error_string(isTooLarge() ? EFBIG : EACCES);
        return false;
    }
    SetValue(*lines, section, key, oneLine);
    QByteArray bytes;
    for (const Line &line : *lines)
        bytes += line.raw + line.ending;

    return WriteWholeFile(path_, bytes, &lastError_) == WriteOutcome::Written;
}

bool ProfileFile::writeInt(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

}  // namespace tintora
