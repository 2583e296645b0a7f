#pragma once
#include "app/CipherFrame.h"
#include "app/frmMain.h"
#include "platform/ui/ChoiceBox.h"
#include "platform/ui/FileOpenDialog.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A real main window whose message boxes and file dialogs are answered by the platform
// seams: each message is recorded, each question gets `questionAnswer`, each browse gets
// `browseAnswer`.
class WindowFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CipherFrame *encrypt() const;
    CipherFrame *decrypt() const;
    QCheckBox *deleteBox(CipherFrame *frame) const;
    QProgressBar *bar() const;

    // Types key and file into a frame, presses its action button and waits for the run's end.
    void run(CipherFrame *frame, const QString &key, const QString &file,
             bool deleteSource = false);

    // Presses the frame's action button and waits until the run it starts has ended.
    void press(CipherFrame *frame);
    // Waits until the File tab's run has ended and its result was shown.
    void waitForRunEnd();

    QString pathOf(const QString &name) const { return folder.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;

    // The one message shown since the last call (fails the test when there was not exactly one).
    platform::MessageBoxCall onlyMessage();

    QTemporaryDir folder;
    std::unique_ptr<frmMain> window;
    std::vector<platform::MessageBoxCall> messages;
    // Yes/No questions are recorded too, and answered with `questionAnswer`.
    std::vector<platform::MessageBoxCall> questions;
    bool questionAnswer = false;
    // Questions with buttons of their own and messages with details, answered in turn from
    // `choiceAnswers` (closed without a button when none is left).
    std::vector<platform::ChoiceCall> choices;
    std::deque<int> choiceAnswers;
    std::vector<platform::FileOpenRequest> browses;
    QString browseAnswer;
};
