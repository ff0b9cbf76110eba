#pragma once

// The step list at the left of the configuration pages (TntPanel11): the
// mode label TntLabel59 and one label per page, Step0 ... Step10, through
// which the user jumps from page to page. A plain step label is underlined,
// light grey and 8 points; the highlighted one (the page shown) is bold,
// white and 9 points; the label under the mouse turns white.

#include "wizard/pagelist.h"

#include <QLabel>
#include <QWidget>

#include <array>

namespace ykt {

class TStepLabel : public QLabel
{
    Q_OBJECT
public:
    TStepLabel(int pageIndex, QWidget *parent);
    int pageIndex() const { return m_pageIndex; }
    bool highlighted() const { return m_highlighted; }
    void setHighlighted(bool on);
    // Full panel width, as high as the caption needs.
    void fitToText();

signals:
    void clicked(int pageIndex);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void setColour(const QColor &colour);

    int m_pageIndex;
    bool m_highlighted = false;
};

class TStepList : public QWidget
{
    Q_OBJECT
public:
    // The light grey of plain step labels and of the work-mode captions not chosen.
    static constexpr QRgb LightGrey = 0xE2E2E2; // 14869218
    // The dark blue behind the step list and the work-mode choice.
    static constexpr QRgb PanelColour = 0x263E63;
    static constexpr int Spacing = 4;

    explicit TStepList(QWidget *parent = nullptr);

    QLabel *modeLabel() const { return m_modeLabel; }
    TStepLabel *stepLabel(int pageIndex) const;

    // Every label plain, then the label of pageIndex highlighted.
    void highlight(int pageIndex);
    // Each visible label 4 pixels below the bottom of the previous visible
    // one, walking the pages in order; the first keeps its place.
    void layOut();

signals:
    void stepClicked(int pageIndex);

private:
    QLabel *m_modeLabel;
    std::array<TStepLabel *, ConfigurationPageCount> m_steps{};
};

} // namespace ykt
