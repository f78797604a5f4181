#pragma once

// Tells the user that the window is busy with something that takes a while:
// the busy cursor, and a text in a status panel that is painted at once, since
// the event loop does not run until the work is done. The panel's text and the
// cursor are restored when the notice ends.

#include <QString>

class QLabel;

namespace sw::gui {

class BusyNotice {
public:
    // `panel` may be null: then only the cursor changes.
    BusyNotice(QLabel* panel, const QString& text);
    ~BusyNotice();
    BusyNotice(const BusyNotice&) = delete;
    BusyNotice& operator=(const BusyNotice&) = delete;

    // A new text in the panel while the notice lasts (a percentage done).
    void SetText(const QString& text);

private:
    QLabel* panel_;
    QString before_;
};

// The text the window shows while it draws a large layout image.
QString DrawingLayoutText();

} // namespace sw::gui
