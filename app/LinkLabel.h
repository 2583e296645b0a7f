#pragma once
#include <QLabel>

// A label that stands for an address: underlined, dark blue at rest, bright blue once the
// pointer moves over it. It raises `pointedAt` on every pointer move over it and `clicked`
// on a left click, or on Enter once Tab brought the focus to it (a focus frame shows it);
// the owner decides when the colours change back. Assistive technology reads it as a link.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const char *name, const QString &text, const QString &address, QWidget *parent);

    QString address() const { return m_address; }
    void setHovered(bool hovered);
    QColor colour() const;
    // Opens the link, as a click does.
    void activate() { emit clicked(); }

    static QColor restColour() { return QColor(0, 0, 192); }
    static QColor hoverColour() { return QColor(0, 0, 255); }

signals:
    void pointedAt();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_address;
    bool m_pressed = false;
};
