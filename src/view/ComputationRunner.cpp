#include "view/ComputationRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProgressBar>

#include <utility>

namespace sw::gui {

ComputationRunner::ComputationRunner(QProgressBar* bar, std::function<void(const QString&)> status,
                                     QObject* parent)
    : QObject(parent), bar_(bar), status_(std::move(status)),
      computation_(new SheetComputation(this)) {
    // The busy cursor only for a computation that takes a noticeable time.
    busyCursor_.setSingleShot(true);
    busyCursor_.setInterval(BusyCursorDelayMs);
    connect(&busyCursor_, &QTimer::timeout, this, [this] {
        busyCursorShown_ = true;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    });
    connect(computation_, &SheetComputation::Progress, this,
            [this](const QString& text, int percent) {
                status_(text);
                if (percent >= 0) {
                    bar_->setValue(percent);
                }
            });
    connect(computation_, &SheetComputation::Finished, this, &ComputationRunner::Finished);
}

ComputationRunner::~ComputationRunner() {
    delete computation_;
    EndBusyCursor();
}

bool ComputationRunner::Start(ComputeRequest request) {
    if (!computation_->Start(request.settings, std::move(request.feature))) {
        return false;
    }
    bar_->setValue(0);
    bar_->show();
    busyCursor_.start();
    return true;
}

bool ComputationRunner::Running() const {
    return computation_->Running();
}

void ComputationRunner::Cancel() {
    computation_->Cancel();
}

void ComputationRunner::ShowReading(bool reading, bool busy) {
    // Reading has no measure of its own: the bar runs until the computation.
    bar_->setRange(0, reading ? 0 : 100);
    bar_->setVisible(busy);
}

ComputeOutcome ComputationRunner::TakeOutcome() {
    bar_->hide();
    EndBusyCursor();
    // The progress text ends with the work: "Calculating...100% done" left in
    // the panel would read as work still going on.
    status_(QString());
    return computation_->TakeOutcome();
}

void ComputationRunner::EndBusyCursor() {
    busyCursor_.stop();
    if (busyCursorShown_) {
        busyCursorShown_ = false;
        QGuiApplication::restoreOverrideCursor();
    }
}

bool WaitWhile(const std::function<bool()>& busy, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (busy() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return !busy();
}

} // namespace sw::gui
