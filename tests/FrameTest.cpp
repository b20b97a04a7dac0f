#include "Picture.h"
#include "TForm1.h"
#include "TNeoForm.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

void activate(QWidget& w)
{
    QEvent event(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&w, &event);
}

void deactivate(QWidget& w)
{
    QEvent event(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&w, &event);
}

QColor pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

bool isBlue(QColor c) { return c.blue() > c.red() + 40 && c.blue() > c.green() + 20; }
bool isGrey(QColor c) { return std::abs(c.red() - c.blue()) < 16 && std::abs(c.red() - c.green()) < 16 && c.red() > 150; }

} // namespace

TEST(Frame, MainWindowGeometry)
{
    TForm1 window;
    window.show();
    ASSERT_EQ(window.width(), 471);
    EXPECT_EQ(window.TopPanel->geometry(), QRect(0, 0, 471, 40));
    EXPECT_EQ(window.CaptionLabel->geometry(), QRect(82, 11, 296, 31));
    EXPECT_EQ(window.TopRightImage->x(), 377);
    EXPECT_EQ(window.TopCenterImage->x(), 81);
    EXPECT_EQ(window.MinImage->pos(), QPoint(416, 4));
    EXPECT_EQ(window.MaxImage->pos(), QPoint(433, 4));
    EXPECT_EQ(window.RestoreImage->pos(), QPoint(433, 4));
    EXPECT_EQ(window.CloseImage->geometry(), QRect(450, 4, 17, 19));
    EXPECT_EQ(window.TopImage->geometry(), QRect(0, 0, 471, 6));
    EXPECT_EQ(window.ControlBoxImage->geometry(), QRect(4, 5, 37, 21));
    EXPECT_EQ(window.BottomPanel->geometry(), QRect(0, 309, 471, 12));
    EXPECT_EQ(window.BottomCenterImage->geometry(), QRect(8, 0, 1215, 12));
    EXPECT_EQ(window.BottomRightImage->geometry(), QRect(459, 0, 12, 12));
    EXPECT_EQ(window.LeftImage->geometry(), QRect(0, 40, 10, 269));
    EXPECT_EQ(window.RightImage->geometry(), QRect(458, 40, 13, 269));
    EXPECT_EQ(window.pgc1->geometry(), QRect(10, 40, 448, 269)) << "the content fills the client area";
    EXPECT_EQ(window.CaptionLabel->text(), "Vantoli语音定时器");
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(207, 207, 207));
}

TEST(Frame, StackingOrderOfTheTopStrip)
{
    TForm1 window;
    const QStringList expected = {"TopCenterImage", "CaptionLabel", "TopRightImage", "TopLeftImage", "ControlBoxImage",
                                  "TopImage", "MinImage", "RestoreImage", "MaxImage", "CloseImage"};
    QStringList order;
    for (QObject* child : window.TopPanel->children())
        if (child->isWidgetType())
            order << child->objectName();
    EXPECT_EQ(order, expected);
    QStringList bottom;
    for (QObject* child : window.BottomPanel->children())
        bottom << child->objectName();
    EXPECT_EQ(bottom, (QStringList{"BottomLeftImage", "BottomCenterImage", "BottomRightImage"}));
}

TEST(Frame, ButtonsFollowTheBorderIcons)
{
    TForm1 main;
    main.show();
    EXPECT_TRUE(main.MinImage->isVisible());
    EXPECT_FALSE(main.MaxImage->isVisible());
    EXPECT_FALSE(main.RestoreImage->isVisible());
    EXPECT_TRUE(main.CloseImage->isVisible());
    EXPECT_EQ(main.MinImage->toolTip(), "最小化");
    EXPECT_EQ(main.CloseImage->toolTip(), "关闭");

    TNeoForm plain;
    plain.show();
    EXPECT_TRUE(plain.MinImage->isVisible());
    EXPECT_TRUE(plain.MaxImage->isVisible());
    EXPECT_FALSE(plain.RestoreImage->isVisible());
    EXPECT_EQ(plain.MaxImage->toolTip(), "最大化");
    EXPECT_EQ(plain.RestoreImage->toolTip(), "还原");
}

