#include "app/Startup.h"

#include "app/CipherFrame.h"
#include "app/FileArgument.h"
#include "app/FileTab.h"
#include "app/WindowPasswordControl.h"
#include "app/frmMain.h"
#include "platform/ui/MessageBox.h"

#include <QLineEdit>

#include <cstdio>
#include <exception>

namespace {

void reportFailure(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    platform::showMessageBox(nullptr, text, "Ember Coffer", platform::MessageIcon::Exclamation);
}

// Puts the files into their frame and the focus into that frame's key box, or explains why not.
void openFile(frmMain &window, const FileArgument &file)
{
    if (!file.problem.isEmpty()) {
        platform::showMessageBox(&window, file.problem, "Ember Coffer",
                                 platform::MessageIcon::Exclamation);
        return;
    }
    if (file.frame == FileArgument::Frame::None)
        return;
    CipherFrame *frame = file.frame == FileArgument::Frame::Decrypt
                             ? window.fileTab()->decryptFrame()
                             : window.fileTab()->encryptFrame();
    frame->setPaths(file.paths);
    window.activateWindow();
    frame->keyBox()->setFocus();
}

} // namespace

std::unique_ptr<frmMain> startUp(const QStringList &paths, FileArgument::Frame frame)
{
    std::unique_ptr<frmMain> window;
    try {
        window = std::make_unique<frmMain>();
        if (!window->passwordCheckPassed())
            return nullptr;
    } catch (const ControlFailure &failure) {
        reportFailure(QString("Ember Coffer cannot start: %1.").arg(failure.what()));
        return nullptr;
    } catch (const std::exception &failure) {
        reportFailure(
            QString("Ember Coffer cannot start: %1.").arg(QString::fromLocal8Bit(failure.what())));
        return nullptr;
    }
    window->showCentred();
    openFile(*window, fileArgument(paths, frame));
    return window;
}
