#include "secondclerk.h"

#include <chrono>

namespace bv::test {

SecondClerk::SecondClerk(const ConnectionParams &params, std::function<void(const Db &)> prepare,
                         std::function<void(const Db &)> act)
{
    thread_ = std::thread([this, params, prepare = std::move(prepare), act = std::move(act)] {
        // Qt connections belong to the thread that made them.
        Db db(QStringLiteral("second_clerk"));
        try {
            QString error;
            if (!db.open(params, &error))
                throw DbError(error);
            prepare(db);
            pid_ = db.scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
            prepared_ = true;
            while (!go_)
                std::this_thread::yield();
            act(db);
        } catch (const DbError &e) {
            error_ = e.text();
        }
        prepared_ = true;
        done_ = true;
    });
    while (!prepared_)
        std::this_thread::yield();
}

SecondClerk::~SecondClerk()
{
    go_ = true;
    join();
}

bool SecondClerk::actNow(const Db &observer)
{
    go_ = true;
    // Bounded only so that a broken lock cannot hang the test run.
    for (int i = 0; i < 3000 && !done_; ++i) {
        if (observer.scalar(QStringLiteral("SELECT COUNT(*) FROM pg_locks WHERE pid = ? AND NOT granted"),
                            {qint64(pid_)})
                .toInt()
            > 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void SecondClerk::join()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace bv::test
