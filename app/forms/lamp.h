#pragma once

// An indicator lamp with its caption to the right: lit when its bit is 1.
// The program's status lamps (modem flags, TCP engine, the driver's own flags)
// are all of this kind.

#include <QColor>
#include <QWidget>

namespace ykt {

class Lamp : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool lit READ isLit WRITE setLit)
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit Lamp(const QString &text = QString(), QWidget *parent = nullptr);
    // As a form file creates it; the caption follows.
    explicit Lamp(QWidget *parent) : Lamp(QString(), parent) {}

    bool isLit() const { return m_lit; }
    void setLit(bool lit);
    QString text() const { return m_text; }
    void setText(const QString &text);
    void setColor(const QColor &color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_lit = false;
    QString m_text;
    QColor m_color{0, 200, 0};
};

} // namespace ykt
