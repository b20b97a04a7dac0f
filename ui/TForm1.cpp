#include "TForm1.h"

#include "ErrorReport.h"
#include "Phrases.h"
#include "TimerApplication.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

TForm1* Form1 = nullptr;
std::function<void(TForm1&)> TForm1::beforeFormCreate;

namespace {

const ResourceSet* clipResources = nullptr;
bool trayForced = false;
WorkerAnnouncer workerAnnouncer;
Announcer* announcer = &workerAnnouncer;

// One countdown's widgets, as the engine sees them.
class CountdownWidgets : public CountdownControls {
public:
    CountdownWidgets(QLineEdit* edit, QLabel* display, QRadioButton* five, QRadioButton* ten,
                     QCheckBox* loop, QPushButton* button)
        : edit_(edit), display_(display), five_(five), ten_(ten), loop_(loop), button_(button) {}

    QString editText() const override { return edit_->text(); }
    void setDisplay(const QString& text) override { display_->setText(text); }
    bool fiveSelected() const override { return five_->isChecked(); }
    bool tenSelected() const override { return ten_->isChecked(); }
    bool loopTicked() const override { return loop_->isChecked(); }
    void setButtonCaption(const QString& caption) override { button_->setText(caption); }

private:
    QLineEdit* edit_;
    QLabel* display_;
    QRadioButton* five_;
    QRadioButton* ten_;
    QCheckBox* loop_;
    QPushButton* button_;
};

class ChimeBoxes : public ChimeControls {
public:
    ChimeBoxes(QCheckBox* hour, QCheckBox* half) : hour_(hour), half_(half) {}
    bool onTheHour() const override { return hour_->isChecked(); }
    bool onTheHalfHour() const override { return half_->isChecked(); }

private:
    QCheckBox* hour_;
    QCheckBox* half_;
};

// Forwards to whichever announcer is installed when the tick comes.
class CurrentAnnouncer : public Announcer {
public:
    void announce(int mode, int first, int second) override { announcer->announce(mode, first, second); }
};
CurrentAnnouncer currentAnnouncer;

} // namespace

class TForm1::Controls {
public:
    explicit Controls(TForm1& w)
        : seconds(w.edtSec, w.lblTick, w.rbFive, w.rbTen, w.chkCircle, w.btnStart),
          minutes(w.edtMin, w.lblMinTick, w.rbMinFive, w.rbMinTen, w.chkMinCircle, w.btnMinStart),
          chime(w.chkHour, w.chkHalf) {}
    CountdownWidgets seconds;
    CountdownWidgets minutes;
    ChimeBoxes chime;
};

TForm1::TForm1() : TNeoForm(nullptr, DerivedLayout{})
{
    Ui::Form1Layout::setupUi(this);
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(mainIcon());
    // The group boxes' captions sit on their frame lines, as the positions
    // inside them expect.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #a8a8a8; border-radius: 2px; margin-top: 8px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }"));
    createTrayIcon();
    frameSetUp();
    fitLabels();

    tmrSec.onTimer = [this] { tmrSecTimer(); };
    tmrHour.onTimer = [this] { tmrHourTimer(); };
    tmrMin.onTimer = [this] { tmrMinTimer(); };
    controls_ = std::make_unique<Controls>(*this);
    chime_ = std::make_unique<ClockChime>(controls_->chime, tmrHour, currentAnnouncer);
    seconds_ = std::make_unique<Countdown>(secCount, controls_->seconds, tmrSec, currentAnnouncer, 2);
    minutes_ = std::make_unique<Countdown>(minCount, controls_->minutes, tmrMin, currentAnnouncer, 3);

    secCount = 0;
    minCount = 0;

    if (beforeFormCreate)
        beforeFormCreate(*this);
    // An error here is shown and the window is still made.
    try {
        FormCreate();
    } catch (...) {
        reportException(std::current_exception());
    }
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    if (clipResources != nullptr) {
        loadClips(wavRes, *clipResources);
    } else {
        const EmbeddedResources embedded;
        loadClips(wavRes, embedded);
    }
    chime_->arm();
}

