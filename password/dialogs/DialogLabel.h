#pragma once

#include <QLabel>

// A single-line prompt label that keeps itself as wide as its caption: a longer caption
// grows it to the right from where it was placed. The box it labels is named after its
// caption for assistive technology, and its access key moves the focus into that box.
class DialogLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setCaption)

public:
    explicit DialogLabel(QWidget *parent = nullptr);

    // Also renames the labelled box after the new caption.
    void setCaption(const QString &caption);
};
