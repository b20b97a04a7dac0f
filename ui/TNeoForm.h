#pragma once

#include "ui_TNeoForm.h"

#include <QWidget>

#include <optional>

// A window without a system frame that draws its own title bar and edges
// from pictures and gives the behaviour the missing frame would have: the
// caption drag, the window buttons, the size limits.
// A derived window applies its own layout after the frame's, onto the same
// window, and then calls frameSetUp().
class TNeoForm : public QWidget, public Ui::NeoFormLayout {
    Q_OBJECT
public:
    explicit TNeoForm(QWidget* owner = nullptr);

    bool allowsMinimize() const;
    bool allowsMaximize() const;

    // The size rule for every change of size: below 200 x 60 refused whole
    // (nullopt), otherwise cut to the work area when one is known.
    static std::optional<QSize> FormCanResize(QSize requested, std::optional<QRect> workArea);
    // Resizes through the rule; false when refused.
    bool requestSize(int width, int height);

    // Where a caption drag puts the window: each axis alone, and only to
    // positive coordinates.
    static QPoint dragTarget(QPoint windowPos, QPoint cursor, QPoint grab);

    // The application's main window: its minimise button minimises the
    // whole application.
    static void setApplicationMainWindow(TNeoForm* window);
    static TNeoForm* applicationMainWindow();

    bool captionDragging = false;
    int captionGrabX = 0;
    int captionGrabY = 0;

public slots:
    void MinImageClick();
    void MaxImageClick();
    void RestoreImageClick();
    void CloseImageClick();
    void CaptionLabelDblClick();
    void TopPanelResize();
    void BottomPanelResize();

protected:
    struct DerivedLayout {};
    TNeoForm(QWidget* owner, DerivedLayout);

    void frameSetUp();
    // The frame's minimise of the whole application (no system command).
    virtual void minimizeApplication();

    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    void CaptionLabelMouseDown(Qt::MouseButton button, QPoint at);
    void CaptionLabelMouseMove();
    void CaptionLabelMouseUp();

private:
    void layoutFrame();
    void showStateButtons();
    std::optional<QRect> workArea() const;
};
