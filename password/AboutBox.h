#pragma once
#include <QDialog>

#include "password/AboutBackground.h"
#include "password/WebLinkHover.h"

class QLabel;

// The control library's About box: the library's title and version, the kind of component,
// a description of the product family, a rights notice with the maker's name as a web link,
// and a legal warning, over a white title band with etched separator lines. It plays a click
// when it opens and offers to start the system information tool.
//
// One shared box serves every showing: each showing loads it afresh (the link back to normal,
// the picture chosen again, the click played, the focus on OK), and OK, Enter, Esc or the
// close box hide it.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *webAddress = "https://www.corvantide.example/";

    // Loads the shared box, creating it on first use, and shows it modally without an owner
    // until it is closed. Does nothing while the box is already open.
    static void showShared();
    // The shared box, or null before the first showing.
    static AboutBox *shared();

    // The box is one of the library's live objects: while it exists (its code is in this
    // library), the library may not be unloaded.
    AboutBox();
    ~AboutBox() override;

    // The load steps: the link placed behind the first rights line, the side picture chosen by
    // the display's colours, the window title, version and heading set, pending events handled
    // once, then the click played (a click that cannot be played is left out).
    void load();

    // Where the controls the background is painted around are.
    AboutBackgroundLayout backgroundLayout() const;
    // The web link's current look.
    LinkLook linkLook() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    // Each showing by the program starts with the focus on OK.
    void showEvent(QShowEvent *event) override;
    // Moves that reach the box with no control under the pointer are over its background.
    void mouseMoveEvent(QMouseEvent *event) override;
    // Pointer moves over every control, and clicks on the web link.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *addLabel(const char *name, const QString &text, const QRect &place, const QFont &font);
    QLabel *addPicture(const char *name, const QString &bitmap);
    void buildHeading();
    void buildNotice();
    void buildTexts();
    void buildButtons();
    void watchControls();

    void pointerMovedOver(const QString &controlName);
    void showLinkLook(const LinkLook &look);
    void playClick();

    QLabel *m_title = nullptr;
    QLabel *m_componentKind = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_copyright = nullptr;
    QLabel *m_webLink = nullptr;
    QLabel *m_description = nullptr;
    QLabel *m_disclaimer = nullptr;
    QWidget *m_ok = nullptr;
    QLabel *m_picture = nullptr;
    QLabel *m_picture256 = nullptr;
    bool m_linkPressed = false;
};
