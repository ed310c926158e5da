#include "TdmMxData.h"

#include "TableSchemas.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "tablestore/StoreError.h"

#include <QDir>
#include <QFileInfo>

namespace mx {

namespace {

QString dataDir(const QString& baseDir)
{
    return QDir(baseDir).filePath(QStringLiteral("Data"));
}

} // namespace

QStringList defaultDataFileList()
{
    return {QStringLiteral("Data/Classic.Dat"), QStringLiteral("Data/Classic.Idx"),
            QStringLiteral("Data/Share.Dat"), QStringLiteral("Data/Share.Idx")};
}

bool CheckFilesExist(const QStringList& names, QStringList& missing, const QString& baseDir)
{
    bool result = true;
    for (const QString& name : names) {
        if (!QFileInfo(QDir(baseDir).filePath(name)).isFile()) {
            result = false;
            missing.append(name);
        }
    }
    return result;
}

TdmMxData::TdmMxData(MessagePort& messages, const QStringList& dataFileList,
                     const QString& baseDir)
    : taClassic(ssMain, dataDir(baseDir), TableSchemas::classicName),
      taShare(ssMain, dataDir(baseDir), TableSchemas::shareName),
      taStat(ssMain, dataDir(baseDir), TableSchemas::statName), m_messages(messages),
      m_dataFileList(dataFileList), m_baseDir(baseDir)
{
    ssMain.lockRetryCount = 15;
    ssMain.lockWaitMs = 100;
    ssMain.onPassword = &TdmMxData::ssMainPassword;
    taClassic.setExclusive(false);
    taShare.setExclusive(true);
    taStat.setExclusive(true);
    taClassic.setRequiredFields(TableSchemas::classic());
    taShare.setRequiredFields(TableSchemas::share());
    taStat.setRequiredFields(TableSchemas::stat());
}

QString TdmMxData::dataDirectory() const
{
    return dataDir(m_baseDir);
}

TdmMxData::~TdmMxData()
{
    taStat.close();
    taShare.close();
    taClassic.close();
    ssMain.forgetAllPasswords();
}

QString TdmMxData::tablePassword()
{
    // Assembled from pieces so that the whole never stands in the binary as one string.
    static const char16_t parts[][6] = {{u'M', u'x', u'-', u'7', u'q'},
                                        {u'T', u'r', u'9', u'!', u'c'},
                                        {u'L', u'k', u'3', u'#', u'v'}};
    QString password;
    for (const auto& part : parts)
        password += QString::fromUtf16(part);
    password += QString::number(4 * 1009 + 3);
    return password;
}

void TdmMxData::ssMainPassword(TableSession& session, bool& retry)
{
    session.addPassword(tablePassword());
    retry = true;
}

bool TdmMxData::ssMainStartup()
{
    m_missing.clear();
    return CheckFilesExist(m_dataFileList, m_missing, m_baseDir);
}

void TdmMxData::reportMissingFiles()
{
    const QString text = QStringLiteral("Файл не найден:\r") + m_missing.join(QChar(13)) +
                         QStringLiteral("\r\rВыполнение программы будет прервано.");
    m_messages.ShowMsgDlg(text, mkError, mbOKOnly, hcMessages);
}

void TdmMxData::ReportAccessDenied()
{
    m_messages.ShowMsgDlg(
        QStringLiteral("Доступ запрещен.\r\rВозможно вы пытаетесь запустить вторую копию "
                       "программы.\r\rВыполнение программы будет прервано."),
        mkError, mbOKOnly, hcMessages);
}

void TdmMxData::ReportOpenFailure(const StoreError& error)
{
    using C = StoreError::Cause;
    // A lock held elsewhere is what a second copy of the program looks like; so is a failure
    // whose cause the store does not know, and the statistics table's missing files.
    switch (error.cause()) {
    case C::Locked:
    case C::Missing:
    case C::Other:
        ReportAccessDenied();
        return;
    default:
        break;
    }
    m_messages.ShowMsgDlg(QStringLiteral("Ошибка открытия файла данных:\r%1\r\r%2"
                                         "\r\rВыполнение программы будет прервано.")
                              .arg(displayedPath(error.file()), storeCauseText(error.cause())),
                          mkError, mbOKOnly, hcMessages);
}

QString TdmMxData::displayedPath(const QString& file) const
{
    // The data files are named as the file-not-found message names them: relative to the
    // folder the program runs in.
    return file.isEmpty() ? QStringLiteral("Data")
                          : QDir(m_baseDir).relativeFilePath(QFileInfo(file).absoluteFilePath());
}

TdmMxData::Opening TdmMxData::openTables()
{
    Opening opening;
    opening.filesFound = ssMainStartup();
    if (!opening.filesFound)
        return opening;
    try {
        for (StoreTable* table : {&taClassic, &taShare, &taStat})
            table->open();
    } catch (const StoreError& e) {
        opening.failure = e;
        return opening;
    }
    m_shareRef = &taShare;
    m_classicRef = &taClassic;
    return opening;
}

bool TdmMxData::reportOpening(const Opening& opening)
{
    if (!opening.filesFound) {
        reportMissingFiles();
        return false;
    }
    if (opening.failure) {
        ReportOpenFailure(*opening.failure);
        return false;
    }
    return true;
}

} // namespace mx
