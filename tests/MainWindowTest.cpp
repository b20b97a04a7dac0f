#include "TForm1.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

namespace {

class UrlSink : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDesktopServices::setUrlHandler("http", &sink, "open");
        window.show();
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler("http"); }
    UrlSink sink;
    TForm1 window;
};

QString caption(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return {};
}

} // namespace

TEST_F(MainWindowTest, StartState)
{
    EXPECT_EQ(window.size(), QSize(471, 321));
    EXPECT_EQ(window.windowTitle(), "Vantoli语音定时器");
    EXPECT_EQ(window.pgc1->currentWidget(), window.ts1);
    EXPECT_EQ(window.pgc1->tabText(0), "定时设置");
    EXPECT_EQ(window.pgc1->tabText(1), "关于帮助");
    EXPECT_EQ(window.lblTick->text(), "20:00");
    EXPECT_EQ(window.lblMinTick->text(), "10:00");
    EXPECT_TRUE(window.chkHour->isChecked());
    EXPECT_FALSE(window.chkHalf->isChecked());
    EXPECT_TRUE(window.rbFive->isChecked());
    EXPECT_FALSE(window.rbTen->isChecked());
    EXPECT_TRUE(window.rbMinFive->isChecked());
    EXPECT_FALSE(window.chkCircle->isChecked());
    EXPECT_FALSE(window.chkMinCircle->isChecked());
    EXPECT_EQ(window.btnStart->text(), "启动");
    EXPECT_EQ(window.btnMinStart->text(), "启动");
    EXPECT_EQ(window.edtSec->text(), "40");
    EXPECT_EQ(window.edtMin->text(), "30");
    const QRect screen = window.screen()->geometry();
    EXPECT_EQ(window.geometry().center().x(), screen.center().x()) << "centred";
    EXPECT_NEAR(window.geometry().center().y(), screen.center().y(), 1);
}

