#include "TImage.h"

#include "Picture.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::setPicture(const QString& resourcePath)
{
    source_ = resourcePath;
    setImage(loadPicture(resourcePath));
}

void TImage::setImage(const QImage& image)
{
    image_ = image;
    if (autoSize_ && !image_.isNull())
        resize(image_.width(), keepHeight_ ? height() : image_.height());
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void TImage::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
