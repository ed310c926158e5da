#pragma once

#include <QString>

#include <map>
#include <memory>

class QFileDialog;
class QWidget;

namespace mx {

// The program's file dialogs. Each starts where the user keeps documents: the folder
// "myFiles" beside the data folder when there is one, otherwise the documents folder (the
// home folder where there is none), and comes back within a run to the folder in which it
// was last accepted. None of them can delete, rename or create a file or a folder: they are
// Qt's own dialogs over a read-only model, without drag and drop, so that a key pressed by
// mistake in a dialog that only chooses a file cannot remove anything.
class FileDialogs
{
public:
    // `baseDir` holds the data folder; "myFiles" is looked for beside it.
    explicit FileDialogs(const QString& baseDir);
    ~FileDialogs();
    FileDialogs(const FileDialogs&) = delete;
    FileDialogs& operator=(const FileDialogs&) = delete;

    // What one dialog is: `key` names it for the folder it comes back to.
    struct Kind
    {
        QString key;
        QString title;
        QString filters;        // Qt filter list, ";;" between entries
        QString fileName = {};  // the name offered by a save dialog
        QString suffix = {};    // added to a saved name typed without one
    };

    // The chosen file, or an empty text when the dialog was cancelled.
    QString openFile(QWidget* parent, const Kind& kind);
    // Asks before a file is overwritten.
    QString saveFile(QWidget* parent, const Kind& kind);

    // The dialog as openFile and saveFile show it, not yet shown (tests look into it).
    std::unique_ptr<QFileDialog> makeOpen(QWidget* parent, const Kind& kind) const;
    std::unique_ptr<QFileDialog> makeSave(QWidget* parent, const Kind& kind) const;

    // Where the dialog of that key opens next.
    QString folderFor(const QString& key) const;
    // Where every dialog opens first.
    const QString& startFolder() const { return m_start; }

private:
    std::unique_ptr<QFileDialog> make(QWidget* parent, const Kind& kind) const;
    QString run(QFileDialog& dialog, const QString& key);

    QString m_start;
    std::map<QString, QString> m_last; // folder last accepted, by dialog key
};

} // namespace mx
