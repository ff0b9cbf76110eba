#pragma once

// The Phrases page, the content of WPage8: the names of the zones, modules,
// users, partitions and PGM outputs the module puts into its SMS texts, the
// 19 SMS phrases and the two additional SMS texts. Every edit goes into the
// settings model's texts at once (the event pickers of the Inputs page hear
// of it); "Set default" puts the messages' defaults in, nothing is sent.
// The help SMS text has no editor: the model keeps it as the module sent it.

#include "settings/pages/configpage.h"

#include <array>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ykt {

class TPhrasesPage : public TConfigPage
{
    Q_OBJECT
public:
    explicit TPhrasesPage(PageHost &host, QWidget *parent = nullptr);

    // The grids and fields from the model.
    void Show() override;
    void AfterRead() override { Show(); }
    // The grids in the common state of every work mode.
    void ApplyWorkMode(WorkMode mode) override;
    // The row labels come from the messages.
    void ApplyLanguageTexts() override { Show(); }

    // "Set default": names, phrases and additional texts from the messages.
    void SetDefault();

    // The grid of name group fdNr (1..5) and the phrase grid.
    QTableWidget *nameGrid(int fdNr) const;
    QTableWidget *phraseGrid() const { return m_phrases; }

private:
    void fillGroup(int fdNr);
    void fillName(int fdNr, int idx);
    void fillPhrase(int idx);
    void fillAdditional(int idx);
    void onStored(quint8 answerType, int index);
    void nameEdited(int fdNr, int row);
    void textsEdited();

    std::array<QTableWidget *, 5> m_names{};
    QTableWidget *m_phrases = nullptr;
    std::array<QLineEdit *, 2> m_additional{};
    QPushButton *m_default = nullptr;
    bool m_filling = false;
};

} // namespace ykt
