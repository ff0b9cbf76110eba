#pragma once

// The Summary page, the content of WPage9: every setting that matters on
// one read-only page (Memo_Summ), rebuilt from the settings model each time
// the page is entered, so the installer can check the configuration before
// sending it and print it. The window builds the summary (it knows the
// captions of the live controls); the page shows it.

#include "settings/pages/configpage.h"

class QTextEdit;

namespace ykt {

class TSummaryPage : public TConfigPage
{
    Q_OBJECT
public:
    explicit TSummaryPage(PageHost &host, QWidget *parent = nullptr);

    void Enter() override;
    // Nothing to commit: the page edits nothing.
    void Commit() override {}

    QTextEdit *memo() const { return m_memo; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTextEdit *m_memo;
};

} // namespace ykt
