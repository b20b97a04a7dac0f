#include "TNeoForm.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>

namespace {

constexpr int kTop = 40, kBottom = 12, kLeft = 10, kRight = 13;
constexpr int kMinWidth = 200, kMinHeight = 60;
const QColor kFrameColor(0xCF, 0xCF, 0xCF);

TNeoForm* mainWindow = nullptr;

// Layouts give fonts in points at 96 pixels per inch; keep them that many
// pixels on every screen, as the positions are.
void fixFontPixels(QWidget* widget)
{
    if (widget->testAttribute(Qt::WA_SetFont) && widget->font().pointSizeF() > 0) {
        QFont font = widget->font();
        font.setPixelSize(qRound(font.pointSizeF() * 96.0 / 72.0));
        widget->setFont(font);
    }
}

// Where the window system will not let a client place its own window.
bool compositorMoves() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

} // namespace

TNeoForm::TNeoForm(QWidget* owner) : TNeoForm(owner, DerivedLayout{}) { frameSetUp(); }

TNeoForm::TNeoForm(QWidget* owner, DerivedLayout) : QWidget(owner, Qt::Window | Qt::FramelessWindowHint)
{
    setupUi(this);
}

bool TNeoForm::allowsMinimize() const { return property("borderIcons").toString().contains(QLatin1String("minimize")); }
bool TNeoForm::allowsMaximize() const { return property("borderIcons").toString().contains(QLatin1String("maximize")); }

void TNeoForm::setApplicationMainWindow(TNeoForm* window) { mainWindow = window; }
TNeoForm* TNeoForm::applicationMainWindow() { return mainWindow; }

void TNeoForm::frameSetUp()
{
    captionDragging = false;
    for (QWidget* edge : {static_cast<QWidget*>(TopImage), static_cast<QWidget*>(LeftImage),
                          static_cast<QWidget*>(RightImage), static_cast<QWidget*>(BottomLeftImage),
                          static_cast<QWidget*>(BottomCenterImage), static_cast<QWidget*>(BottomRightImage)})
        edge->setCursor(Qt::ArrowCursor);

    QPalette p = palette();
    p.setColor(QPalette::Window, kFrameColor);
    setPalette(p);
    setAutoFillBackground(true);

    CaptionLabel->setText(windowTitle());
    MinImage->setVisible(allowsMinimize());
    MaxImage->setVisible(allowsMaximize());
    RestoreImage->setVisible(false);
    MinImage->setToolTip(QStringLiteral("最小化"));
    MaxImage->setToolTip(QStringLiteral("最大化"));
    RestoreImage->setToolTip(QStringLiteral("还原"));
    CloseImage->setToolTip(QStringLiteral("关闭"));

    RightImage->setKeepHeight(true);
    CaptionLabel->installEventFilter(this);
    fixFontPixels(this);
    for (QWidget* child : findChildren<QWidget*>())
        fixFontPixels(child);
    setMinimumSize(kMinWidth, kMinHeight);
    requestSize(width(), height());
    layoutFrame();
}

std::optional<QSize> TNeoForm::FormCanResize(QSize requested, std::optional<QRect> area)
{
    if (requested.width() < kMinWidth || requested.height() < kMinHeight)
        return std::nullopt;
    QSize size = requested;
    if (area) {
        if (area->width() < size.width())
            size.setWidth(area->width());
        if (area->height() < size.height())
            size.setHeight(area->height());
    }
    return size;
}

std::optional<QRect> TNeoForm::workArea() const
{
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr)
        return std::nullopt;
    return s->availableGeometry();
}

bool TNeoForm::requestSize(int w, int h)
{
    const auto size = FormCanResize(QSize(w, h), workArea());
    if (size)
        resize(*size);
    return size.has_value();
}

void TNeoForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutFrame();
    // A change of size in the normal state keeps the maximise button.
    if (!isMaximized() && !isMinimized())
        showStateButtons();
}

void TNeoForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        showStateButtons();
}

void TNeoForm::showStateButtons()
{
    if (!allowsMaximize())
        return;
    MaxImage->setVisible(!isMaximized());
    RestoreImage->setVisible(isMaximized());
}

