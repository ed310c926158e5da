#include "FileDialogs.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace mx {

namespace {

QString documentsFolder(const QString& baseDir)
{
    const QDir mine(QDir(baseDir).absoluteFilePath(QStringLiteral("myFiles")));
    if (mine.exists())
        return mine.absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

} // namespace

FileDialogs::FileDialogs(const QString& baseDir) : m_start(documentsFolder(baseDir)) {}

FileDialogs::~FileDialogs() = default;

QString FileDialogs::folderFor(const QString& key) const
{
    const auto it = m_last.find(key);
    return it != m_last.end() && QDir(it->second).exists() ? it->second : m_start;
}

std::unique_ptr<QFileDialog> FileDialogs::make(QWidget* parent, const Kind& kind) const
{
    auto dialog = std::make_unique<QFileDialog>(parent, kind.title, folderFor(kind.key), kind.filters);
    // The platform's own dialog may offer to delete or rename; Qt's honours the read-only
    // model: no Delete key, no rename, no new folder, those actions disabled in its menu.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::ReadOnly, true);
    // A dragged entry could be moved elsewhere by whatever receives the drop.
    for (QAbstractItemView* view : dialog->findChildren<QAbstractItemView*>()) {
        view->setDragEnabled(false);
        view->setDragDropMode(QAbstractItemView::NoDragDrop);
    }
    // The files in the detail view only: Qt's list view tells a screen reader the cells of
    // the model's top level instead of the folder it shows (asked for them, it warns of
    // invalid indexes), while the detail view tells the folder's own rows and columns.
    dialog->setViewMode(QFileDialog::Detail);
    for (const char* name : {"listModeButton", "detailModeButton"}) {
        if (auto* button = dialog->findChild<QAbstractButton*>(QLatin1String(name)))
            button->hide();
    }
    return dialog;
}

std::unique_ptr<QFileDialog> FileDialogs::makeOpen(QWidget* parent, const Kind& kind) const
{
    auto dialog = make(parent, kind);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

std::unique_ptr<QFileDialog> FileDialogs::makeSave(QWidget* parent, const Kind& kind) const
{
    auto dialog = make(parent, kind);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!kind.suffix.isEmpty())
        dialog->setDefaultSuffix(kind.suffix);
    if (!kind.fileName.isEmpty())
        dialog->selectFile(kind.fileName);
    return dialog;
}

QString FileDialogs::run(QFileDialog& dialog, const QString& key)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().front();
    m_last[key] = QFileInfo(path).absolutePath();
    return path;
}

QString FileDialogs::openFile(QWidget* parent, const Kind& kind)
{
    return run(*makeOpen(parent, kind), kind.key);
}

QString FileDialogs::saveFile(QWidget* parent, const Kind& kind)
{
    return run(*makeSave(parent, kind), kind.key);
}

} // namespace mx
