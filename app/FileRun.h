#pragma once
#include <QString>
#include <functional>

#include "platform/core/VBool.h"
#include "platform/ui/MessageBox.h"

class EncDec;
struct FileDirection;

// Asks the user a Yes/No question (text, title); true for Yes.
using FileRunQuestion = std::function<bool(const QString &text, const QString &title)>;

// What the user entered in one frame when the action button was pressed, and how to ask
// before an existing output file is replaced.
struct FileRunRequest {
    QString key;
    QString file;
    bool deleteSource = false;
    FileRunQuestion askToReplace;
};

// How a run ended, and so what becomes of the frame's boxes and the progress bar.
enum class FileRunEnd {
    Refused,  // an empty box: nothing was done and nothing changes
    Declined, // the user kept an existing output file: nothing is shown and nothing changes
    Finished, // the engine ran: key and file boxes are emptied, the bar goes back to 0
    Trapped,  // a failure was raised: the boxes keep their text, the bar goes back to 0
};

struct FileRunOutcome {
    FileRunEnd end;
    QString message;
    QString title;
    platform::MessageIcon icon;
};

// The steps of one encrypt or decrypt press, apart from the window: check the boxes, set the
// key string, ask before replacing an existing output, run the engine, delete the source when
// asked and safe (an encrypted file that fails its check is removed instead), and name the
// message.
class FileRunner {
public:
    explicit FileRunner(EncDec &engine);

    FileRunOutcome run(const FileDirection &direction, const FileRunRequest &request);

    // The engine the runs drive.
    EncDec &engine() const { return m_engine; }

    // The engine's result of the most recent call (VFalse before the first one).
    VBool lastResult() const { return m_lastResult; }

private:
    FileRunOutcome runEngine(const FileDirection &direction, const FileRunRequest &request);
    FileRunOutcome deleteSource(const FileDirection &direction);

    EncDec &m_engine;
    VBool m_lastResult = VFalse;
};
