#pragma once

// The endless progress animation of the progress dialog: a block that runs
// across the bar, one step every 70 ms. It shows that work goes on, not how
// much of it is done.

#include <QTimer>
#include <QWidget>

namespace ykt {

class BusyBar : public QWidget
{
    Q_OBJECT
public:
    explicit BusyBar(QWidget *parent = nullptr);

    int position() const { return m_position; }
    QSize sizeHint() const override { return {220, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QTimer m_step;
    int m_position = 0;
};

} // namespace ykt
