#pragma once

#include "files/FileFault.h"

#include <QString>
#include <QStringList>

namespace mx {

// A text file of tape lines read back: one this program saved (in the system's encoding,
// UTF-8 here) or an older one in the Cyrillic Windows code page (cp1251). Which of the two
// is decided by whether the bytes are valid UTF-8.
struct OpenedHistory
{
    // Why a file was not taken; each has its text in historyFaultText. `File` is a file
    // that could not be read at all, for the cause in `fileFault`.
    enum class Fault { None, File, TooLarge, NulBytes, ControlBytes, NotText };

    Fault fault = Fault::None;
    FileFault fileFault = FileFault::Other;
    // The file's lines exactly as they stand, blanks included; the break after the last
    // line (CR LF, LF or CR) makes no empty line of its own.
    QStringList lines;
};

// Larger files are refused before they are read.
inline constexpr qint64 kMaxHistoryFileBytes = 16 * 1024 * 1024;

// Reads and decodes the file; touches nothing else, so it may run on any thread.
OpenedHistory readHistoryFile(const QString& path);
// The decoding alone: NUL bytes or other control characters than tab and line breaks, or
// bytes valid in neither encoding, refuse the text.
OpenedHistory historyFromBytes(const QByteArray& bytes);

// The cause of a refusal for the user, in Russian.
QString historyFaultText(const OpenedHistory& read);

// The tape line written before the lines of an opened file.
QString openedHistoryHeader(const QString& fileName);

} // namespace mx
