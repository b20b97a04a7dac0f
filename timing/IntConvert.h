#pragma once

#include "Exception.h"

#include <QString>

#include <cstdint>

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An edit's text as a 32-bit signed integer: leading spaces, one optional
// sign and decimal digits, or a hexadecimal pattern after "$", "x" or "0x"
// (no sign, at most eight significant digits). Anything else throws
// EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(const QString& text);

// The countdown display: c / 60, ":", c % 60, unpadded, truncating.
QString countText(std::int32_t count);
