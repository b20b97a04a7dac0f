#include "Countdown.h"

#include "IntConvert.h"

#include <limits>

const QString& Countdown::startCaption()
{
    static const QString caption = QStringLiteral("启动");
    return caption;
}

const QString& Countdown::stopCaption()
{
    static const QString caption = QStringLiteral("停止");
    return caption;
}

void Countdown::click()
{
    // Converted first: a bad text changes nothing at all.
    counter_ = StrToInt(controls_.editText());
    controls_.setDisplay(countText(counter_));
    timer_.setEnabled(!timer_.enabled());
    controls_.setButtonCaption(timer_.enabled() ? stopCaption() : startCaption());
}

void Countdown::tick()
{
    if (counter_ <= 0) {
        if (controls_.loopTicked()) {
            counter_ = StrToInt(controls_.editText());
        } else {
            timer_.setEnabled(false);
            controls_.setButtonCaption(startCaption());
        }
    }
    if ((controls_.fiveSelected() && counter_ <= 5) || (!controls_.fiveSelected() &&
                                                        controls_.tenSelected() && counter_ <= 10))
        announcer_.announce(mode_, counter_);
    controls_.setDisplay(countText(counter_));
    // The lowest count stays put instead of overflowing.
    if (counter_ > std::numeric_limits<std::int32_t>::min())
        --counter_;
}
