#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "password/dialogs/DialogKind.h"
#include "password/dialogs/LengthRule.h"
#include "platform/core/VBool.h"

class DialogLabel;
class QLabel;
class QLineEdit;
class QPushButton;

// The frame every password form shares: builds the form of one kind in one size from its
// layout data, holds the fields the entry routine hands back, runs the entry routine's
// common steps, and gives the kinds the pieces of their OK checks. The form utility prepares
// it when it is built (its load); every text box hands itself to the text-box utility when
// it gets the focus. Enter presses OK, Esc presses Cancel, the close box closes without
// running either.
class PasswordDialog : public QDialog {
    Q_OBJECT

public:
    PasswordDialog(DialogKind kind, DialogSize size);

    DialogKind kind() const { return m_kind; }
    DialogSize dialogSize() const { return m_size; }

    // The prompt label with this index; the get forms' single label answers to any index.
    DialogLabel *genericLabel(int index) const;

protected:
    // The caller's settings for one showing of the dialog.
    struct EntrySettings {
        QString title;
        bool active;
        bool useImages;
        qint32 minLength;
        qint32 maxLength;
    };

    // The entry routine's common steps: limits, title, cancelled flag, box limits, button
    // appearance, the modal showing; then `cancelled` receives the flag and the entered text
    // is returned.
    QString runEntry(VBool &cancelled, const EntrySettings &settings);

    QLineEdit *passwordBox() const { return m_password; }
    QLineEdit *confirmationBox() const { return m_confirmation; }
    QLineEdit *oldPasswordBox() const { return m_oldPassword; }

    // Applies the length rule to one box; on a breach shows the message, puts the focus
    // into the box when `focusOnFailure`, and returns false.
    bool lengthAccepted(QLineEdit &box, EntryRole role, bool focusOnFailure);

    // Reports a comparison failure: the warning, the focus into the box, its text selected.
    void reportMismatch(QLineEdit &box, const QString &title, const QString &text);

    // Compares the password box with the confirmation box; on a difference reports it under
    // `title` and returns false.
    bool confirmationMatches(bool caseSensitive, const QString &title);

    // The input passed: the password as typed becomes the result and the dialog closes.
    void acceptEntry();

    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The kind's OK checks, in their order; the last step accepts.
    virtual void checkEntry() = 0;

    void buildControls();
    QLineEdit *addPasswordBox(const char *name, const QRect &place);
    QPushButton *addButton(const char *name, const char *caption, const QRect &place);
    // Sets the window title; an empty one shows an empty title bar.
    void showTitle(const QString &title);
    void applyButtonAppearance(bool active, bool useImages);
    void cancelEntry();

    DialogKind m_kind;
    DialogSize m_size;

    QString m_enteredText;
    bool m_cancelled = true;
    qint32 m_minLength = 0;
    qint32 m_maxLength = 0;

    std::vector<DialogLabel *> m_labels; // by index; the get forms hold one
    QLineEdit *m_password = nullptr;
    QLineEdit *m_confirmation = nullptr;
    QLineEdit *m_oldPassword = nullptr;
    std::vector<QLineEdit *> m_boxes; // in tab order
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_key = nullptr;
};
