#include "HistoryImport.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <array>
#include <cerrno>

namespace mx {

namespace {

// The upper half of the Windows Cyrillic code page from 0x80; 0x98 is unassigned (0).
constexpr std::array<char16_t, 64> kCp1251High{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0,      0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// False for a byte the code page leaves unassigned.
bool decodeCp1251(const QByteArray& bytes, QString& text)
{
    text.resize(bytes.size());
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t u = b;
        if (b >= 0xC0)
            u = char16_t(0x0410 + (b - 0xC0));
        else if (b >= 0x80)
            u = kCp1251High[b - 0x80];
        if (u == 0)
            return false;
        *out++ = QChar(u);
    }
    return true;
}

bool decodeUtf8(const QByteArray& bytes, QString& text)
{
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    text = decode(bytes);
    return !decode.hasError();
}

// Tab, line feed and carriage return are the only control characters of a text of lines.
bool hasStrayControl(const QByteArray& bytes)
{
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r')
            return true;
    }
    return false;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

} // namespace

OpenedHistory historyFromBytes(const QByteArray& bytes)
{
    using Fault = OpenedHistory::Fault;
    if (bytes.contains('\0'))
        return {Fault::NulBytes, FileFault::Other, {}};
    if (hasStrayControl(bytes))
        return {Fault::ControlBytes, FileFault::Other, {}};
    QString text;
    if (decodeUtf8(bytes, text)) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
    } else if (!decodeCp1251(bytes, text)) {
        return {Fault::NotText, FileFault::Other, {}};
    }
    return {Fault::None, FileFault::Other, splitLines(text)};
}

OpenedHistory readHistoryFile(const QString& path)
{
    using Fault = OpenedHistory::Fault;
    const auto failed = [&path](int savedErrno) {
        return OpenedHistory{Fault::File, fileFaultOf(path, false, savedErrno), {}};
    };
    const QFileInfo info(path);
    // A folder, a device or a pipe: reading it would give no file of lines, or never end.
    if (!info.exists() || !info.isFile())
        return failed(0);
    if (info.size() > kMaxHistoryFileBytes)
        return {Fault::TooLarge, FileFault::Other, {}};
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return failed(errno);
    // One byte more than allowed tells a file that grew since it was looked at.
    errno = 0;
    const QByteArray bytes = file.read(kMaxHistoryFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(errno);
    if (bytes.size() > kMaxHistoryFileBytes)
        return {Fault::TooLarge, FileFault::Other, {}};
    return historyFromBytes(bytes);
}

QString historyFaultText(const OpenedHistory& read)
{
    using Fault = OpenedHistory::Fault;
    switch (read.fault) {
    case Fault::None:
        break;
    case Fault::File:
        return fileFaultText(read.fileFault);
    case Fault::TooLarge:
        return QStringLiteral("Файл больше 16 МБ; история такого размера не открывается.");
    case Fault::NulBytes:
        return QStringLiteral("Файл не текстовый: в нём есть нулевые байты.");
    case Fault::ControlBytes:
        return QStringLiteral("Файл не текстовый: в нём есть управляющие символы.");
    case Fault::NotText:
        return QStringLiteral("Файл не текстовый: это не текст ни в UTF-8, ни в кодировке "
                              "Windows-1251.");
    }
    return {};
}

QString openedHistoryHeader(const QString& fileName)
{
    return QStringLiteral("---- Открыт файл %1 ----").arg(fileName);
}

} // namespace mx
