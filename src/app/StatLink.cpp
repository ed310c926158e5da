#include "StatLink.h"

#include "tablestore/StoreError.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include "FormFactory.h"
#include "TfmMxMain.h"
#include "engine/CalcCore.h"
#include "stats/TfmMxStat.h"

#include <QPushButton>

namespace mx {

StatLink::StatLink(TfmMxMain& window, StoreTable& sample, StoreTable* share,
                   std::function<void(int)> showHelp)
    : m_window(window), m_sample(sample), m_share(share), m_showHelp(std::move(showHelp))
{
    const std::pair<KeyId, void (StatLink::*)()> keys[] = {{KeyId::Sta, &StatLink::btStaClick},
                                                            {KeyId::Ave, &StatLink::btAveClick},
                                                            {KeyId::Sum, &StatLink::btSumClick},
                                                            {KeyId::Dat, &StatLink::btDatClick}};
    for (const auto& [id, handler] : keys)
        connect(window.button(id), &QPushButton::clicked, this, handler);
    window.button(KeyId::Sta)->setEnabled(true);
    enableKeys(false);
    // The statistics window ends with the main window, writing its position first.
    connect(&window, &TfmMxMain::closing, this, [this] {
        if (m_stat)
            m_stat->close();
    });
}

TfmMxStat* StatLink::statWindow() const
{
    return m_stat;
}

StatLink::~StatLink()
{
    delete m_stat.data();
}

QWidget* StatLink::create()
{
    TfmMxStat* stat = nullptr;
    try {
        CalcCore& core = m_window.core();
        stat = new TfmMxStat(m_sample, m_share, core.edOp0, core.numbers(), core.messages(),
                             m_showHelp, &m_window);
    } catch (const StoreError& e) {
        // The sample could not be counted: no window, the program goes on.
        m_window.core().messages().ShowMsgDlg(
            QStringLiteral("Окно статистики не открыто.\r\r") + storeFailureText(e), mkError,
            mbOKOnly, hcMessages);
        return nullptr;
    }
    stat->setFileDialogs(m_files);
    connect(stat, &TfmMxStat::closing, this, [this] { enableKeys(false); });
    stat->setAnnouncer(&m_window.announcer());
    connect(stat, &TfmMxStat::inputChanged, &m_window, &TfmMxMain::speakInput);
    m_stat = stat;
    return stat;
}

void StatLink::enableKeys(bool on)
{
    for (KeyId id : {KeyId::Ave, KeyId::Sum, KeyId::Dat})
        m_window.button(id)->setEnabled(on);
}

void StatLink::btStaClick()
{
    if (m_forms && m_forms->ShowForm(QStringLiteral("fmMxStat"), FormFactory::Modeless))
        enableKeys(true);
}

void StatLink::btAveClick()
{
    if (m_stat)
        m_stat->btCalcClick([stat = m_stat] {
            if (stat)
                stat->btAvrToOp0Click();
        });
}

void StatLink::btSumClick()
{
    if (m_stat)
        m_stat->btCalcClick([stat = m_stat] {
            if (stat)
                stat->btSumToOp0Click();
        });
}

void StatLink::btDatClick()
{
    if (m_stat)
        m_stat->btFromOp0Click();
}

} // namespace mx
