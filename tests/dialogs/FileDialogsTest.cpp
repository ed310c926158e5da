#include "texts/FileDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
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
    auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
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
