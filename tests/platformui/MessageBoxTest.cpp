#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramExit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using platform::MessageIcon;

TEST(MessageBox, RealBoxIsModalWithOneOkButtonTitleTextAndIcon)
{
    struct Seen {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        bool okButton = false;
        Qt::WindowModality modality = Qt::NonModal;
    };
    auto check = [](MessageIcon icon) {
        Seen seen;
        QTimer::singleShot(0, [&seen] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->text(),
                    box->windowTitle(),
                    box->icon(),
                    static_cast<int>(box->buttons().size()),
                    box->button(QMessageBox::Ok) != nullptr,
                    box->windowModality()};
            box->button(QMessageBox::Ok)->click();
        });
        platform::showMessageBox(nullptr, "Some text.", "Title", icon);
        return seen;
    };
    const Seen warning = check(MessageIcon::Exclamation);
    EXPECT_EQ(warning.text, "Some text.");
    EXPECT_EQ(warning.title, "Title");
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_EQ(warning.buttons, 1);
    EXPECT_TRUE(warning.okButton);
    EXPECT_EQ(warning.modality, Qt::ApplicationModal);
    EXPECT_EQ(check(MessageIcon::Information).icon, QMessageBox::Information);
    EXPECT_EQ(check(MessageIcon::None).icon, QMessageBox::NoIcon);
}

TEST(ProgramExitDeathTest, EndsAtOnceWithTheCodeWithoutRunningCleanUp)
{
    EXPECT_EXIT(
        {
            struct Noisy {
                ~Noisy() { std::fputs("clean-up ran", stderr); }
            } noisy;
            platform::endProgram(3);
        },
        testing::ExitedWithCode(3), "^$");
}
