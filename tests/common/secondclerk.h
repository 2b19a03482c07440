#pragma once
// A second clerk acting at the very moment the first is inside a transaction,
// on a PostgreSQL connection of its own in another thread.
#include "db.h"

#include <atomic>
#include <functional>
#include <thread>

namespace bv::test {

class SecondClerk {
public:
    // Connects and runs `prepare` (loading a window's row, say) before returning;
    // `act` waits for actNow(). Errors of either are kept in error().
    SecondClerk(const ConnectionParams &params, std::function<void(const Db &)> prepare,
                std::function<void(const Db &)> act);
    ~SecondClerk();
    SecondClerk(const SecondClerk &) = delete;
    SecondClerk &operator=(const SecondClerk &) = delete;

    // Called by the first clerk inside its transaction: lets the second act and
    // returns once it waits on a lock held by someone (true) or has finished
    // without waiting (false). `observer` is a third connection, outside any
    // transaction.
    bool actNow(const Db &observer);
    // Waits for the second clerk to finish.
    void join();
    const QString &error() const { return error_; }

private:
    std::thread thread_;
    std::atomic<bool> prepared_ = false, go_ = false, done_ = false;
    std::atomic<qint64> pid_ = 0;
    QString error_;
};

}  // namespace bv::test
