#include "ErrorReport.h"

#include "Exception.h"
#include "TimerApplication.h"

#include <QMessageBox>
#include <QStringList>

namespace {

std::function<void(const QString&)> presenter;
bool boxOpen = false;
QString shownText;
QStringList waiting;

void present(const QString& text)
{
    if (presenter) {
        presenter(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, TimerApplication::title(), text, QMessageBox::Ok);
    box.exec();
}

} // namespace

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void reportError(const QString& message)
{
    const QString text = errorBoxText(message);
    if (boxOpen) {
        // The ticks that go on while a box is open must not pile boxes up.
        if (text != shownText && !waiting.contains(text))
            waiting.append(text);
        return;
    }
    boxOpen = true;
    shownText = text;
    present(text);
    while (!waiting.isEmpty()) {
        shownText = waiting.takeFirst();
        present(shownText);
    }
    shownText.clear();
    boxOpen = false;
}

void reportException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        reportError(e.message());
    } catch (...) {
        reportError(QString());
    }
}

void setErrorPresenter(std::function<void(const QString&)> p) { presenter = std::move(p); }
