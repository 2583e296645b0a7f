#pragma once
#include <QDialog>
#include <array>

class LinkLabel;
class QLabel;

// The program's About window: title, version, description and three links (web site,
// technical support, sales). One shared instance at a time, shown modeless; OK or closing
// destroys it, and the next showShared() builds it afresh.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *webAddress = "https://www.corvantide.example/";
    static constexpr const char *supportAddress = "support@corvantide.example";
    static constexpr const char *salesAddress = "sales@corvantide.example";

    // Shows the shared About window, creating it when none exists, and returns it.
    static frmAbout *showShared();
    // The shared About window, or null when none is open.
    static frmAbout *shared();

protected:
    // A pointer move over the window's background returns every link to its resting colour.
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    frmAbout();
    void load();
    void buildTitleBand();
    void buildLinks();
    LinkLabel *addLink(const char *name, const QString &text, const QString &address,
                       const QRect &geometry);

    QLabel *m_title = nullptr;
    QLabel *m_version = nullptr;
    std::array<LinkLabel *, 3> m_links{};
};
