#pragma once

#include "ui_TNeoForm.h"

#include <QWidget>

// A window without a system frame that draws its own title bar and edges.
// A derived window applies its own layout after the frame's, onto the same
// window, and then calls frameSetUp().
class TNeoForm : public QWidget, public Ui::NeoFormLayout {
    Q_OBJECT
public:
    explicit TNeoForm(QWidget* owner = nullptr);

    bool allowsMinimize() const;
    bool allowsMaximize() const;

protected:
    struct DerivedLayout {};
    TNeoForm(QWidget* owner, DerivedLayout);

    void frameSetUp();

    void resizeEvent(QResizeEvent* event) override;

private:
    void placeClient();
};
