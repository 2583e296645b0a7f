#pragma once
#include "button/VantrelButtonExport.h"
#include <QColor>
#include <QPixmap>
#include <QPushButton>

#include "button/ButtonImages.h"

class QStyleOptionButton;

// A push button that shows an image beside its caption. The caption's '&' marks the access
// key. In the active style the button is flat until the pointer is over it; in the standard
// style it is always raised. With state images on, the hover and down images replace the
// resting image while the button is pointed at or pressed.
class VANTRELBUTTON_EXPORT VTButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int ButtonStyle READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(QPixmap ButtonImage READ buttonImage WRITE setButtonImage)
    Q_PROPERTY(QPixmap ButtonImageHover READ buttonImageHover WRITE setButtonImageHover)
    Q_PROPERTY(QPixmap ButtonImageDown READ buttonImageDown WRITE setButtonImageDown)
    Q_PROPERTY(bool UseStateImages READ useStateImages WRITE setUseStateImages)
    Q_PROPERTY(qint16 ButtonContentSpacing READ buttonContentSpacing WRITE setButtonContentSpacing)
    Q_PROPERTY(QColor maskcolor READ maskColor WRITE setMaskColor)
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    static constexpr int StandardStyle = 0;
    static constexpr int ActiveStyle = 1;

    explicit VTButton(QWidget *parent = nullptr);
    explicit VTButton(const QString &caption, QWidget *parent = nullptr);

    int buttonStyle() const { return m_style; }
    void setButtonStyle(int style);

    QPixmap buttonImage() const { return m_images.rest; }
    void setButtonImage(const QPixmap &image);
    QPixmap buttonImageHover() const { return m_images.hover; }
    void setButtonImageHover(const QPixmap &image);
    QPixmap buttonImageDown() const { return m_images.down; }
    void setButtonImageDown(const QPixmap &image);

    bool useStateImages() const { return m_useStateImages; }
    void setUseStateImages(bool use);

    qint16 buttonContentSpacing() const { return m_spacing; }
    void setButtonContentSpacing(qint16 spacing);

    QColor maskColor() const { return m_maskColor; }
    void setMaskColor(const QColor &color);

    // True while the pointer is over the enabled button.
    bool isHovered() const { return m_hovered && isEnabled(); }
    ButtonState currentState() const;
    // The image drawn now, with the mask colour already made transparent.
    QPixmap currentImage() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

    // Draws the button's face behind image and caption; the look of the derived buttons.
    virtual void paintFace(QPainter &painter, const QStyleOptionButton &option) const;
    QStyleOptionButton faceOption() const;

private:
    void refreshMaskedImages();

    int m_style = StandardStyle;
    ButtonImages m_images;
    ButtonImages m_shown; // m_images with the mask colour applied
    bool m_useStateImages = false;
    qint16 m_spacing = 6;
    QColor m_maskColor;
    bool m_hovered = false;
};