// Every control of the first page where the layout puts it, with its caption.
TEST_F(MainWindowTest, FirstPageControls)
{
    struct Row {
        QWidget* widget;
        QWidget* parent;
        QRect geometry;
        const char* caption;
    } rows[] = {
        {window.grp11, window.ts1, {10, 5, 206, 151}, "倒计时(秒)"},
        {window.lblTick, window.grp11, {130, 13, 65, 24}, "20:00"},
        {window.edtSec, window.grp11, {130, 41, 66, 24}, "40"},
        {window.rbFive, window.grp11, {15, 72, 121, 17}, "最后五秒报数"},
        {window.rbTen, window.grp11, {15, 97, 121, 17}, "最后十秒报数"},
        {window.chkCircle, window.grp11, {15, 124, 91, 17}, "循环计时"},
        {window.btnStart, window.grp11, {120, 119, 75, 25}, "启动"},
        {window.grp12, window.ts1, {225, 5, 206, 151}, "倒计时(分钟)"},
        {window.lblMinTick, window.grp12, {130, 13, 65, 24}, "10:00"},
        {window.edtMin, window.grp12, {130, 41, 66, 24}, "30"},
        {window.rbMinFive, window.grp12, {15, 72, 151, 17}, "最后五分钟报数"},
        {window.rbMinTen, window.grp12, {15, 97, 146, 17}, "最后十分钟报数"},
        {window.chkMinCircle, window.grp12, {15, 124, 91, 17}, "循环计时"},
        {window.btnMinStart, window.grp12, {120, 119, 75, 25}, "启动"},
        {window.grp1Timer, window.ts1, {10, 160, 206, 51}, "报时设置"},
        {window.chkHour, window.grp1Timer, {15, 24, 97, 17}, "整点报时"},
        {window.chkHalf, window.grp1Timer, {109, 24, 92, 17}, "半点报时"},
    };
    for (const Row& row : rows) {
        const std::string name = row.widget->objectName().toStdString();
        EXPECT_EQ(row.widget->parentWidget(), row.parent) << name;
        // Labels may have grown to their text; their top-left stays.
        if (qobject_cast<QLabel*>(row.widget))
            EXPECT_EQ(row.widget->pos(), row.geometry.topLeft()) << name;
        else
            EXPECT_EQ(row.widget->geometry(), row.geometry) << name;
        EXPECT_EQ(caption(row.widget), QString::fromUtf8(row.caption)) << name;
    }
    // The name labels of both countdowns.
    EXPECT_EQ(window.lbl5->text(), "倒计数(分:秒)：");
    EXPECT_EQ(window.lbl6->text(), "倒计时(秒)：");
    EXPECT_EQ(window.lbl7->text(), "倒计数(时:分)：");
    EXPECT_EQ(window.lbl9->text(), "倒计时(分)：");
    EXPECT_EQ(window.lbl5->pos(), QPoint(15, 20));
    EXPECT_EQ(window.lbl6->pos(), QPoint(15, 46));
    EXPECT_EQ(window.lbl7->pos(), QPoint(15, 20));
    EXPECT_EQ(window.lbl9->pos(), QPoint(15, 46));
    for (QLabel* display : {window.lblTick, window.lblMinTick}) {
        EXPECT_TRUE(display->font().bold());
        EXPECT_EQ(display->font().pixelSize(), 24);
        EXPECT_EQ(display->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
    EXPECT_EQ(window.font().pixelSize(), 16);
    EXPECT_EQ(window.font().family(), "宋体");
}

TEST_F(MainWindowTest, AboutPage)
{
    window.pgc1->setCurrentWidget(window.ts2);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.pnl1->width(), 170);
    EXPECT_EQ(window.pnl1->height(), window.ts2->height());
    EXPECT_EQ(window.pnl1->geometry().right(), window.ts2->width() - 1) << "aligned to the right edge";
    EXPECT_EQ(window.mmoHelp->geometry(), QRect(0, 0, window.ts2->width() - 170, window.ts2->height()));
    EXPECT_EQ(window.lbl1->text(), "Vantoli语音定时器");
    EXPECT_EQ(window.lbl2->text(), "版本：1.2.1129");
    EXPECT_EQ(window.lbl3->text(), "Vantoli工作室");
    EXPECT_EQ(window.lbl2->pos(), QPoint(29, 50));
    EXPECT_EQ(window.lbl3->pos(), QPoint(51, 115));
    EXPECT_EQ(window.lbl4->pos(), QPoint(23, 140));
    for (QLabel* link : {static_cast<QLabel*>(window.lbl3), static_cast<QLabel*>(window.lbl4)}) {
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_EQ(link->font().pixelSize(), 12);
    }
    const QStringList lines = window.mmoHelp->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], "Vantoli语音定时器说明：");
    EXPECT_EQ(lines[2], "1、可以设置语音报时；");
    EXPECT_EQ(lines[4], "2、可以设置倒计时并语音报数；");
    EXPECT_EQ(lines[6], "3、可以设置循环倒计时；");
    EXPECT_EQ(lines[9], "     Vantoli工作室  出品");
    EXPECT_EQ(lines[11], "     " + window.lbl4->text().prepend("http://") + "/");
    for (int i : {1, 3, 5, 7, 8, 10})
        EXPECT_TRUE(lines[i].isEmpty()) << i;
    EXPECT_FALSE(window.mmoHelp->isReadOnly());
    EXPECT_EQ(window.mmoHelp->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(window.mmoHelp->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(window.mmoHelp->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(MainWindowTest, NoCaptionIsClipped)
{
    for (QWidget* w : window.pgc1->findChildren<QWidget*>()) {
        const QString text = caption(w);
        if (text.isEmpty() || qobject_cast<QLineEdit*>(w))
            continue;
        const std::string name = w->objectName().toStdString();
        int needed = w->fontMetrics().horizontalAdvance(text);
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
            needed += w->style()->pixelMetric(QStyle::PM_IndicatorWidth) + w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        if (qobject_cast<QGroupBox*>(w))
            needed += 10;
        EXPECT_LE(needed, w->width()) << name;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_GE(label->height(), label->sizeHint().height()) << name;
            EXPECT_LE(label->geometry().right(), label->parentWidget()->width() - 1) << name;
        } else {
            EXPECT_GE(w->height(), w->font().pixelSize()) << name;
        }
    }
}

TEST_F(MainWindowTest, KeyboardOrder)
{
    const QList<QWidget*> expected = {window.chkHour, window.chkHalf, window.edtSec, window.chkCircle, window.btnStart,
                                      window.rbFive, window.rbTen, window.edtMin, window.chkMinCircle,
                                      window.btnMinStart, window.rbMinFive, window.rbMinTen};
    QList<QWidget*> order;
    QWidget* w = window.chkHour;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && window.ts1->isAncestorOf(w))
            order << w;
        w = w->nextInFocusChain();
    } while (w != window.chkHour);
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, LinksAndTheCloseOpenTheMakersPageOnceEach)
{
    window.pgc1->setCurrentWidget(window.ts2);
    QTest::mouseClick(window.lbl3, Qt::LeftButton);
    EXPECT_EQ(sink.urls.size(), 1);
    QTest::mouseClick(window.lbl4, Qt::LeftButton);
    EXPECT_EQ(sink.urls.size(), 2);
    QTest::mouseClick(window.lbl4, Qt::RightButton);
    EXPECT_EQ(sink.urls.size(), 2);
    EXPECT_TRUE(window.isVisible()) << "the links leave the window open";
    QTest::mouseClick(window.CloseImage, Qt::LeftButton);
    ASSERT_EQ(sink.urls.size(), 3);
    EXPECT_FALSE(window.isVisible());
    for (const QUrl& url : sink.urls)
        EXPECT_EQ(url, TForm1::makerPage());
    EXPECT_EQ(TForm1::makerPage().host(), "www.example.com") << "a reserved example domain";
}

