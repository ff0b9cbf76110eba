// The class names of the language file and the widgets that answer to them.
//
// | class name in the file        | widgets that answer                        | caption        |
// hint          | items      | hint shown | charset |
// |-------------------------------|--------------------------------------------|----------------|---------------|------------|------------|---------|
// | TToolButton                   | QToolButton                                | 8-bit          |
// 8-bit         |            | yes        | no      | | TSpeedButton                  |
// QToolButton, QPushButton                   | 8-bit          | 8-bit         |            | yes |
// yes     | | TPanel                        | QLabel (a framed caption)                  | 8-bit |
// 8-bit         |            | yes        | yes     | | TGroupBox                     | QGroupBox
// (not a RadioGroup)               | 8-bit (title)  | 8-bit         |            | yes        | yes
// | | TLabel                        | QLabel                                     | 8-bit          |
// 8-bit         |            | yes        | yes     | | TCheckBox                     | QCheckBox
// | 8-bit          | 8-bit         |            | yes        | yes     | | TButton | QPushButton |
// 8-bit          | 8-bit         |            | yes        | yes     | | TRadioButton |
// QRadioButton                               | 8-bit          | 8-bit         |            | yes |
// yes     | | TVrLed                        | ykt::Lamp (its text)                       | 8-bit |
// 8-bit         |            | yes        | yes     | | TTabSheet                     | a page of a
// QTabWidget (its tab)           | 8-bit          | 8-bit         |            | yes        | yes |
// | TLabeledEdit                  | QLineEdit with a QLabel buddy              | 8-bit, label   |
// 8-bit         |            | yes        | label   | | TMenuItem                     | QAction
// (hint: its status tip)             | 8-bit          | 8-bit         |            | no         |
// no      | | TTntTabSheet                  | a page of a QTabWidget (its tab)           | Conv |
// system        |            | yes        | yes     | | TTntButton, TTntBitBtn        | QPushButton
// | Conv           | system        |            | yes        | yes     | | TTntRadioButton |
// QRadioButton                               | Conv           | system        |            | yes |
// yes     | | ttntgroupbox (any case)       | QGroupBox (not a RadioGroup)               | Conv
// (title)   | Conv          |            | yes        | yes     | | TTntLabel                     |
// QLabel                                     | Conv           | Conv          |            | yes |
// yes     | | TTntCheckBox                  | QCheckBox                                  | Conv |
// Conv          |            | yes        | yes     | | TComboBox                     | QComboBox
// |                |               | 8-bit      |            | no      | | ttntcombobox (any case)
// | QComboBox                                  |                |               | Conv       | | no
// | | TRadioGroup                   | ykt::RadioGroup                            | 8-bit (title)  |
// | 8-bit      |            | yes     | | ttntradiogroup (any case)     | ykt::RadioGroup | Conv
// (title)   |               | Conv       |            | yes     |
//
// Class names are compared exactly, except the three marked "any case".
// Any other class name applies nothing; so does a record whose component is
// not one of the widgets that answer to its class.
//
// Texts: "Conv" is the text converted with the current language's code page.
// "8-bit" is the text as the file holds it, shown through the same code page
// (on the original platform the font character set does that to an 8-bit
// caption; here every widget holds Unicode, so the conversion happens when the
// text is set). "system" is the system's 8-bit code page, Windows-1252.
// "Hint shown" yes: the hint becomes the tool tip, which shows exactly when it
// is not empty; a menu item's hint goes to its status tip instead. "Charset":
// the widget's kFontCharsetProperty becomes the language's charset.
//
// Items are cut at TABs (a trailing TAB gives no empty last item). A combo box
// gets its items with their positions as item data, with its signals blocked,
// and keeps its selected position when the new list still has it, else the
// first item. A radio group's items replace the old ones with none chosen.
//
// Not in the table, so never touched by a language: QPlainTextEdit and
// QLineEdit texts, QProgressBar, QStackedWidget pages (the wizard pages take
// their titles from the messages), the status bar itself.

#include "app/forms/languageclasses.h"

#include "util/conversions.h"

#include "app/forms/lamp.h"
#include "app/forms/radiogroup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