TEST(Frame, MaximiseAndRestoreSwapWithTheWindowState)
{
    TNeoForm plain;
    plain.show();
    QTest::mouseClick(plain.MaxImage, Qt::LeftButton);
    ASSERT_TRUE(plain.isMaximized());
    EXPECT_FALSE(plain.MaxImage->isVisible());
    EXPECT_TRUE(plain.RestoreImage->isVisible());
    QTest::mouseClick(plain.RestoreImage, Qt::LeftButton);
    ASSERT_FALSE(plain.isMaximized());
    EXPECT_TRUE(plain.MaxImage->isVisible());
    EXPECT_FALSE(plain.RestoreImage->isVisible());
    plain.requestSize(400, 300);
    EXPECT_TRUE(plain.MaxImage->isVisible()) << "an ordinary resize keeps the maximise button";

    // The caption's double-click toggles only where maximising is allowed.
    QTest::mouseDClick(plain.CaptionLabel, Qt::LeftButton);
    EXPECT_TRUE(plain.isMaximized());
    QTest::mouseDClick(plain.CaptionLabel, Qt::LeftButton);
    EXPECT_FALSE(plain.isMaximized());
    TForm1 main;
    main.show();
    QTest::mouseDClick(main.CaptionLabel, Qt::LeftButton);
    EXPECT_FALSE(main.isMaximized());
}

TEST(Frame, SizeRequestRule)
{
    const QRect area(0, 0, 1024, 700);
    struct Row {
        QSize requested;
        std::optional<QSize> result;
    } rows[] = {
        {{200, 60}, QSize(200, 60)}, {{199, 300}, std::nullopt}, {{300, 59}, std::nullopt},
        {{199, 5000}, std::nullopt}, {{471, 321}, QSize(471, 321)}, {{2000, 321}, QSize(1024, 321)},
        {{471, 900}, QSize(471, 700)}, {{3000, 3000}, QSize(1024, 700)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TNeoForm::FormCanResize(row.requested, area), row.result) << row.requested.width() << "x" << row.requested.height();
    EXPECT_EQ(TNeoForm::FormCanResize({5000, 5000}, std::nullopt), QSize(5000, 5000)) << "no work area, no upper limit";

    TNeoForm plain;
    plain.show();
    plain.move(30, 40);
    const QSize before = plain.size();
    EXPECT_FALSE(plain.requestSize(150, 300));
    EXPECT_EQ(plain.size(), before);
    EXPECT_TRUE(plain.requestSize(100000, 300));
    EXPECT_EQ(plain.width(), plain.screen()->availableGeometry().width());
    EXPECT_EQ(plain.pos(), QPoint(30, 40)) << "the position is kept";
}

TEST(Frame, CaptionDragTable)
{
    struct Row {
        QPoint window, cursor, grab, result;
    } rows[] = {
        {{100, 100}, {250, 130}, {150, 20}, {100, 110}},   // ordinary move
        {{100, 100}, {300, 10}, {150, 20}, {150, 100}},    // would reach row 0: top stays, left moves
        {{100, 100}, {100, 300}, {150, 20}, {100, 280}},   // would pass the left edge: left stays
        {{100, 100}, {150, 20}, {150, 20}, {100, 100}},    // both at exactly 0: nothing moves
        {{100, 100}, {151, 21}, {150, 20}, {1, 1}},        // 1 is the lowest reachable
        {{5, 5}, {-300, -300}, {150, 20}, {5, 5}},         // screens left of or above: unreachable
    };
    for (const Row& row : rows)
        EXPECT_EQ(TNeoForm::dragTarget(row.window, row.cursor, row.grab), row.result)
            << row.cursor.x() << "," << row.cursor.y();
}

TEST(Frame, CaptionDragWithAnyButtonAndNotWhileMaximised)
{
    TNeoForm plain;
    plain.show();
    plain.move(100, 100);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(plain.CaptionLabel, button, {}, QPoint(10, 5));
        EXPECT_TRUE(plain.captionDragging);
        EXPECT_EQ(plain.captionGrabX, 92);
        EXPECT_EQ(plain.captionGrabY, 16);
        QTest::mouseRelease(plain.CaptionLabel, button, {}, QPoint(10, 5));
        EXPECT_FALSE(plain.captionDragging);
    }
    plain.showMaximized();
    const QPoint at = plain.pos();
    QTest::mousePress(plain.CaptionLabel, Qt::LeftButton, {}, QPoint(10, 5));
    QCursor::setPos(600, 500);
    QTest::mouseMove(plain.CaptionLabel, QPoint(300, 200));
    EXPECT_EQ(plain.pos(), at);
    QTest::mouseRelease(plain.CaptionLabel, Qt::LeftButton, {}, QPoint(10, 5));
}

