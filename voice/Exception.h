#pragma once

#include <QString>

#include <exception>

// Base of every error that reaches the user's error box. The message is shown
// as it stands (the box adds the closing full stop).
class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// Silent abort: the error report drops it without a box.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};
