#include "support/wait_until.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace sw::testing {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // Results of worker threads arrive as queued events; give them a moment to be posted.
    QThread::msleep(1);
  }
  return true;
}

}  // namespace sw::testing
