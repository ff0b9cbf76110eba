#pragma once

// The "Zone voice indexes" page, the content of WPage10: what the module
// says for each of its 64 zones, up to eight recorded phrases a zone. The
// list shows the zones (by their names) with their eight slots; a slot's
// phrase is chosen from the phrase menu of the current language's voice
// phrase file. The settings model holds the zone records as they travel
// (refdata/zonevoice.h codes them); a choice goes straight into its record.

#include "refdata/voicephrases.h"
#include "settings/pages/configpage.h"

class QLabel;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace ykt {

class SlotDelegate;

class TZoneVoicePage : public TConfigPage
{
    Q_OBJECT
public:
    explicit TZoneVoicePage(PageHost &host, QWidget *parent = nullptr);

    // The zone names, every slot and the uploaded voice language from the
    // model.
    void Show() override;
    // The zone names again after a read (the slots came one by one).
    void AfterRead() override;
    // The phrase menu of the new language, the slots' captions from it, the
    // placeholder of an empty slot.
    void ApplyLanguageTexts() override;

    // The phrase menu rebuilt from the current language's file; a missing
    // file leaves the menu as it was.
    void LoadVoicePhrases();
    // Every zone entry's caption from the zone names.
    void RefreshZoneNames();
    // One zone's slots from its record in the model.
    void ShowZone(int zone);

    // Menu entry (0 = no phrase) into the slot that has the focus; nothing
    // while a zone entry has it.
    void ChoosePhrase(int entry);
    // Opens the phrase menu at a global position, while a slot has the focus.
    bool OpenPhraseMenu(const QPoint &globalPos);

    const TPhraseMenu &phraseMenu() const { return m_menu; }
    QTreeWidget *tree() const { return m_tree; }
    QListWidget *menuList() const { return m_menuList; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onStored(quint8 answerType, int index);
    void showLanguageName();
    void fillMenuList();
    QByteArray &recordOf(int zone);

    QTreeWidget *m_tree = nullptr;
    QListWidget *m_menuList = nullptr;
    QLabel *m_languageCaption = nullptr;
    QLabel *m_languageName = nullptr;
    SlotDelegate *m_delegate = nullptr;
    TPhraseMenu m_menu;
    QTreeWidgetItem *m_pressedCurrent = nullptr;
};

} // namespace ykt
