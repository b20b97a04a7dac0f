#pragma once

#include <QApplication>

// The application object: title, identity and the last catch of every
// exception that leaves an event handler.
class TimerApplication : public QApplication {
    Q_OBJECT
public:
    TimerApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    static QString title();
    // Maps the layouts' "宋体" to an installed Song-style CJK face.
    static void installFontSubstitutes();
};
