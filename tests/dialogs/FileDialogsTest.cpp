#include "texts/FileDialogs.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QAbstractButton>
#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace mx;

namespace {

const FileDialogs::Kind kOpen{QStringLiteral("import"), QStringLiteral("Импорт"),
                              QStringLiteral("Все файлы (*)")};
const FileDialogs::Kind kSave{QStringLiteral("export"), QStringLiteral("Экспорт"),
                              QStringLiteral("CSV (*.csv)"), QStringLiteral("a.csv"),
                              QStringLiteral("csv")};

struct DialogCase
{
    const char* name;
    bool save;
};

class FileDialogModel : public testing::TestWithParam<DialogCase>
{
};

// Neither dialog can remove, rename or make anything: the model is read-only, the new folder
// button is off, nothing can be dragged out, and Delete on a selected folder leaves it.
TEST_P(FileDialogModel, CannotDeleteRenameOrCreate)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("keep/inner")));
    FileDialogs files(dir.path());
    const auto& kind = GetParam().save ? kSave : kOpen;
    auto dialog = GetParam().save ? files.makeSave(nullptr, kind) : files.makeOpen(nullptr, kind);
    dialog->setDirectory(dir.path());

    EXPECT_TRUE(dialog->testOption(QFileDialog::ReadOnly));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    auto* model = dialog->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(model->isReadOnly());
    const QModelIndex keep = model->index(QDir(dir.path()).filePath(QStringLiteral("keep")));
    EXPECT_FALSE(model->flags(keep) & Qt::ItemIsEditable);
    auto* newFolder = dialog->findChild<QAbstractButton*>(QStringLiteral("newFolderButton"));
    ASSERT_NE(newFolder, nullptr);
    EXPECT_FALSE(newFolder->isEnabled());
    for (QAbstractItemView* view : dialog->findChildren<QAbstractItemView*>())
        EXPECT_EQ(view->dragDropMode(), QAbstractItemView::NoDragDrop) << view->objectName().toStdString();

    // Delete and then Enter on any confirmation, as the user who found a folder deleted did.
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    // The detail view, the one the dialog shows.
    auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("treeView"));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) > 0; }));
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0, list->rootIndex()));
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Yes);
    });
    answer.start(10);
    QTest::keyClick(list, Qt::Key_Delete);
    QTest::qWait(50);
    EXPECT_TRUE(QDir(dir.path()).exists(QStringLiteral("keep/inner")));
}

INSTANTIATE_TEST_SUITE_P(FileDialogs, FileDialogModel,
                         testing::Values(DialogCase{"Open", false}, DialogCase{"Save", true}),
                         [](const auto& row) { return std::string(row.param.name); });

// Accepts the dialog shown next with `path` chosen.
void acceptNext(const QString& path)
{
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // the file dialog's own checks run
    });
}

TEST(FileDialogs, StartInMyFilesBesideTheDataAndComeBackWhereLastUsed)
{
    QTemporaryDir base;
    FileDialogs plain(base.path());
    EXPECT_NE(plain.startFolder(), base.path()) << "no myFiles: the documents or home folder";

    ASSERT_TRUE(QDir(base.path()).mkpath(QStringLiteral("myFiles")));
    ASSERT_TRUE(QDir(base.path()).mkpath(QStringLiteral("elsewhere")));
    FileDialogs files(base.path());
    const QString mine = QDir(base.path()).filePath(QStringLiteral("myFiles"));
    EXPECT_EQ(files.startFolder(), mine);
    EXPECT_EQ(files.makeOpen(nullptr, kOpen)->directory().absolutePath(), mine);

    const QString chosen = QDir(base.path()).filePath(QStringLiteral("elsewhere/b.csv"));
    acceptNext(chosen);
    EXPECT_EQ(files.saveFile(nullptr, kSave), chosen);
    EXPECT_EQ(files.makeSave(nullptr, kSave)->directory().absolutePath(),
              QFileInfo(chosen).absolutePath());
    EXPECT_EQ(files.folderFor(kOpen.key), mine) << "each dialog keeps its own folder";
}

} // namespace

// The file list of a dialog tells a screen reader as many cells as the folder it shows has
// entries, and every cell it tells of exists: a list that counted the model's top level
// instead had Qt warn "QAccessibleTable::child: Invalid index" for cells of an empty folder.
TEST(FileDialogs, TheFileListTellsAScreenReaderOnlyTheCellsItShows)
{
    QTemporaryDir dir;
    FileDialogs files(dir.path());
    auto dialog = files.makeOpen(nullptr, kOpen);
    dialog->setDirectory(dir.path());
    dialog->show();
    // The way to the list view, if the dialog offers it.
    auto* listMode = dialog->findChild<QAbstractButton*>(QStringLiteral("listModeButton"));
    if (listMode && listMode->isVisibleTo(dialog.get()))
        listMode->click();
    QTest::qWait(100);
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
    for (QAbstractItemView* view : dialog->findChildren<QAbstractItemView*>()) {
        if (!view->isVisibleTo(dialog.get()))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(view);
        ASSERT_NE(a, nullptr);
        for (int i = 0; i < a->childCount(); ++i)
            (void)a->child(i);
        if (QAccessibleTableInterface* table = a->tableInterface()) {
            EXPECT_EQ(table->rowCount(), view->model()->rowCount(view->rootIndex()))
                << view->objectName().toStdString();
        }
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, QStringList());
}
