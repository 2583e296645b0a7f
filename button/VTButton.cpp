#include "button/VTButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace {
constexpr int horizontalPadding = 8;
constexpr int verticalPadding = 4;
constexpr int focusInset = 3;
} // namespace

VTButton::VTButton(QWidget *parent) : QPushButton(parent) { setAttribute(Qt::WA_Hover); }

VTButton::VTButton(const QString &caption, QWidget *parent) : VTButton(parent) { setText(caption); }

void VTButton::setButtonStyle(int style)
{
    m_style = style;
    update();
}

void VTButton::setButtonImage(const QPixmap &image)
{
    m_images.rest = image;
    refreshMaskedImages();
}

void VTButton::setButtonImageHover(const QPixmap &image)
{
    m_images.hover = image;
    refreshMaskedImages();
}

void VTButton::setButtonImageDown(const QPixmap &image)
{
    m_images.down = image;
    refreshMaskedImages();
}

void VTButton::setUseStateImages(bool use)
{
    m_useStateImages = use;
    update();
}

void VTButton::setButtonContentSpacing(qint16 spacing)
{
    m_spacing = spacing;
    updateGeometry();
    update();
}

void VTButton::setMaskColor(const QColor &color)
{
    m_maskColor = color;
    refreshMaskedImages();
}

void VTButton::refreshMaskedImages()
{
    m_shown.rest = withMaskColor(m_images.rest, m_maskColor);
    m_shown.hover = withMaskColor(m_images.hover, m_maskColor);
    m_shown.down = withMaskColor(m_images.down, m_maskColor);
    updateGeometry();
    update();
}

ButtonState VTButton::currentState() const
{
    return buttonStateFor(isEnabled(), m_hovered, isDown() || isChecked());
}

QPixmap VTButton::currentImage() const
{
    return imageFor(m_shown, m_useStateImages, currentState());
}

QSize VTButton::sizeHint() const
{
    const QPixmap image = currentImage();
    const QSize textSize = fontMetrics().size(Qt::TextShowMnemonic, text());
    const bool both = !image.isNull() && !text().isEmpty();
    const int gap = both ? qMax<int>(0, m_spacing) : 0;
    const QSize imageSize = image.isNull() ? QSize(0, 0) : image.deviceIndependentSize().toSize();
    return QSize(imageSize.width() + gap + textSize.width() + 2 * horizontalPadding,
                 qMax(imageSize.height(), textSize.height()) + 2 * verticalPadding);
}

QSize VTButton::minimumSizeHint() const { return sizeHint(); }

QStyleOptionButton VTButton::faceOption() const
{
    QStyleOptionButton option;
    option.initFrom(this);
    option.features = QStyleOptionButton::None;
    if (isDefault() || autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    if (isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (isDown() || isChecked())
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    if (isHovered())
        option.state |= QStyle::State_MouseOver;
    return option;
}

void VTButton::paintFace(QPainter &painter, const QStyleOptionButton &option) const
{
    const bool flat = m_style == ActiveStyle && currentState() == ButtonState::Rest;
    if (flat)
        return;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
}

void VTButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QStyleOptionButton option = faceOption();
    paintFace(painter, option);

    QPixmap image = currentImage();
    if (!image.isNull() && !isEnabled())
        image = style()->generatedIconPixmap(QIcon::Disabled, image, &option);

    const QSize imageSize = image.isNull() ? QSize(0, 0) : image.deviceIndependentSize().toSize();
    const QSize textSize = fontMetrics().size(Qt::TextShowMnemonic, text());
    const bool both = !image.isNull() && !text().isEmpty();
    const int gap = both ? qMax<int>(0, m_spacing) : 0;
    const int contentWidth = imageSize.width() + gap + textSize.width();

    // Image and caption are centred together; a pressed button moves its content by a pixel.
    QPoint origin((width() - contentWidth) / 2, 0);
    if (currentState() == ButtonState::Down)
        origin += QPoint(1, 1);
    if (!image.isNull())
        painter.drawPixmap(origin.x(), origin.y() + (height() - imageSize.height()) / 2, image);
    const QRect textRect(origin.x() + imageSize.width() + gap, origin.y(), textSize.width(),
                         height());
    style()->drawItemText(&painter, textRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), text(), QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(focusInset, focusInset, -focusInset, -focusInset);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void VTButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QPushButton::enterEvent(event);
}

void VTButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QPushButton::leaveEvent(event);
}

void VTButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QPushButton::changeEvent(event);
}
