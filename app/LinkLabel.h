#pragma once
#include <QLabel>

// A label that stands for an address: underlined, dark blue at rest, bright blue once the
// pointer moves over it. It raises `pointedAt` on every pointer move over it and `clicked`
// on a left click; the owner decides when the colours change back.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const char *name, const QString &text, const QString &address, QWidget *parent);

    QString address() const { return m_address; }
    void setHovered(bool hovered);
    QColor colour() const;

    static QColor restColour() { return QColor(0, 0, 192); }
    static QColor hoverColour() { return QColor(0, 0, 255); }

signals:
    void pointedAt();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_address;
    bool m_pressed = false;
};
