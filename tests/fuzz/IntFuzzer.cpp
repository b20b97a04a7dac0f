// Any text as an edit's content: the conversion either throws its own error
// or returns a value whose decimal spelling matches the text's digits.
#include "IntConvert.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::int32_t value = 0;
    try {
        value = StrToInt(text);
    } catch (const EConvertError& e) {
        if (e.message() != QStringLiteral("'%1' is not a valid integer value").arg(text))
            std::abort();
        return 0;
    }
    // Decimal forms: leading spaces, a sign, digits; the value must spell them.
    QString rest = text;
    while (rest.startsWith(u' '))
        rest.remove(0, 1);
    const bool negative = rest.startsWith(u'-');
    if (rest.startsWith(u'+') || negative)
        rest.remove(0, 1);
    const bool hex = rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X') ||
                     rest.startsWith(QLatin1String("0x")) || rest.startsWith(QLatin1String("0X"));
    if (hex) {
        bool ok = false;
        const QString digits = rest.mid(rest.startsWith(u'0') ? 2 : 1);
        const quint32 pattern = digits.toUInt(&ok, 16);
        if (!ok || static_cast<std::int32_t>(pattern) != value || negative)
            std::abort();
        return 0;
    }
    while (rest.size() > 1 && rest.startsWith(u'0'))
        rest.remove(0, 1);
    const QString spelled = QString::number(value);
    if (spelled != (negative && rest != QLatin1String("0") ? u'-' + rest : rest))
        std::abort();
    return 0;
}
