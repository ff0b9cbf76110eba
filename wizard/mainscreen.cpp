#include "wizard/mainscreen.h"

#include "wizard/steplist.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ykt {

namespace {

template <class W> W *named(W *widget, const char *objectName)
{
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

} // namespace

TMainScreen::TMainScreen(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TntTabSheet4"));

    // The work-mode choice on a dark panel, so the white caption of the mode
    // chosen stands out from the light grey ones.
    auto *type = named(new QGroupBox, "TntGroupBox30");
    type->setAutoFillBackground(true);
    QPalette dark = type->palette();
    dark.setColor(QPalette::Window, QColor(TStepList::PanelColour));
    type->setPalette(dark);
    auto *typeLayout = new QVBoxLayout(type);
    auto *heading = named(new QLabel(QStringLiteral("YKT Type")), "TntLabel32");
    setTextColour(heading, Qt::white);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    typeLayout->addWidget(heading);
    m_communicator = named(new QRadioButton(QStringLiteral("Communicator")), "TntRadioButton10");
    m_advanced =
        named(new QRadioButton(QStringLiteral("Advanced communicator")), "TntRadioButton11");
    m_magellan = named(new QRadioButton(QStringLiteral("Magellan")), "TntRadioButton12");
    m_alarmSystem = named(new QRadioButton(QStringLiteral("Alarm System")), "TntRadioButton9");
    m_advanced->hide();
    m_magellan->hide();
    m_alarmSystem->hide();
    m_alarmSystem->setEnabled(false);
    for (QRadioButton *b : {m_communicator, m_advanced, m_magellan, m_alarmSystem}) {
        b->installEventFilter(this);
        typeLayout->addWidget(b);
    }
    m_description = named(new QPlainTextEdit, "TntMemo2");
    m_description->setReadOnly(true);
    m_description->setMaximumHeight(180);
    typeLayout->addWidget(m_description);
    typeLayout->addStretch(1);

    auto *side = new QVBoxLayout;
    side->addWidget(named(new QLabel(QStringLiteral("Language")), "Label120"));
    m_languageList = named(new QComboBox, "ComboBox28");
    side->addWidget(m_languageList);
    m_manualLabel = named(new QLabel(QStringLiteral("Manual")), "TntLabel96");
    m_manualButton = named(new QPushButton(QStringLiteral("Open")), "TntBitBtn3");
    m_manualLabel->hide();
    m_manualButton->hide();
    side->addWidget(m_manualLabel);
    side->addWidget(m_manualButton);
    side->addStretch();
    m_loadTemplate = named(new QPushButton(QStringLiteral("Load Template")), "TntButton27");
    m_factoryDefault =
        named(new QPushButton(QStringLiteral("Set settings to factory default")), "TntButton1911");
    side->addWidget(m_loadTemplate);
    m_openedCaption = named(new QLabel(QStringLiteral("Opened:")), "TntLabelOpened");
    m_openedTemplate = new QLabel(QStringLiteral("None"));
    m_openedTemplate->setTextFormat(Qt::PlainText);
    auto *opened = new QHBoxLayout;
    opened->addWidget(m_openedCaption);
    opened->addWidget(m_openedTemplate, 1);
    side->addLayout(opened);
    side->addWidget(m_factoryDefault);
    m_manualConfiguration =
        named(new QPushButton(QStringLiteral("Manual Configuration")), "TntButton30");
    side->addWidget(m_manualConfiguration);
    auto *wizard = named(new QPushButton(QStringLiteral("Configuration Wizard")), "TntButton29");
    wizard->hide();
    side->addWidget(wizard);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(type, 2);
    layout->addLayout(side, 1);

    showWorkMode(WorkMode::Communicator, QString());
}

QRadioButton *TMainScreen::radioButtonOf(WorkMode mode) const
{
    switch (mode) {
    case WorkMode::AdvancedCommunicator:
        return m_advanced;
    case WorkMode::Magellan:
        return m_magellan;
    case WorkMode::Communicator:
        break;
    }
    return m_communicator;
}

void TMainScreen::showWorkMode(WorkMode mode, const QString &description)
{
    QRadioButton *chosen = radioButtonOf(mode);
    chosen->setChecked(true);
    for (QRadioButton *b : {m_communicator, m_advanced, m_magellan, m_alarmSystem})
        setTextColour(b, b == chosen ? QColor(Qt::white) : QColor(TStepList::LightGrey));
    QString text = description;
    text.replace(QLatin1Char('\\'), QLatin1Char('\n'));
    m_description->setPlainText(text);
}

void TMainScreen::restoreWorkMode(WorkMode mode)
{
    QRadioButton *b = radioButtonOf(mode);
    b->setChecked(true);
    b->setFocus(Qt::OtherFocusReason);
}

bool TMainScreen::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QRadioButton *>(watched);
    if (!button)
        return QWidget::eventFilter(watched, event);
    const WorkMode mode = button == m_advanced   ? WorkMode::AdvancedCommunicator
                          : button == m_magellan ? WorkMode::Magellan
                                                 : WorkMode::Communicator;
    // The press decides, before the button changes; the button itself never
    // toggles, so a declined question leaves nothing to undo.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (button->isEnabled())
            emit workModePressed(mode);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)
        return true;
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Space:
        case Qt::Key_Select:
            emit workModePressed(mode);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            // Arrows would check the next button without the question.
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ykt
