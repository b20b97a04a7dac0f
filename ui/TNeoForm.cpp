#include "TNeoForm.h"

#include <QResizeEvent>

namespace {
constexpr int kTop = 40, kBottom = 12, kLeft = 10, kRight = 13;
const QColor kFrameColor(0xCF, 0xCF, 0xCF);
} // namespace

TNeoForm::TNeoForm(QWidget* owner) : TNeoForm(owner, DerivedLayout{}) { frameSetUp(); }

TNeoForm::TNeoForm(QWidget* owner, DerivedLayout) : QWidget(owner, Qt::Window | Qt::FramelessWindowHint)
{
    setupUi(this);
}

bool TNeoForm::allowsMinimize() const { return property("borderIcons").toString().contains(QLatin1String("minimize")); }
bool TNeoForm::allowsMaximize() const { return property("borderIcons").toString().contains(QLatin1String("maximize")); }

// Layouts give fonts in points at 96 pixels per inch; keep them that many
// pixels on every screen, as the positions are.
static void fixFontPixels(QWidget* widget)
{
    if (widget->testAttribute(Qt::WA_SetFont) && widget->font().pointSizeF() > 0) {
        QFont font = widget->font();
        font.setPixelSize(qRound(font.pointSizeF() * 96.0 / 72.0));
        widget->setFont(font);
    }
}

void TNeoForm::frameSetUp()
{
    fixFontPixels(this);
    for (QWidget* child : findChildren<QWidget*>())
        fixFontPixels(child);
    QPalette p = palette();
    p.setColor(QPalette::Window, kFrameColor);
    setPalette(p);
    setAutoFillBackground(true);
    placeClient();
}

void TNeoForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeClient();
}

// What the derived layout marks as the client fills the area inside the frame.
void TNeoForm::placeClient()
{
    const QRect inner(kLeft, kTop, width() - kLeft - kRight, height() - kTop - kBottom);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->property("frameAlign").toString() == QLatin1String("client"))
            child->setGeometry(inner);
    }
}
