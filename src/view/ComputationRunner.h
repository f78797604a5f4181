#pragma once

// The main window's computations as the user sees them: a request runs on the
// worker (view/SheetComputation.h) while the status bar's bar and panel 0 show
// its progress, and the busy cursor appears once it has taken a noticeable
// time. The outcome is handed back through Finished(); what to do with it is
// the window's business.

#include "session/Session.h"
#include "view/SheetComputation.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QProgressBar;

namespace sw::gui {

class ComputationRunner : public QObject {
    Q_OBJECT

public:
    // `status` shows a text in panel 0.
    ComputationRunner(QProgressBar* bar, std::function<void(const QString&)> status,
                      QObject* parent = nullptr);
    ~ComputationRunner() override; // stops a running computation first

    // False (and nothing started) while a computation runs.
    bool Start(ComputeRequest request);
    bool Running() const;
    void Cancel();

    // A file is being read before its computation: the bar runs without a
    // measure meanwhile (`reading`), and shows while `busy`.
    void ShowReading(bool reading, bool busy);

    // The outcome of the computation that just ended; the bar and the busy
    // cursor are gone. Valid in Finished().
    ComputeOutcome TakeOutcome();

    // The delay before the busy cursor shows.
    static constexpr int BusyCursorDelayMs = 200;

signals:
    void Finished();

private:
    void EndBusyCursor();

    QProgressBar* bar_;
    std::function<void(const QString&)> status_;
    SheetComputation* computation_;
    QTimer busyCursor_;
    bool busyCursorShown_ = false;
};

// Runs the event loop while `busy` holds, for at most `timeoutMs`; true when
// it no longer holds.
bool WaitWhile(const std::function<bool()>& busy, int timeoutMs);

} // namespace sw::gui