TEST(MainWindow, NoTrayHostMeansNoTrayIcon)
{
    TForm1 window;
    EXPECT_EQ(window.trycn1 == nullptr, !QSystemTrayIcon::isSystemTrayAvailable());
}

TEST(MainWindow, TrayIcon)
{
    TForm1::setTrayForced(true);
    TForm1 window;
    TForm1::setTrayForced(false);
    window.show();
    ASSERT_NE(window.trycn1, nullptr);
    EXPECT_TRUE(window.trycn1->isVisible());
    EXPECT_EQ(window.trycn1->toolTip(), "Vantoli语音定时器");
    EXPECT_EQ(window.trycn1->contextMenu(), nullptr);
    window.showMinimized();
    for (auto reason : {QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::DoubleClick}) {
        window.trayActivated(reason);
        EXPECT_TRUE(window.isMinimized()) << reason;
    }
    window.trayActivated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
}

// A minimise from the window manager leaves only the tray icon; the frame's
// own button keeps the taskbar entry.
TEST(MainWindow, SystemMinimiseHidesToTheTray)
{
    TForm1::setTrayForced(true);
    TForm1 window;
    TForm1::setTrayForced(false);
    TNeoForm::setApplicationMainWindow(&window);
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    window.trayActivated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(window.MinImage, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
    window.trayActivated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window.isMinimized());
    TNeoForm::setApplicationMainWindow(nullptr);
}

TEST(MainWindow, TypedHelpTextIsGoneAtTheNextStart)
{
    QString original;
    {
        TForm1 first;
        original = first.mmoHelp->toPlainText();
        QTest::keyClicks(first.mmoHelp, "my notes");
        EXPECT_NE(first.mmoHelp->toPlainText(), original);
    }
    TForm1 second;
    EXPECT_EQ(second.mmoHelp->toPlainText(), original);
}

#include "MainWindowTest.moc"
