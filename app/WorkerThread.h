#pragma once
#include <QObject>
#include <QThread>
#include <functional>

// The thread beside the window's on which file runs work, so that the window stays drawn and
// answers while the engine reads and writes. Jobs run one after the other. What a job wants
// from the window (a question, its progress) it hands to the window's thread.
class WorkerThread : public QObject {
    Q_OBJECT

public:
    explicit WorkerThread(QObject *parent = nullptr);
    // Waits for the job in hand to end, then ends the thread.
    ~WorkerThread() override;

    // Runs `job` on the worker thread.
    void post(std::function<void()> job);

    // Runs `call` on the thread `context` lives on and returns its result: from the worker it
    // waits for the window's answer; on the context's own thread it simply calls.
    template <typename T>
    static T callOn(QObject *context, const std::function<T()> &call)
    {
        if (QThread::currentThread() == context->thread())
            return call();
        T result{};
        QMetaObject::invokeMethod(
            context, [&] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }

private:
    QThread m_thread;
    QObject *m_context; // lives on m_thread; jobs are queued to it
};
