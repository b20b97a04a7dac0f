#pragma once

#include <QString>

#include <exception>
#include <functional>

// The message as the error box shows it: a full stop is added when the text
// is not empty and its last character sorts after ".".
QString errorBoxText(const QString& message);

// Shows one error in a modal box with the application's title, the stop icon
// and one OK button. While a box is open, further reports wait and are shown
// after it, each distinct text once, and never the text of the box just shown.
void reportError(const QString& message);

// Reports the exception in flight: the project's exceptions with their
// message, EAbort not at all, anything else with an empty message.
void reportException(std::exception_ptr error);

// Tests: where boxes go instead of the screen (nullptr: the screen again).
void setErrorPresenter(std::function<void(const QString& text)> presenter);
