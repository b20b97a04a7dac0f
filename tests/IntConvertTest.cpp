#include "IntConvert.h"

#include <gtest/gtest.h>

#include <optional>

TEST(StrToInt, Table)
{
    struct Row {
        const char* text;
        std::optional<std::int32_t> value; // nullopt: not an integer
    } rows[] = {
        {"40", 40}, {" 7", 7}, {"   12", 12}, {"+5", 5}, {"-5", -5}, {"007", 7}, {"0", 0}, {"-0", 0},
        {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"$FF", 255}, {"$ff", 255}, {"0x1F", 31}, {"0X1f", 31}, {"X1f", 31}, {"x10", 16},
        {"$FFFFFFFF", -1}, {"$80000000", INT32_MIN}, {"$000000001", 1}, {"$100000000", std::nullopt},
        {"0x", std::nullopt}, {"$", std::nullopt}, {"x", std::nullopt}, {"", std::nullopt}, {" ", std::nullopt},
        {"40 ", std::nullopt}, {"4 0", std::nullopt}, {"abc", std::nullopt}, {"１２", std::nullopt},
        {"+$10", std::nullopt}, {"-0x10", std::nullopt}, {"0x-1", std::nullopt}, {"$G", std::nullopt},
        {"+", std::nullopt}, {"-", std::nullopt}, {"--1", std::nullopt}, {"1.5", std::nullopt},
        {"\t1", std::nullopt}, {"00x1", std::nullopt},
    };
    for (const Row& row : rows) {
        const QString text = QString::fromUtf8(row.text);
        if (row.value) {
            EXPECT_EQ(StrToInt(text), *row.value) << row.text;
            continue;
        }
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted '" << row.text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text)) << row.text;
        }
    }
}

TEST(CountText, Table)
{
    struct Row {
        std::int32_t count;
        const char* text;
    } rows[] = {{40, "0:40"}, {125, "2:5"}, {3600, "60:0"}, {0, "0:0"}, {-1, "0:-1"}, {-61, "-1:-1"},
                {90, "1:30"}, {INT32_MIN, "-35791394:-8"}};
    for (const Row& row : rows)
        EXPECT_EQ(countText(row.count).toStdString(), row.text) << row.count;
}
