#pragma once

#include <QString>

namespace mx {

// Why a file, or a table of the store, could not be read or written. One closed set for
// every file the program touches; each cause has one sentence in Russian, so that no text of
// the system or of the store's engine, in English, reaches the user.
enum class FileFault {
    Other,    // nothing more is known
    Locked,   // a lock held by another process or connection
    Missing,  // the file, or the folder it should be in, does not exist
    Damaged,  // a file is truncated, garbled or of another format or version
    NotAFile, // a folder, device, pipe or link to one in place of a file
    ReadOnly, // the file or its file system refuses writes
    DiskFull,
    NoAccess, // the permissions refuse the file
    Io,       // the file system reported an input/output error
};

// The cause of a failed system call, from its errno; 0 and codes without a cause of their
// own give Io.
FileFault fileFaultOfErrno(int error);

// The cause of a failed read (`writing` false) or write of `path`, from the errno saved
// right after the failing call where it names a cause, otherwise from what the file, its
// folder and its file system show now. A Qt file reports its failures in English text only;
// this is how its failures are named.
FileFault fileFaultOf(const QString& path, bool writing, int savedErrno);

// The cause in Russian, one sentence.
QString fileFaultText(FileFault fault);

// What failed, naming the file, and why: `what` holds %1 where the file's name goes (made
// safe to show), as "Выборка не сохранена в файл «%1».", and the cause follows after a
// blank line.
QString fileFailureMessage(const QString& what, const QString& path, FileFault fault);

} // namespace mx
