#include "LineIndicator.h"

LineIndicator::LineIndicator(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(TimerMs);
    connect(&m_timer, &QTimer::timeout, this, &LineIndicator::timerFired);
}

void LineIndicator::exchangeStarted()
{
    setImage(Communicating);
    m_timer.start();
}

void LineIndicator::exchangeFailed()
{
    m_timer.stop();
    setImage(Offline);
}

void LineIndicator::setOffline()
{
    exchangeFailed();
}

void LineIndicator::setImage(int image)
{
    if (image == m_image)
        return;
    m_image = image;
    emit imageChanged(image);
}

void LineIndicator::timerFired()
{
    setImage(Online);
}
