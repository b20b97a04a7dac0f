#include "IntConvert.h"

#include <limits>

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

[[noreturn]] void invalid(const QString& text)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

} // namespace

std::int32_t StrToInt(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    bool signed_ = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        signed_ = true;
        ++i;
    }

    bool hex = false;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == n || (hex && signed_))
        invalid(text);

    if (hex) {
        std::uint32_t value = 0;
        int significant = 0;
        for (; i < n; ++i) {
            const int d = hexDigit(text[i]);
            if (d < 0)
                invalid(text);
            if (significant > 0 || d != 0)
                ++significant;
            if (significant > 8)
                invalid(text);
            value = value << 4 | static_cast<std::uint32_t>(d);
        }
        return static_cast<std::int32_t>(value);
    }

    // Accumulated as a magnitude so that -2147483648 fits.
    const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 1
                                         : std::uint64_t(std::numeric_limits<std::int32_t>::max());
    std::uint64_t magnitude = 0;
    for (; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < '0' || u > '9')
            invalid(text);
        magnitude = magnitude * 10 + (u - '0');
        if (magnitude > limit)
            invalid(text);
    }
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

QString countText(std::int32_t count)
{
    return QString::number(count / 60) + u':' + QString::number(count % 60);
}
