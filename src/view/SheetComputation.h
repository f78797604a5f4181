#pragma once

// Runs ComputeSheets on a worker thread so the window keeps repainting. The
// worker gets copies of the settings and the feature and builds a grid of its
// own; the result is handed back on the GUI thread, where the caller swaps it
// in, so nothing ever sees a half-built sheet list.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <QObject>
#include <QString>

#include <string>

namespace sw::gui {

class BackgroundWork;

struct ComputeOutcome {
    enum class Kind { Done, Cancelled, Failed };
    Kind Result = Kind::Failed;
    std::string Message; // the error's text for Failed and Cancelled
    Settings settings;   // what the computation ran with
    Feature feature;
    SheetGrid grid;
};

class SheetComputation : public QObject {
    Q_OBJECT

public:
    explicit SheetComputation(QObject* parent = nullptr);
    ~SheetComputation() override; // cancels a running computation and waits for it

    // False (and nothing started) while another computation runs.
    bool Start(const Settings& s, Feature f);
    void Cancel();
    bool Running() const;

    // The outcome of the computation that just finished; valid in Finished().
    ComputeOutcome TakeOutcome();

    // While on, a computation started waits for its cancellation before it
    // begins, so a test that cancels it knows it will be cancelled: on a busy
    // machine a fast computation can otherwise end before the cancel arrives.
    static void HoldUntilCancelled(bool on);

signals:
    void Progress(const QString& text, int percent);
    void Finished();

private:
    BackgroundWork* work_;
    ComputeOutcome outcome_; // written by the worker, read once it is joined
};

} // namespace sw::gui
