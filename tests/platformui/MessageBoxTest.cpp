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

TEST(MessageBox, QuestionHasYesAndNoWithNoAsTheDefaultAndAnswersWhatWasPressed)
{
    const auto answer = [](QMessageBox::StandardButton press, bool *checked) {
        QTimer::singleShot(0, [press, checked] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            *checked = box->text() == "Replace it?" && box->windowTitle() == "Title" &&
                       box->icon() == QMessageBox::Question && box->buttons().size() == 2 &&
                       box->button(QMessageBox::Yes) &&
                       box->defaultButton() == box->button(QMessageBox::No);
            if (press == QMessageBox::Escape)
                box->reject();
            else
                box->button(press)->click();
        });
        return platform::askYesNo(nullptr, "Replace it?", "Title");
    };
    bool checked = false;
    EXPECT_TRUE(answer(QMessageBox::Yes, &checked));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(answer(QMessageBox::No, &checked));
    EXPECT_FALSE(answer(QMessageBox::Escape, &checked)) << "closing the box answers No";

    std::vector<platform::MessageBoxCall> asked;
    platform::setQuestionHandler([&](const platform::MessageBoxCall &call) {
        asked.push_back(call);
        return true;
    });
    EXPECT_TRUE(platform::askYesNo(nullptr, "Replace it?", "Title"));
    platform::setQuestionHandler({});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Replace it?");
    EXPECT_EQ(asked[0].icon, MessageIcon::Question);
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
