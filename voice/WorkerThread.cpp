#include "WorkerThread.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

std::mutex liveMutex;
std::condition_variable liveChanged;
int live = 0;
std::atomic<int> injectedFailure{0};

void liveAdd(int delta)
{
    std::lock_guard lock(liveMutex);
    live += delta;
    liveChanged.notify_all();
}

} // namespace

// Shared by the object and its thread, so that a worker destroyed before it
// was resumed can still let its waiting thread go.
struct WorkerThread::Gate {
    std::mutex m;
    std::condition_variable cv;
    WorkerThread* worker = nullptr; // null once abandoned
    bool resumed = false;
    bool finished = false;
};

WorkerThread::WorkerThread(bool createSuspended) : gate_(std::make_shared<Gate>())
{
    gate_->worker = this;
    gate_->resumed = !createSuspended;
    try {
        if (const int code = injectedFailure.exchange(0))
            throw std::system_error(code, std::system_category());
        liveAdd(1);
        try {
            std::thread(&WorkerThread::run, gate_).detach();
        } catch (...) {
            liveAdd(-1);
            throw;
        }
    } catch (const std::system_error& e) {
        throw EThread(QStringLiteral("Thread creation error: %1")
                          .arg(QString::fromLocal8Bit(e.code().message().c_str())));
    }
}

WorkerThread::~WorkerThread()
{
    std::unique_lock lock(gate_->m);
    if (!gate_->resumed) {
        gate_->worker = nullptr;
        gate_->cv.notify_all();
        return;
    }
    // Deleted by someone else while running: let Execute() end first.
    if (!gate_->finished && !FreeOnTerminate)
        gate_->cv.wait(lock, [this] { return gate_->finished; });
}

void WorkerThread::Resume()
{
    std::lock_guard lock(gate_->m);
    gate_->resumed = true;
    gate_->cv.notify_all();
}

void WorkerThread::run(std::shared_ptr<Gate> gate)
{
    WorkerThread* self = nullptr;
    {
        std::unique_lock lock(gate->m);
        gate->cv.wait(lock, [&] { return gate->resumed || gate->worker == nullptr; });
        self = gate->worker;
    }
    if (self != nullptr) {
        try {
            self->Execute();
        } catch (...) {
            self->fatal_ = std::current_exception();
        }
        bool freeSelf = false;
        {
            std::lock_guard lock(gate->m);
            gate->finished = true;
            freeSelf = self->FreeOnTerminate;
            gate->cv.notify_all();
        }
        if (freeSelf)
            delete self;
    }
    gate.reset();
    liveAdd(-1);
}

int WorkerThread::liveCount()
{
    std::lock_guard lock(liveMutex);
    return live;
}

bool WorkerThread::waitForAll(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(liveMutex);
    return liveChanged.wait_for(lock, timeout, [] { return live == 0; });
}

void WorkerThread::failNextCreation(int errorCode) { injectedFailure = errorCode; }
