#pragma once

#include <QString>
#include <QtGlobal>

namespace mx {

// Work on a large sample done a slice at a time from the event loop, so that the window
// keeps answering: each step() does a bounded share of it (a few tens of milliseconds at
// most) and says whether more remains. A task dropped before it has finished leaves
// nothing behind: no rows appended, no file written.
class SampleTask
{
public:
    virtual ~SampleTask() = default;

    // One slice; false once the task has finished, well or with error().
    virtual bool step() = 0;
    // Progress as a share of the whole, from 0 to 1.
    virtual double progress() const = 0;
    // What the task is doing now, for its progress dialog.
    virtual QString stage() const = 0;
    // How many numbers it works on, as far as known before it starts: large tasks show
    // their progress and can be cancelled. A task that learns it only as it runs (a file
    // still to be read) says kUnknownSize until then.
    virtual qint64 size() const = 0;
    static constexpr qint64 kUnknownSize = -1;
    // True while the task's steps only wait a little for a worker thread (reading a file,
    // writing rows): the event loop then comes round after each step.
    virtual bool waiting() const { return false; }

    // Set when the task failed: the message for the user. Nothing was changed.
    const QString& error() const { return m_error; }

protected:
    QString m_error;
};

} // namespace mx