namespace ykt {

namespace {

// Which widgets answer to a class name.
enum class Target
{
    ToolButton,  // QToolButton
    SpeedButton, // QToolButton or QPushButton
    Panel,       // QLabel
    GroupBox,    // QGroupBox that is not a RadioGroup
    Label,       // QLabel
    CheckBox,    // QCheckBox
    Button,      // QPushButton
    RadioButton, // QRadioButton
    Lamp,        // ykt::Lamp
    TabSheet,    // a page of a QTabWidget
    LabeledEdit, // QLineEdit with a buddy QLabel
    MenuItem,    // QAction
    ComboBox,    // QComboBox
    RadioGroup,  // ykt::RadioGroup
};

enum class Text
{
    None,     // not applied
    EightBit, // as the file holds it, shown through the language's code page
    Conv,     // converted with the language's code page
    System,   // converted with the system's 8-bit code page
};

struct ClassRule
{
    const char *name;
    bool anyCase; // compared in lower case
    Target target;
    Text caption;
    Text hint;
    Text items;
    bool hintShown;
    bool charset;
    // The name prefix of the widgets of this class ("TntLabel" for
    // TTntLabel), for DesignerClassOf.
    const char *namePrefix;
};

using T = Target;
using X = Text;

// The table of languageclasses.cpp's header comment, row by row.
const ClassRule Rules[] = {
    {"TToolButton", false, T::ToolButton, X::EightBit, X::EightBit, X::None, true, false,
     "ToolButton"},
    {"TSpeedButton", false, T::SpeedButton, X::EightBit, X::EightBit, X::None, true, true,
     "SpeedButton"},
    {"TPanel", false, T::Panel, X::EightBit, X::EightBit, X::None, true, true, "Panel"},
    {"TGroupBox", false, T::GroupBox, X::EightBit, X::EightBit, X::None, true, true, "GroupBox"},
    {"TLabel", false, T::Label, X::EightBit, X::EightBit, X::None, true, true, "Label"},
    {"TCheckBox", false, T::CheckBox, X::EightBit, X::EightBit, X::None, true, true, "CheckBox"},
    {"TButton", false, T::Button, X::EightBit, X::EightBit, X::None, true, true, "Button"},
    {"TRadioButton", false, T::RadioButton, X::EightBit, X::EightBit, X::None, true, true,
     "RadioButton"},
    {"TVrLed", false, T::Lamp, X::EightBit, X::EightBit, X::None, true, true, "VrLed"},
    {"TTabSheet", false, T::TabSheet, X::EightBit, X::EightBit, X::None, true, true, "TabSheet"},
    {"TLabeledEdit", false, T::LabeledEdit, X::EightBit, X::EightBit, X::None, true, true,
     "LabeledEdit"},
    {"TMenuItem", false, T::MenuItem, X::EightBit, X::EightBit, X::None, false, false, "MenuItem"},
    {"TTntTabSheet", false, T::TabSheet, X::Conv, X::System, X::None, true, true, "TntTabSheet"},
    {"TTntButton", false, T::Button, X::Conv, X::System, X::None, true, true, "TntButton"},
    {"TTntBitBtn", false, T::Button, X::Conv, X::System, X::None, true, true, "TntBitBtn"},
    {"TTntRadioButton", false, T::RadioButton, X::Conv, X::System, X::None, true, true,
     "TntRadioButton"},
    {"ttntgroupbox", true, T::GroupBox, X::Conv, X::Conv, X::None, true, true, "TntGroupBox"},
    {"TTntLabel", false, T::Label, X::Conv, X::Conv, X::None, true, true, "TntLabel"},
    {"TTntCheckBox", false, T::CheckBox, X::Conv, X::Conv, X::None, true, true, "TntCheckBox"},
    {"TComboBox", false, T::ComboBox, X::None, X::None, X::EightBit, false, false, "ComboBox"},
    {"ttntcombobox", true, T::ComboBox, X::None, X::None, X::Conv, false, false, "TntComboBox"},
    {"TRadioGroup", false, T::RadioGroup, X::EightBit, X::None, X::EightBit, false, true,
     "RadioGroup"},
    {"ttntradiogroup", true, T::RadioGroup, X::Conv, X::None, X::Conv, false, true,
     "TntRadioGroup"},
};

const ClassRule *ruleFor(const QByteArray &className)
{
    for (const ClassRule &rule : Rules) {
        if (rule.anyCase ? AsciiLower(className) == rule.name : className == rule.name)
            return &rule;
    }
    return nullptr;
}

// The proper spelling of a class for the template ("TTntGroupBox").
QByteArray designerSpelling(const ClassRule &rule)
{
    return rule.anyCase ? QByteArray("T") + rule.namePrefix : QByteArray(rule.name);
}

QTabWidget *tabWidgetOf(const QObject *page)
{
    const auto *widget = qobject_cast<const QWidget *>(page);
    if (!widget)
        return nullptr;
    auto *stack = qobject_cast<QStackedWidget *>(widget->parentWidget());
    auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(const_cast<QWidget *>(widget)) >= 0 ? tabs : nullptr;
}

QLabel *buddyLabelOf(const QObject *edit)
{
    const auto *line = qobject_cast<const QLineEdit *>(edit);
    if (!line)
        return nullptr;
    for (QLabel *label : line->window()->findChildren<QLabel *>())
        if (label->buddy() == line)
            return label;
    return nullptr;
}

bool answers(Target target, const QObject *o)
{
    switch (target) {
    case T::ToolButton:
        return qobject_cast<const QToolButton *>(o);
    case T::SpeedButton:
        return qobject_cast<const QToolButton *>(o) || qobject_cast<const QPushButton *>(o);
    case T::Panel:
    case T::Label:
        return qobject_cast<const QLabel *>(o);
    case T::GroupBox:
        return qobject_cast<const QGroupBox *>(o) && !qobject_cast<const ykt::RadioGroup *>(o);
    case T::CheckBox:
        return qobject_cast<const QCheckBox *>(o);
    case T::Button:
        return qobject_cast<const QPushButton *>(o);
    case T::RadioButton:
        return qobject_cast<const QRadioButton *>(o);
    case T::Lamp:
        return qobject_cast<const ykt::Lamp *>(o);
    case T::TabSheet:
        return tabWidgetOf(o);
    case T::LabeledEdit:
        return buddyLabelOf(o);
    case T::MenuItem:
        return qobject_cast<const QAction *>(o);
    case T::ComboBox:
        return qobject_cast<const QComboBox *>(o);
    case T::RadioGroup:
        return qobject_cast<const ykt::RadioGroup *>(o);
    }
    return false;
}

QString shown(Text kind, const QByteArray &text, const LanguageTextContext &context)
{
    return ToUnicode(text, kind == X::System ? SystemCodePage : context.codePage);
}

void setCaption(Target target, QObject *o, const QString &caption)
{
    switch (target) {
    case T::ToolButton:
    case T::SpeedButton:
    case T::CheckBox:
    case T::Button:
    case T::RadioButton:
        static_cast<QAbstractButton *>(o)->setText(caption);
        break;
    case T::Panel:
    case T::Label:
        static_cast<QLabel *>(o)->setText(caption);
        break;
    case T::GroupBox:
    case T::RadioGroup:
        static_cast<QGroupBox *>(o)->setTitle(caption);
        break;
    case T::Lamp:
        static_cast<ykt::Lamp *>(o)->setText(caption);
        break;
    case T::TabSheet: {
        QTabWidget *tabs = tabWidgetOf(o);
        tabs->setTabText(tabs->indexOf(static_cast<QWidget *>(o)), caption);
        break;
    }
    case T::LabeledEdit:
        buddyLabelOf(o)->setText(caption);
        break;
    case T::MenuItem:
        static_cast<QAction *>(o)->setText(caption);
        break;
    case T::ComboBox:
        break;
    }
}

void setHint(Target target, QObject *o, const QString &hint)
{
    switch (target) {
    case T::TabSheet: {
        QTabWidget *tabs = tabWidgetOf(o);
        tabs->setTabToolTip(tabs->indexOf(static_cast<QWidget *>(o)), hint);
        break;
    }
    case T::MenuItem:
        static_cast<QAction *>(o)->setStatusTip(hint);
        break;
    default:
        static_cast<QWidget *>(o)->setToolTip(hint);
        break;
    }
}

void setItems(Target target, QObject *o, const QStringList &items)
{
    if (target == T::RadioGroup) {
        static_cast<ykt::RadioGroup *>(o)->setItems(items);
        return;
    }
    auto *combo = static_cast<QComboBox *>(o);
    const QSignalBlocker quiet(combo);
    const int selected = combo->currentIndex();
    combo->clear();
    for (int i = 0; i < items.size(); ++i)
        combo->addItem(items.at(i), i);
    combo->setCurrentIndex(selected >= 0 && selected < items.size() ? selected
                           : items.isEmpty()                        ? -1
                                                                    : 0);
}

QByteArray back(const QString &text, CodePage page)
{
    return FromUnicode(text, page);
}

} // namespace

bool ApplyControlRecord(QObject *component, const tkomponentas &record,
                        const LanguageTextContext &context)
{
    const ClassRule *rule = ruleFor(record.className);
    if (!rule || !component || !answers(rule->target, component))
        return false;
    if (rule->caption != X::None)
        setCaption(rule->target, component, shown(rule->caption, record.text1, context));
    if (rule->hint != X::None)
        setHint(rule->target, component, shown(rule->hint, record.text2, context));
    if (rule->items != X::None) {
        // Combo boxes hold their items in text1, radio groups in text2.
        const QByteArray &list = rule->target == T::ComboBox ? record.text1 : record.text2;
        setItems(rule->target, component, SplitItems(shown(rule->items, list, context)));
    }
    if (rule->charset) {
        QObject *font = rule->target == T::LabeledEdit ? buddyLabelOf(component) : component;
        font->setProperty(kFontCharsetProperty, context.charset);
    }
    return true;
}

QByteArray DesignerClassOf(const QObject *component)
{
    if (!component)
        return QByteArray();
    const QVariant named = component->property(kDesignerClassProperty);
    if (named.isValid()) {
        const QByteArray name = named.toByteArray();
        const ClassRule *rule = ruleFor(name);
        return rule && answers(rule->target, component) ? name : QByteArray();
    }
    // The longest prefix decides: "TntLabel7" is a TTntLabel, not a TLabel
    // ("Label" is no prefix of it anyway), "LabeledEdit1" a TLabeledEdit.
    const QByteArray objectName = component->objectName().toLatin1();
    const ClassRule *best = nullptr;
    for (const ClassRule &rule : Rules) {
        if (objectName.startsWith(rule.namePrefix) &&
            (!best || qstrlen(rule.namePrefix) > qstrlen(best->namePrefix)))
            best = &rule;
    }
    return best && answers(best->target, component) ? designerSpelling(*best) : QByteArray();
}

bool TemplateControlOf(const QObject *component, CodePage page, TemplateControl *control)
{
    const QByteArray className = DesignerClassOf(component);
    if (className.isEmpty())
        return false;
    const ClassRule *rule = ruleFor(className);
    control->name = component->objectName().toLatin1();
    control->className = className;
    control->caption.clear();
    control->hint.clear();
    control->items.clear();
    auto *o = const_cast<QObject *>(component);
    switch (rule->target) {
    case T::ToolButton:
    case T::SpeedButton:
    case T::CheckBox:
    case T::Button:
    case T::RadioButton:
        control->caption = back(static_cast<QAbstractButton *>(o)->text(), page);
        break;
    case T::Panel:
    case T::Label:
        control->caption = back(static_cast<QLabel *>(o)->text(), page);
        break;
    case T::GroupBox:
        control->caption = back(static_cast<QGroupBox *>(o)->title(), page);
        break;
    case T::RadioGroup: {
        auto *group = static_cast<ykt::RadioGroup *>(o);
        control->caption = back(group->title(), page);
        for (const QString &item : group->items())
            control->items.append(back(item, page));
        break;
    }
    case T::Lamp:
        control->caption = back(static_cast<ykt::Lamp *>(o)->text(), page);
        break;
    case T::TabSheet: {
        QTabWidget *tabs = tabWidgetOf(o);
        const int index = tabs->indexOf(static_cast<QWidget *>(o));
        control->caption = back(tabs->tabText(index), page);
        control->hint = back(tabs->tabToolTip(index), page);
        return true;
    }
    case T::LabeledEdit:
        control->caption = back(buddyLabelOf(o)->text(), page);
        break;
    case T::MenuItem: {
        auto *action = static_cast<QAction *>(o);
        control->caption = back(action->text(), page);
        control->hint = back(action->statusTip(), page);
        return true;
    }
    case T::ComboBox: {
        auto *combo = static_cast<QComboBox *>(o);
        for (int i = 0; i < combo->count(); ++i)
            control->items.append(back(combo->itemText(i), page));
        return true;
    }
    }
    control->hint = back(static_cast<QWidget *>(o)->toolTip(), page);
    return true;
}

} // namespace ykt
