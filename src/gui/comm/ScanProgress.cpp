#include "ScanProgress.h"

#include <QCoreApplication>
#include <algorithm>
#include <iterator>

ScanProgress::ScanProgress(const QString &title, const QString &cancelText, int steps, QWidget *parent)
    : m_dialog(title, cancelText, 0, steps, parent)
{
    m_dialog.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    m_dialog.setMinimumDuration(500);
}

CommScan::Progress ScanProgress::callback()
{
    return [this](const CommScan::Step &step) {
        m_dialog.setLabelText(QStringLiteral("%1  %2/%3").arg(step.port).arg(step.combination)
                                  .arg(std::size(CommScan::Combinations)));
        if (m_dialog.maximum() > 0)
            m_dialog.setValue(std::min(m_dialog.maximum(), m_dialog.value() + 1));
        QCoreApplication::processEvents();
        return !m_dialog.wasCanceled();
    };
}
