#pragma once

// "Data Input": the vertex table of a polyline or polygon, typed, pasted or
// opened from a tab-delimited text file, a shapefile or a KML file. OK turns the
// table into the feature and has the main window compute and draw it.

#include "exchange/OpenVertexFile.h"
#include "gui/DialogHost.h"

#include <QDialog>

#include <filesystem>
#include <optional>

class QCheckBox;
class QFileDialog;
class QLabel;
class QPushButton;

namespace sw::gui {

class VertexGridModel;
class VertexGridView;

class TPolyInputForm : public QDialog {
    Q_OBJECT

public:
    explicit TPolyInputForm(const DialogHost& host, QWidget* parent = nullptr);

    // Decides whether Enter in the grid appends a row.
    bool CanAddRow = false;

    bool DecimalMode() const;
    VertexGridView* Grid() const { return StringGrid1; }
    VertexGridModel* GridModel() const { return model_; }
    // The decimal separator of the user's locale, as decimal mode reads it.
    static char LocaleDecimalSeparator();

    // "Open" of a chosen file in `format`, without the file dialog. Empty when
    // the file was refused (the message has been shown and nothing changed);
    // otherwise how it was taken.
    std::optional<OpenOutcome> OpenFile(const InputFormat& format,
                                        const std::filesystem::path& path);
    // The same for the format at an open box position (1 text, 2 shapefile, 3 KML).
    std::optional<OpenOutcome> OpenFile(OpenFilter filterIndex, const std::filesystem::path& path);
    // A name as the file box or a test spells it: converted to a path once.
    std::optional<OpenOutcome> OpenFile(OpenFilter filterIndex, const QString& path);
    // Pastes a block of tab- or comma-separated text at the current cell.
    void PasteText(const QString& text);

public slots:
    void SetGrid();
    void DegreeDecimalchkboxClick();
    void OKBtnClick();   // "Open"
    void BitBtn1Click(); // "OK"
    void BitBtn2Click(); // "Cancel"
    void BitBtn3Click(); // "Clear"
    void StringGrid1SelectCell(int row, int col);
    void StringGrid1KeyPress(); // Enter
    void PasteFromClipboard();

protected:
    bool event(QEvent* event) override;

private:
    void ApplyColumnWidths();
    void CellWritten(int row, int col);
    void UpdateOkEnabled();

    DialogHost host_;
    // Vertices typed or pasted since the last Clear: they make the table worth
    // computing as much as an opened file does.
    bool typedVertices_ = false;
    QLabel* Label1 = nullptr;
    QCheckBox* DegreeDecimalchkbox = nullptr;
    VertexGridView* StringGrid1 = nullptr;
    VertexGridModel* model_ = nullptr;
    QPushButton* BitBtn3 = nullptr; // Clear
    QPushButton* OKBtn = nullptr;   // Open
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel
    QFileDialog* OpenDialog1 = nullptr;
};

} // namespace sw::gui
