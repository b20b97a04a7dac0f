#pragma once

#include <QImage>
#include <QWidget>

// A picture element of the frame: draws its picture at natural size from its
// top-left corner, clipped, never stretched; with autoSize it takes the
// picture's size (only its width when `keepHeight`). Without a picture it
// draws nothing and what lies under it shows through.
class TImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString picture READ pictureSource WRITE setPicture)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit TImage(QWidget* parent = nullptr);

    QString pictureSource() const { return source_; }
    void setPicture(const QString& resourcePath);
    const QImage& image() const { return image_; }
    void setImage(const QImage& image);
    // Puts a copy of another element's picture in.
    void copyPictureFrom(const TImage& other) { setImage(other.image_); }

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on) { autoSize_ = on; }
    void setKeepHeight(bool on) { keepHeight_ = on; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString source_;
    QImage image_;
    bool autoSize_ = false;
    bool keepHeight_ = false;
    bool pressed_ = false;
};