TEST(Frame, ControlBoxClosesOnADoubleClickOnly)
{
    TNeoForm plain;
    plain.show();
    QTest::mouseClick(plain.ControlBoxImage, Qt::LeftButton);
    EXPECT_TRUE(plain.isVisible());
    QTest::mouseClick(plain.TopImage, Qt::LeftButton, {}, QPoint(200, 2));
    EXPECT_TRUE(plain.isVisible()) << "the top band does nothing";
    QTest::mouseDClick(plain.ControlBoxImage, Qt::LeftButton);
    EXPECT_FALSE(plain.isVisible());
}

TEST(Frame, MinimiseButtons)
{
    TForm1 main;
    TNeoForm other;
    main.show();
    other.show();
    TNeoForm::setApplicationMainWindow(&main);
    QTest::mouseClick(other.MinImage, Qt::LeftButton);
    EXPECT_TRUE(other.isMinimized());
    EXPECT_FALSE(main.isMinimized()) << "another frame window minimises alone";
    other.showNormal();
    QTest::mouseClick(main.MinImage, Qt::LeftButton);
    EXPECT_TRUE(main.isMinimized()) << "the main window minimises the whole application";
    EXPECT_TRUE(other.isMinimized());
    EXPECT_TRUE(main.isVisible()) << "and keeps its taskbar entry";
    TNeoForm::setApplicationMainWindow(nullptr);
}

TEST(Frame, EdgesKeepTheDefaultCursor)
{
    TForm1 window;
    for (QWidget* edge : {static_cast<QWidget*>(window.TopImage), static_cast<QWidget*>(window.LeftImage),
                          static_cast<QWidget*>(window.RightImage), static_cast<QWidget*>(window.BottomLeftImage),
                          static_cast<QWidget*>(window.BottomCenterImage), static_cast<QWidget*>(window.BottomRightImage)})
        EXPECT_EQ(edge->cursor().shape(), Qt::ArrowCursor) << edge->objectName().toStdString();
}

TEST(Frame, TitlePicturesArriveWithTheFirstActivation)
{
    TForm1 window;
    EXPECT_TRUE(window.TopLeftImage->image().isNull());
    EXPECT_TRUE(window.TopCenterImage->image().isNull());
    EXPECT_TRUE(window.TopRightImage->image().isNull());
    activate(window);
    EXPECT_EQ(window.TopLeftImage->image().size(), QSize(81, 49));
    EXPECT_EQ(window.TopCenterImage->image().size(), QSize(1280, 49));
    EXPECT_EQ(window.TopRightImage->image().size(), QSize(94, 49));
    deactivate(window);
    EXPECT_FALSE(window.TopLeftImage->image().isNull()) << "deactivation leaves them";
}

