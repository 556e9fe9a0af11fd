#include "CommLogDock.h"

#include "app/Session.h"
#include "base/Prompter.h"

#include <QDateTime>
#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int RefreshMs = 100;  // the view catches up between exchanges, not at every frame

}  // namespace

CommLogDock::CommLogDock(Session &session, Prompter &prompter, QWidget *parent)
    : QDockWidget(QStringLiteral("Communication Log"), parent)
    , m_session(session)
    , m_prompter(prompter)
    , m_trace([this](const QString &line) { lineAdded(line); })
{
    setObjectName(QStringLiteral("CommLogDock"));
    // The main window is a fixed-height strip: the log floats beside it.
    setAllowedAreas(Qt::NoDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    m_view = new QPlainTextEdit(body);
    m_view->setObjectName(QStringLiteral("CommLogView"));
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setMaximumBlockCount(m_buffer.maxLines());
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_view);
    auto *buttons = new QHBoxLayout;
    m_save = new QPushButton(QStringLiteral("Save..."), body);
    m_save->setObjectName(QStringLiteral("CommLogSave"));
    m_clear = new QPushButton(QStringLiteral("Clear"), body);
    m_clear->setObjectName(QStringLiteral("CommLogClear"));
    buttons->addStretch();
    buttons->addWidget(m_clear);
    buttons->addWidget(m_save);
    layout->addLayout(buttons);
    setWidget(body);
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(RefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &CommLogDock::refresh);
    connect(m_save, &QPushButton::clicked, this, &CommLogDock::SaveClick);
    connect(m_clear, &QPushButton::clicked, this, &CommLogDock::ClearClick);
}

void CommLogDock::lineAdded(const QString &line)
{
    m_buffer.append(line);
    if (isVisible() && !m_refresh.isActive())
        m_refresh.start();
}

void CommLogDock::refresh()
{
    const QStringList lines = m_buffer.linesAfter(m_shown);
    m_shown = m_buffer.appended();
    if (lines.isEmpty())
        return;
    m_view->appendPlainText(lines.join(QLatin1Char('\n')));
}

void CommLogDock::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    refresh();
}

void CommLogDock::toggle(const QRect &frame)
{
    if (isVisible()) {
        hide();
        return;
    }
    setFloating(true);
    show();
    // First shown below the main window's frame, wide enough for a frame and its meaning;
    // after that where the user left it.
    if (!m_placed) {
        setGeometry(frame.left(), frame.bottom() + 1, std::max(frame.width(), 900), 320);
        m_placed = true;
    }
    raise();
}

bool CommLogDock::SaveClick()
{
    const QString name = QStringLiteral("comm-%1.log")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    int filter = 0;
    const QString path = m_prompter.chooseSaveFile(QStringLiteral("Save Communication Log"), QDir::currentPath(), name,
                                                   QStringLiteral("Log files (*.log)|*.log|All Files (*.*)|*.*"), &filter);
    if (path.isEmpty())
        return false;
    QString error;
    if (!m_buffer.save(path, &error)) {
        m_prompter.message(QStringLiteral("The communication log cannot be written to %1: %2").arg(path, error),
                           m_session.messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    }
    return true;
}

void CommLogDock::ClearClick()
{
    m_buffer.clear();
    m_view->clear();
    m_shown = m_buffer.appended();
}
