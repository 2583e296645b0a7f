#include "tests/support/WindowFixture.h"

#include "app/FileTab.h"
#include "button/VTButton.h"
#include "globals/engine/EncDec.h"

#include <QFile>
#include <QTest>

void WindowFixture::SetUp()
{
    ASSERT_TRUE(folder.isValid());
    // The window reads the application password from the registry: a fresh store, no password.
    qputenv("EMBERCOFFER_REGISTRY", pathOf("registry/registry.db").toLocal8Bit());
    platform::setMessageBoxHandler(
        [this](const platform::MessageBoxCall &call) { messages.push_back(call); });
    platform::setQuestionHandler([this](const platform::MessageBoxCall &call) {
        questions.push_back(call);
        return questionAnswer;
    });
    platform::setChoiceHandler([this](const platform::ChoiceCall &call) {
        choices.push_back(call);
        if (choiceAnswers.empty())
            return call.escapeAnswer;
        const int answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    });
    platform::setFileOpenHandler([this](const platform::FileOpenRequest &request) {
        browses.push_back(request);
        return browseAnswer;
    });
    window = std::make_unique<frmMain>();
    window->engine().setWorkFactor(4); // keeps the tests quick; files stay readable anywhere
    window->showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void WindowFixture::TearDown()
{
    window.reset();
    platform::setMessageBoxHandler({});
    platform::setQuestionHandler({});
    platform::setChoiceHandler({});
    platform::setFileOpenHandler({});
}

CipherFrame *WindowFixture::encrypt() const { return window->findChild<CipherFrame *>("Frame3"); }

CipherFrame *WindowFixture::decrypt() const { return window->findChild<CipherFrame *>("Frame2"); }

QCheckBox *WindowFixture::deleteBox(CipherFrame *frame) const
{
    return frame->findChild<QCheckBox *>();
}

QProgressBar *WindowFixture::bar() const { return window->findChild<QProgressBar *>("prgFile"); }

void WindowFixture::run(CipherFrame *frame, const QString &key, const QString &file,
                        bool deleteSource)
{
    frame->keyBox()->setText(key);
    frame->fileBox()->setText(file);
    deleteBox(frame)->setChecked(deleteSource);
    press(frame);
}

void WindowFixture::press(CipherFrame *frame)
{
    QTest::mouseClick(frame->actionButton(), Qt::LeftButton);
    waitForRunEnd();
}

void WindowFixture::waitForRunEnd()
{
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->fileTab()->running(); }, 120000))
        << "the run did not end";
}

void WindowFixture::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(pathOf(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray WindowFixture::readFile(const QString &name) const
{
    QFile file(pathOf(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

platform::MessageBoxCall WindowFixture::onlyMessage()
{
    EXPECT_EQ(messages.size(), 1u);
    platform::MessageBoxCall call = messages.empty() ? platform::MessageBoxCall{} : messages.back();
    messages.clear();
    return call;
}