// The pictures as stored: sizes, baseline 4:4:4 JPEG or 24-bit uncompressed
// BMP, and the look of a few rows.
TEST(Frame, PictureFilesAndTheirLook)
{
    struct Row {
        const char* name;
        int width, height;
    } rows[] = {{"Left.jpg", 10, 800}, {"Right.jpg", 13, 800}, {"TopLeft.jpg", 81, 49}, {"TopCenter.bmp", 1280, 49},
                {"TopRight.jpg", 94, 49}, {"Minimize.jpg", 17, 19}, {"Maximize.jpg", 17, 19}, {"Restore.jpg", 17, 19},
                {"Close.jpg", 17, 19}, {"BottomLeft.jpg", 10, 12}, {"BottomCenter.bmp", 1280, 12},
                {"BottomRight.jpg", 13, 12}};
    for (const Row& row : rows) {
        const QString path = QStringLiteral(":/frame/") + row.name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << row.name;
        const QByteArray bytes = file.readAll();
        const QImage image = loadPicture(path);
        EXPECT_EQ(image.size(), QSize(row.width, row.height)) << row.name;
        if (path.endsWith(".jpg")) {
            EXPECT_TRUE(bytes.startsWith("\xFF\xD8\xFF\xE0")) << "JFIF " << row.name;
            const int sof = bytes.indexOf("\xFF\xC0");
            ASSERT_GT(sof, 0) << "baseline " << row.name;
            EXPECT_EQ(bytes.indexOf("\xFF\xC2"), -1) << "not progressive " << row.name;
            EXPECT_EQ(std::uint8_t(bytes[sof + 4]), 8) << "8-bit " << row.name;
            ASSERT_EQ(std::uint8_t(bytes[sof + 9]), 3) << "three components " << row.name;
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(std::uint8_t(bytes[sof + 11 + 3 * c]), 0x11) << "no subsampling " << row.name;
        } else {
            EXPECT_TRUE(bytes.startsWith("BM")) << row.name;
            EXPECT_EQ(std::uint8_t(bytes[28]), 24) << "24 bits " << row.name;
            EXPECT_EQ(std::uint8_t(bytes[30]), 0) << "uncompressed " << row.name;
        }
    }
    const QImage band = loadPicture(":/frame/TopCenter.bmp");
    EXPECT_TRUE(isGrey(pixel(band, 600, 3))) << "light grey on top";
    EXPECT_GT(pixel(band, 600, 3).red(), 215);
    EXPECT_TRUE(isBlue(pixel(band, 600, 15))) << "dark blue behind the caption";
    EXPECT_LT(pixel(band, 600, 15).blue(), 170);
    EXPECT_NE(pixel(band, 600, 14), pixel(band, 600, 15)) << "with fine stripes";
    EXPECT_TRUE(isBlue(pixel(band, 600, 32)));
    EXPECT_GT(pixel(band, 600, 32).blue(), pixel(band, 600, 15).blue()) << "a lighter blue below";
    EXPECT_TRUE(isGrey(pixel(band, 600, 46))) << "grey again below row 43";
    EXPECT_EQ(pixel(band, 0, 15), pixel(band, 1279, 15)) << "uniform along each row";
    const QImage bottom = loadPicture(":/frame/BottomCenter.bmp");
    EXPECT_TRUE(isGrey(pixel(bottom, 100, 0)));
    EXPECT_TRUE(isBlue(pixel(bottom, 100, 11))) << "darkening to deep blue";
    const QImage close = loadPicture(":/frame/Close.jpg");
    EXPECT_GT(pixel(close, 2, 4).red(), 150) << "the close square is red";
    EXPECT_TRUE(isGrey(pixel(close, 8, 9)) || pixel(close, 8, 9).lightness() > 200) << "with a white cross";
    const QImage minimise = loadPicture(":/frame/Minimize.jpg");
    EXPECT_GT(pixel(minimise, 3, 5).green(), pixel(minimise, 3, 5).red() + 40) << "the minimise square is green";
}

TEST(Frame, BrokenJpegIsANullPicture)
{
    EXPECT_TRUE(decodeJpeg(QByteArray("\xFF\xD8\xFF\xE0 not really")).isNull());
    EXPECT_TRUE(decodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(loadPicture(":/frame/none.jpg").isNull());
}
