#pragma once
#include <QString>

#include "platform/core/VBool.h"
#include "platform/ui/MessageBox.h"

class EncDec;
struct FileDirection;

// What the user entered in one frame when the action button was pressed.
struct FileRunRequest {
    QString key;
    QString file;
    bool deleteSource = false;
};

// How a run ended, and so what becomes of the frame's boxes and the progress bar.
enum class FileRunEnd {
    Refused,  // an empty box: nothing was done and nothing changes
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
// key string, run the engine, delete the source when asked and safe, and name the message.
class FileRunner {
public:
    explicit FileRunner(EncDec &engine);

    FileRunOutcome run(const FileDirection &direction, const FileRunRequest &request);

    // The engine's result of the most recent call (VFalse before the first one).
    VBool lastResult() const { return m_lastResult; }

private:
    FileRunOutcome runEngine(const FileDirection &direction, const FileRunRequest &request);

    EncDec &m_engine;
    VBool m_lastResult = VFalse;
};
