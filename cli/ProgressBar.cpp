#include "cli/ProgressBar.h"

#include <cstdio>

namespace {
constexpr int barWidth = 40;
}

ProgressBar::ProgressBar(QString label, bool enabled)
    : m_label(std::move(label)), m_enabled(enabled)
{
}

ProgressBar::~ProgressBar()
{
    if (m_drawn)
        std::fputs("\n", stderr);
}

void ProgressBar::show(int percent)
{
    if (!m_enabled)
        return;
    const int filled = percent * barWidth / 100;
    const QByteArray line = QStringLiteral("\r%1 [%2%3] %4%")
                                .arg(m_label, QString(filled, '#'), QString(barWidth - filled, ' '))
                                .arg(percent, 3)
                                .toUtf8();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    m_drawn = true;
}