bool TNeoForm::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        // The title bar's pictures, from the first activation on.
        TopLeftImage->copyPictureFrom(*GetFTopLeftImage);
        TopCenterImage->copyPictureFrom(*GetFTopCenterImage);
        TopRightImage->copyPictureFrom(*GetFTopRightImage);
        TopPanel->repaint();
    }
    return handled;
}

// The strips span the width, the side edges fill the height between them,
// and what the derived layout marks as the client fills the rest.
void TNeoForm::layoutFrame()
{
    const int w = width();
    const int h = height();
    const int middle = std::max(0, h - kTop - kBottom);
    TopPanel->setGeometry(0, 0, w, kTop);
    BottomPanel->setGeometry(0, h - kBottom, w, kBottom);
    LeftImage->setGeometry(0, kTop, kLeft, middle);
    RightImage->setGeometry(w - RightImage->width(), kTop, RightImage->width(), middle);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->property("frameAlign").toString() == QLatin1String("client"))
            child->setGeometry(kLeft, kTop, std::max(0, w - kLeft - kRight), middle);
    }
    TopPanelResize();
    BottomPanelResize();
}

void TNeoForm::TopPanelResize()
{
    const int w = TopPanel->width();
    TopImage->setGeometry(0, 0, w, 6);
    CaptionLabel->setGeometry(82, 11, width() - 175, 31);
    CaptionLabel->lower();
    TopRightImage->move(w - TopRightImage->width(), 0);
    TopCenterImage->lower();
    TopCenterImage->move(TopLeftImage->x() + TopLeftImage->width(), 0);
    MinImage->move(w - 55, 4);
    MaxImage->move(w - 38, 4);
    RestoreImage->move(w - 38, 4);
    CloseImage->move(w - 21, 4);
    if (TopPanel->isVisible())
        TopPanel->repaint();
}

void TNeoForm::BottomPanelResize()
{
    const int w = BottomPanel->width();
    BottomCenterImage->setGeometry(8, 0, 1280 + w - 536, 12);
    BottomRightImage->setGeometry(w - 12, 0, 12, 12);
    if (BottomPanel->isVisible())
        BottomPanel->repaint();
}

bool TNeoForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CaptionLabel) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            CaptionLabelMouseDown(mouse->button(), mouse->position().toPoint());
            return true;
        }
        case QEvent::MouseMove:
            CaptionLabelMouseMove();
            return true;
        case QEvent::MouseButtonRelease:
            CaptionLabelMouseUp();
            return true;
        case QEvent::MouseButtonDblClick:
            CaptionLabelDblClick();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TNeoForm::CaptionLabelMouseDown(Qt::MouseButton, QPoint at)
{
    if (compositorMoves()) {
        // The compositor moves the window; the client cannot place itself.
        if (windowHandle() != nullptr)
            windowHandle()->startSystemMove();
        return;
    }
    captionDragging = true;
    captionGrabX = at.x() + CaptionLabel->x();
    captionGrabY = at.y() + CaptionLabel->y();
}

void TNeoForm::CaptionLabelMouseMove()
{
    if (!captionDragging || isMaximized())
        return;
    const QPoint target = dragTarget(pos(), QCursor::pos(), QPoint(captionGrabX, captionGrabY));
    if (target != pos())
        move(target);
}

void TNeoForm::CaptionLabelMouseUp() { captionDragging = false; }

QPoint TNeoForm::dragTarget(QPoint windowPos, QPoint cursor, QPoint grab)
{
    QPoint target = windowPos;
    const int newTop = cursor.y() - grab.y();
    if (newTop > 0)
        target.setY(newTop);
    const int newLeft = cursor.x() - grab.x();
    if (newLeft > 0)
        target.setX(newLeft);
    return target;
}

void TNeoForm::CaptionLabelDblClick()
{
    if (!allowsMaximize())
        return;
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void TNeoForm::MinImageClick()
{
    if (this == mainWindow)
        minimizeApplication();
    else
        showMinimized();
}

void TNeoForm::minimizeApplication()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->showMinimized();
    }
}

void TNeoForm::MaxImageClick() { showMaximized(); }
void TNeoForm::RestoreImageClick() { showNormal(); }
void TNeoForm::CloseImageClick() { close(); }