void TForm1::SpeakTime(int hour, int minute) const { voice::speak(wavRes, voice::timePhrase(hour, minute)); }
void TForm1::SpeakSeconds(int n) const { voice::speak(wavRes, voice::secondsPhrase(n)); }
void TForm1::SpeakMinutes(int n) const { voice::speak(wavRes, voice::minutesPhrase(n)); }

QUrl TForm1::makerPage() { return QUrl(QStringLiteral("http://www.example.com/")); }

QIcon TForm1::mainIcon() { return QIcon(QPixmap(QStringLiteral(":/icon/icon.bmp"))); }

void TForm1::createTrayIcon()
{
    // Many Linux desktops have no tray host; the timer then runs without one.
    if (!QSystemTrayIcon::isSystemTrayAvailable() && !trayForced)
        return;
    trycn1 = new QSystemTrayIcon(mainIcon(), this);
    trycn1->setToolTip(TimerApplication::title());
    connect(trycn1, &QSystemTrayIcon::activated, this, &TForm1::trayActivated);
    trycn1->show();
    if (!trycn1->isVisible())
        throw Exception(QStringLiteral("Cannot Create System Shell Notification Icon"));
}

void TForm1::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    showNormal();
    raise();
    activateWindow();
}

// Labels take the size of their text, as far as they need to, from their
// left edge and top; the layout's sizes were made for narrower fonts.
void TForm1::fitLabels()
{
    for (QLabel* label : pgc1->findChildren<QLabel*>()) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const QSize hint = label->sizeHint();
        const QSize size(std::max(label->width(), hint.width()), std::max(label->height(), hint.height()));
        if (size == label->size())
            continue;
        int left = label->x();
        if (QWidget* parent = label->parentWidget(); left + size.width() > parent->width() - 2)
            left = std::max(0, parent->width() - 2 - size.width());
        label->setGeometry(left, label->y(), size.width(), size.height());
    }
}

void TForm1::showEvent(QShowEvent* event)
{
    TNeoForm::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen* s = screen()) {
        const QRect area = s->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void TForm1::minimizeApplication()
{
    frameMinimizing_ = true;
    TNeoForm::minimizeApplication();
    frameMinimizing_ = false;
}

void TForm1::changeEvent(QEvent* event)
{
    TNeoForm::changeEvent(event);
    // A minimise from the taskbar or the window manager leaves only the tray
    // icon; the frame's own button keeps the taskbar entry. Without a tray the
    // window stays reachable on the taskbar.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && !frameMinimizing_ && trycn1 != nullptr)
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                hide();
        });
}

void TForm1::setClipResources(const ResourceSet* resources) { clipResources = resources; }
void TForm1::setTrayForced(bool forced) { trayForced = forced; }
void TForm1::setAnnouncer(Announcer* a) { announcer = a != nullptr ? a : &workerAnnouncer; }

void TForm1::lbl3Click() { QDesktopServices::openUrl(makerPage()); }
void TForm1::lbl4Click() { QDesktopServices::openUrl(makerPage()); }

void TForm1::tmrHourTimer() { chime_->tick(); }
void TForm1::chkHourClick() { chime_->arm(); }
void TForm1::chkHalfClick() { chime_->arm(); }

void TForm1::btnStartClick() { seconds_->click(); }
void TForm1::tmrSecTimer() { seconds_->tick(); }
void TForm1::btnMinStartClick() { minutes_->click(); }
void TForm1::tmrMinTimer() { minutes_->tick(); }

void TForm1::FormClose() { QDesktopServices::openUrl(makerPage()); }

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
    // The main window's close ends the run.
    if (Form1 == this)
        QCoreApplication::quit();
}
