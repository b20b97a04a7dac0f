#pragma once

#include "Exception.h"

#include <chrono>
#include <exception>
#include <memory>

// Raised when a worker's system thread cannot be had.
class EThread : public Exception {
public:
    using Exception::Exception;
};

// A one-shot thread in the manner the workers need: created suspended (the
// system thread exists and waits), started by Resume(), and, with
// FreeOnTerminate, destroyed on its own thread once Execute() has returned.
// An exception escaping Execute() is kept and destroyed with the object.
class WorkerThread {
public:
    explicit WorkerThread(bool createSuspended);
    virtual ~WorkerThread();

    void Resume();
    std::exception_ptr FatalException() const { return fatal_; }

    bool FreeOnTerminate = false;

    // Workers whose system thread has not yet ended.
    static int liveCount();
    // Waits until liveCount() is 0 or the timeout passes; true when none is left.
    static bool waitForAll(std::chrono::milliseconds timeout);

    // Test hook: the next construction fails as if the system had refused a
    // thread with this error code.
    static void failNextCreation(int errorCode);

    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

protected:
    virtual void Execute() = 0;

private:
    struct Gate;
    static void run(std::shared_ptr<Gate> gate);

    std::shared_ptr<Gate> gate_;
    std::exception_ptr fatal_;
};
