#pragma once

#include "ClipTable.h"
#include "ClockChime.h"
#include "Countdown.h"
#include "TMyThread.h"
#include "TNeoForm.h"
#include "Timer.h"
#include "ui_TForm1.h"

#include <QSystemTrayIcon>

#include <cstdint>
#include <functional>
#include <memory>

// The main window: the chime, both countdowns, the about page and the phrases
// that the workers speak.
class TForm1 : public TNeoForm, public Ui::Form1Layout, public PhraseSpeaker {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    Timer tmrSec{1000};
    Timer tmrHour{60000};
    Timer tmrMin{60000};

    // The tray icon; null where the desktop has no tray at all.
    QSystemTrayIcon* trycn1 = nullptr;

    std::int32_t secCount = 0;
    std::int32_t minCount = 0;
    ClipTable wavRes{};

    void SpeakTime(int hour, int minute) const override;
    void SpeakSeconds(int n) const override;
    void SpeakMinutes(int n) const override;

    // The maker's web page, opened by the links and on every close.
    static QUrl makerPage();
    static QIcon mainIcon();

    // What a click on the tray icon does: a left-click release restores and
    // raises the application; other clicks do nothing.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

    // Tests: where FormCreate looks for the clips (nullptr: the executable's
    // own), who takes the announcements, and a look at the window just before
    // FormCreate runs.
    static void setClipResources(const ResourceSet* resources);
    static void setAnnouncer(Announcer* announcer);
    static std::function<void(TForm1&)> beforeFormCreate;
    // Tests: make the tray icon even where no tray is known.
    static void setTrayForced(bool forced);

public slots:
    void lbl3Click();
    void lbl4Click();
    void tmrSecTimer();
    void FormCreate();
    void tmrHourTimer();
    void chkHourClick();
    void chkHalfClick();
    void btnStartClick();
    void FormClose();
    void tmrMinTimer();
    void btnMinStartClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void minimizeApplication() override;

private:
    void createTrayIcon();
    void fitLabels();

    bool centred_ = false;
    bool frameMinimizing_ = false;
    class Controls;
    std::unique_ptr<Controls> controls_;
    std::unique_ptr<ClockChime> chime_;
    std::unique_ptr<Countdown> seconds_;
    std::unique_ptr<Countdown> minutes_;
};

// The one main window, set once at start-up.
extern TForm1* Form1;
