#pragma once

#include <QLabel>

// A single-line prompt label that keeps itself as wide as its caption: a longer caption
// grows it to the right from where it was placed.
class DialogLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setCaption)

public:
    explicit DialogLabel(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
};
