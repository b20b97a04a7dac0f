#include "TimerApplication.h"

#include "ErrorReport.h"

#include <QFont>
#include <QFontDatabase>

TimerApplication::TimerApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(title());
    setApplicationDisplayName(title());
    setOrganizationName(QStringLiteral("Vantoli工作室"));
    setApplicationVersion(QStringLiteral("1.2.1129.2009"));
    setDesktopFileName(QStringLiteral("vantoli-timer"));
    // The main window hidden in the tray and an error box closing must not end
    // the run; the main window's close does.
    setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
}

QString TimerApplication::title() { return QStringLiteral("Vantoli语音定时器"); }

void TimerApplication::installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei"),
                                QStringLiteral("Droid Sans Fallback")});
}

bool TimerApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportException(std::current_exception());
    }
    return false;
}
