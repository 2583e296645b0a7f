#include "ProgressBar.h"

#include <cstdio>

namespace {
constexpr int barWidth = 40;
}

ProgressBar::ProgressBar(QString label, bool enabled) : label_(std::move(label)), enabled_(enabled) {}

ProgressBar::~ProgressBar()
{
    if (drawn_)
        std::fputs("\n", stderr);
}

void ProgressBar::show(int percent)
{
    if (!enabled_)
        return;
    const int filled = percent * barWidth / 100;
    const QByteArray line = QStringLiteral("\r%1 [%2%3] %4%")
                                .arg(label_, QString(filled, '#'), QString(barWidth - filled, ' '))
                                .arg(percent, 3)
                                .toUtf8();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    drawn_ = true;
}
