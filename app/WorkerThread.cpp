#include "app/WorkerThread.h"

WorkerThread::WorkerThread(QObject *parent) : QObject(parent), m_context(new QObject)
{
    m_thread.setObjectName("FileRunWorker");
    m_context->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
}

WorkerThread::~WorkerThread()
{
    m_thread.quit();
    m_thread.wait();
}

void WorkerThread::post(std::function<void()> job)
{
    QMetaObject::invokeMethod(m_context, std::move(job), Qt::QueuedConnection);
}
