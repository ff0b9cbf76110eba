#pragma once

// The "Wizard" tab (TntTabSheet3): the step list at the left, the page
// container wzrd1 with its eleven pages WPage1 ... WPage11, and under the
// pages the buttons "Send data to Module", "Save New Template", "Print" and
// the never shown "Manage Messages".
//
// Each page has a header (title, subtitle, watermark) above the content that
// its page class puts in; the container has the buttons Back, Next and
// Cancel, of which only Cancel is ever shown. What a click on a step label or
// on Cancel does is decided by the window, which knows the pages.

#include "wizard/pagelist.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace ykt {

class TStepList;

// One page of the container: header, then the content.
class TWizardPage : public QWidget
{
    Q_OBJECT
public:
    TWizardPage(int pageIndex, QWidget *parent = nullptr);

    int pageIndex() const { return m_index; }
    QLabel *title() const { return m_title; }
    QLabel *subtitle() const { return m_subtitle; }
    QLabel *watermark() const { return m_watermark; }
    QWidget *header() const { return m_header; }
    void setContent(QWidget *content);
    QWidget *content() const { return m_content; }

private:
    int m_index;
    QWidget *m_header;
    QLabel *m_title;
    QLabel *m_subtitle;
    QLabel *m_watermark;
    QVBoxLayout *m_layout;
    QWidget *m_content = nullptr;
};

class TWizardTab : public QWidget
{
    Q_OBJECT
public:
    static constexpr int HeaderHeight = 30;

    explicit TWizardTab(QWidget *parent = nullptr);

    TStepList *stepList() const { return m_steps; }
    QStackedWidget *container() const { return m_container; }
    TWizardPage *page(int pageIndex) const;
    int currentPage() const;

    QPushButton *sendButton() const { return m_send; }
    QPushButton *saveTemplateButton() const { return m_saveTemplate; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *exportPdfButton() const { return m_exportPdf; }
    QPushButton *manageMessagesButton() const { return m_manageMessages; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Shows page pageIndex (when it is one), highlights its step label and
    // lays the step list out again.
    void showPage(int pageIndex);
    // A skipped page is disabled and its step label hidden; both always together.
    void setPageSkipped(int pageIndex, bool skipped);
    bool pageSkipped(int pageIndex) const;
    // Every page: no subtitle, no watermark, only Cancel, header height 30.
    void prepareHeaders();
    // Titles and step captions (the same message), subtitles and the
    // container's button captions from the current language.
    void setPageTexts(int pageIndex, const QString &title, const QString &subtitle);
    void setContainerButtonTexts(const QString &next, const QString &back, const QString &cancel);

signals:
    void stepClicked(int pageIndex);
    void cancelClicked();

private:
    TStepList *m_steps;
    QStackedWidget *m_container;
    std::array<TWizardPage *, ConfigurationPageCount> m_pages{};
    QPushButton *m_send;
    QPushButton *m_saveTemplate;
    QPushButton *m_print;
    QPushButton *m_exportPdf;
    QPushButton *m_manageMessages;
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_cancel;
};

} // namespace ykt
