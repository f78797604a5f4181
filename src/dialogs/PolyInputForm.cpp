#include "dialogs/PolyInputForm.h"

#include "dialogs/VertexGridModel.h"
#include "dialogs/VertexGridView.h"
#include "exchange/FileError.h"
#include "exchange/LinkedModules.h"
#include "exchange/OpenVertexFile.h"
#include "exchange/PasteBlock.h"
#include "exchange/VertexConversion.h"
#include "gui/AppTitle.h"
#include "gui/CommandKeys.h"
#include "gui/CoreText.h"
#include "gui/ModalSeam.h"

#include "coverage/Coverage.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace sw::gui {

namespace {

constexpr int DmsColumnWidth = 40;
constexpr int DecimalColumnWidth = 90;
// The rows of a new grid: the two heading rows and five empty vertex rows.
constexpr int32_t StartRowCount = 7;

QPushButton* PictureButton(const QString& caption, QStyle::StandardPixmap icon, const char* name,
                           QWidget* parent) {
    auto* b = new QPushButton(parent->style()->standardIcon(icon), caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(60, 40);
    b->setAutoDefault(false);
    return b;
}

constexpr const char* DecimalHeading = "Deg. Decimal";

// The table one row up from row 2 on, with one vertex fewer: typed decimal
// vertices as the readers would have written them.
VertexTable ShiftedUp(const VertexTable& t) {
    VertexTable read = t;
    for (int32_t row = 1; row + 1 < t.RowCount(); ++row) {
        for (int32_t col = 0; col < t.ColCount(); ++col) {
            read.SetCell(col, row, t.Cell(col, row + 1));
        }
    }
    read.SetRowCount(std::max(t.RowCount() - 1, 2));
    read.VertexCount = std::max(t.VertexCount - 1, 0);
    read.PartStartRows.clear();
    return read;
}

// "Lat. Min." for a cell of the degrees-minutes-seconds grid, "Long." for one
// of the decimal grid (whose second heading row a reader may have written over):
// the headings over the column.
QString ColumnHeading(const VertexTable& t, bool decimalMode, int col) {
    QString heading = FromCore(t.Cell(col, 0));
    if (!decimalMode) {
        heading += QLatin1Char(' ') + FromCore(t.Cell(col, 1));
    }
    return heading;
}

} // namespace

TPolyInputForm::TPolyInputForm(const DialogHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("PolyInputForm"));
    setWindowTitle(QStringLiteral("Data Input"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(385, 383);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    DegreeDecimalchkbox = new QCheckBox(QStringLiteral("Degree Decimal"), this);
    DegreeDecimalchkbox->setObjectName(QStringLiteral("DegreeDecimalchkbox"));
    QFont bold = font();
    bold.setBold(true);
    DegreeDecimalchkbox->setFont(bold);
    DegreeDecimalchkbox->setStyleSheet(QStringLiteral("QCheckBox { color: rgb(128, 0, 0); }"));

    StringGrid1 = new VertexGridView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    model_ = new VertexGridModel(host_.session->State().vertexTable, this);
    StringGrid1->setModel(model_);
    // The heading rows and the label column are cells of the table itself.
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setShowGrid(true);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    StringGrid1->setMinimumSize(353, 256);

    BitBtn3 = PictureButton(QStringLiteral("Clear"), QStyle::SP_DialogResetButton, "BitBtn3", this);
    OKBtn = PictureButton(QStringLiteral("Open"), QStyle::SP_DialogOpenButton, "OKBtn", this);
    OKBtn->setDefault(true);
    BitBtn1 = PictureButton(QStringLiteral("OK"), QStyle::SP_DialogApplyButton, "BitBtn1", this);
    BitBtn2 =
        PictureButton(QStringLiteral("Cancel"), QStyle::SP_DialogCancelButton, "BitBtn2", this);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1, 1);
    top->addWidget(DegreeDecimalchkbox);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BitBtn3, OKBtn, BitBtn1, BitBtn2}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(buttons);

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters;
    for (const std::string& f : OpenBoxFilters()) {
        filters.append(QString::fromStdString(f));
    }
    OpenDialog1->setNameFilters(filters);
    // Nothing is kept between runs: the first "Open" starts in the folder the
    // program was started from, not wherever a file dialog last was.
    OpenDialog1->setDirectory(QDir::currentPath());

    connect(DegreeDecimalchkbox, &QCheckBox::toggled, this,
            &TPolyInputForm::DegreeDecimalchkboxClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TPolyInputForm::BitBtn3Click);
    connect(OKBtn, &QPushButton::clicked, this, &TPolyInputForm::OKBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TPolyInputForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TPolyInputForm::BitBtn2Click);
    connect(this, &QDialog::rejected, this, &TPolyInputForm::BitBtn2Click);
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    StringGrid1SelectCell(current.row(), current.column());
                }
            });
    connect(StringGrid1, &VertexGridView::EnterPressed, this, &TPolyInputForm::StringGrid1KeyPress);
    connect(StringGrid1, &VertexGridView::PasteRequested, this,
            &TPolyInputForm::PasteFromClipboard);
    connect(model_, &VertexGridModel::CellWritten, this, &TPolyInputForm::CellWritten);

    // Tab goes from the grid's last cell to the buttons, left to right.
    setTabOrder(DegreeDecimalchkbox, StringGrid1);
    setTabOrder(StringGrid1, BitBtn3);
    setTabOrder(BitBtn3, OKBtn);
    setTabOrder(OKBtn, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    // The main window's keys for the same commands; Enter belongs to the grid,
    // so OK takes Ctrl+Enter.
    const auto key = [](QKeyCombination k) { return QKeySequence(k); };
    BindCommandKeys(*this,
                    {{BitBtn3, {key(Qt::CTRL | Qt::Key_L)}},
                     {OKBtn, {key(Qt::CTRL | Qt::Key_O)}},
                     {BitBtn1, {key(Qt::CTRL | Qt::Key_Return), key(Qt::CTRL | Qt::Key_Enter)}},
                     {BitBtn2, {key(Qt::Key_Escape)}}});
    // Ctrl+V wherever the focus is in the dialog (a cell being edited takes
    // its own paste first).
    auto* paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this, &TPolyInputForm::PasteFromClipboard);

    // FormCreate: laid out in degrees-minutes-seconds mode before the first showing.
    SetGrid();
    UpdateOkEnabled();
}

bool TPolyInputForm::DecimalMode() const {
    return DegreeDecimalchkbox->isChecked();
}

char TPolyInputForm::LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 0x80) {
        return static_cast<char>(point.at(0).unicode());
    }
    return '.';
}

void TPolyInputForm::SetGrid() {
    sw::SetGrid(host_.session->State().vertexTable, DecimalMode());
    model_->Reload();
    ApplyColumnWidths();
}

void TPolyInputForm::ApplyColumnWidths() {
    const int width = DecimalMode() ? DecimalColumnWidth : DmsColumnWidth;
    StringGrid1->horizontalHeader()->setDefaultSectionSize(width);
    for (int c = 0; c < model_->columnCount(); ++c) {
        StringGrid1->setColumnWidth(c, width);
    }
}

void TPolyInputForm::DegreeDecimalchkboxClick() {
    SetGrid();
}

bool TPolyInputForm::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        UpdateOkEnabled();
    }
    return QDialog::event(e);
}

void TPolyInputForm::UpdateOkEnabled() {
    BitBtn1->setEnabled(host_.session->State().InputFileOpened || typedVertices_);
}

void TPolyInputForm::OKBtnClick() {
    OpenDialog1->selectNameFilter(OpenDialog1->nameFilters().first());
    if (!RunModal(*OpenDialog1) || OpenDialog1->selectedFiles().isEmpty()) {
        return;
    }
    // The format the chosen filter text names, whatever its place in the box.
    const InputFormat* chosen =
        OpenBoxFormatForFilter(OpenDialog1->selectedNameFilter().toStdString());
    const OpenFilter filterIndex = chosen == nullptr ? OpenFilter::None : OpenBoxPosition(*chosen);
    OpenFile(filterIndex, OpenDialog1->selectedFiles().first());
}

std::optional<OpenOutcome> TPolyInputForm::OpenFile(OpenFilter filterIndex, const QString& path) {
    return OpenFile(filterIndex, PathToCore(path));
}

std::optional<OpenOutcome> TPolyInputForm::OpenFile(OpenFilter filterIndex,
                                                    const std::filesystem::path& path) {
    // The chosen filter only says what to expect: a KML file picked under the
    // text filter is still read as KML.
    const InputFormat* format = OpenBoxFormat(ReadingFilter(path, filterIndex));
    if (format == nullptr) {
        ShowError(this, QStringLiteral("Unknown file type for \"%1\"").arg(PathFromCore(path)));
        return std::nullopt;
    }
    return OpenFile(*format, path);
}

std::optional<OpenOutcome> TPolyInputForm::OpenFile(const InputFormat& format,
                                                    const std::filesystem::path& file) {
    AppState& st = host_.session->State();
    // A refused or failed read leaves the table, its mode and the file name as
    // they were.
    const VertexTable before = st.vertexTable;
    const bool modeBefore = DecimalMode();
    OpenOutcome outcome = OpenOutcome::Read;
    try {
        {
            const QSignalBlocker block(DegreeDecimalchkbox);
            DegreeDecimalchkbox->setChecked(format.DecimalMode);
        }
        outcome =
            OpenVertexFile(format, file, st.vertexTable, LocaleDecimalSeparator(), LinkedModules());
        if (outcome == OpenOutcome::Read) {
            // A file that gave nothing says so instead of leaving OK to fail on
            // the table's headings.
            const std::string why = NothingReadReason(format, file, st.vertexTable);
            if (!why.empty()) {
                throw FileError(why);
            }
        }
    } catch (const std::exception& e) {
        st.vertexTable = before;
        {
            const QSignalBlocker block(DegreeDecimalchkbox);
            DegreeDecimalchkbox->setChecked(modeBefore);
        }
        model_->Reload();
        ApplyColumnWidths();
        ShowError(this, ErrorText(e));
        return std::nullopt;
    }
    model_->Reload();
    ApplyColumnWidths();
    // The next "Open" starts where this file was (for this run only).
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(file, ec).parent_path();
    if (!ec) {
        OpenDialog1->setDirectory(PathFromCore(folder));
    }
    host_.session->InputOpened(file);
    UpdateOkEnabled();
    const QString shown = PathFromCore(file);
    if (host_.mainWindow) {
        host_.mainWindow->setWindowTitle(shown);
    }
    Label1->setText(shown);
    return outcome;
}

void TPolyInputForm::BitBtn1Click() {
    if (host_.computing && host_.computing()) {
        QApplication::beep();
        return;
    }
    const AppState& st = host_.session->State();
    const VertexTable& t = st.vertexTable;
    if (t.VertexCount < 0) {
        ShowError(this, QStringLiteral("Range check error"));
        return;
    }
    if (t.VertexCount == 0) {
        ShowError(this, QString::fromLatin1(NoVerticesMessage));
        return;
    }
    // Decimal vertices typed under intact headings start on the first data row,
    // where the readers' start on the second heading row: read them one row up,
    // or the heading would be read as the first vertex.
    const bool typedUnderHeadings = DecimalMode() && !st.InputFileOpened &&
                                    t.Cell(1, 1) == DecimalHeading &&
                                    t.Cell(2, 1) == DecimalHeading;
    const int rowShift = typedUnderHeadings ? 1 : 0;
    const VertexTable read = typedUnderHeadings ? ShiftedUp(t) : VertexTable{};
    Feature feature;
    try {
        // The parts a file gave stay apart; typed rows are one part.
        feature =
            TableToFeature(typedUnderHeadings ? read : t, DecimalMode(), LocaleDecimalSeparator(),
                           st.settings.DataType == DataKind::Polygon);
    } catch (const ConversionError& e) {
        // The conversion messages quote the cell, which is 8-bit text; the cell
        // is named and made current so that it can be corrected at once.
        QString text = ErrorText(e);
        if (e.Vertex > 0) {
            // The conversion names the vertex and column it failed at; vertex k
            // is read from row k (decimal) or k + 1 (degrees, minutes, seconds).
            const int row = (DecimalMode() ? e.Vertex : e.Vertex + 1) + rowShift;
            const int col = e.Column;
            text += QStringLiteral("\nVertex %1: row %2, column %3 (%4)")
                        .arg(e.Vertex)
                        .arg(row + 1)
                        .arg(col + 1)
                        .arg(ColumnHeading(t, DecimalMode(), col));
            if (row < model_->rowCount() && col < model_->columnCount()) {
                StringGrid1->setCurrentIndex(model_->index(row, col));
                StringGrid1->scrollTo(model_->index(row, col));
            }
        }
        ShowError(this, text);
        return;
    } catch (const std::exception& e) {
        ShowError(this, ErrorText(e));
        return;
    }
    hide();
    if (host_.acceptFeature) {
        // A table filled from a file draws that file; one typed since Clear is
        // nobody's file.
        host_.acceptFeature(std::move(feature), true, true,
                            st.InputFileOpened ? st.InputFileName : std::filesystem::path());
    }
}

void TPolyInputForm::BitBtn2Click() {
    hide();
}

void TPolyInputForm::BitBtn3Click() {
    VertexTable& t = host_.session->State().vertexTable;
    // Every row below the headings, also those a shorter file left beyond the
    // row count, so that no old vertex shows again when rows are added; the
    // decimal heading row a reader wrote over gets its headings back.
    t.ClearRows(1, INT32_MAX);
    t.PartStartRows.clear();
    t.SetRowCount(StartRowCount);
    // No vertex is left to read: rows typed or pasted next are counted afresh.
    t.VertexCount = 0;
    sw::SetGrid(t, DecimalMode());
    host_.session->InputCleared();
    typedVertices_ = false;
    Label1->clear();
    model_->Reload();
    ApplyColumnWidths();
    UpdateOkEnabled();
}

void TPolyInputForm::StringGrid1SelectCell(int row, int col) {
    const VertexTable& t = host_.session->State().vertexTable;
    if (row == t.RowCount() - 1 && col == t.ColCount() - 1) {
        CanAddRow = !t.Cell(col, row).empty();
    }
}

void TPolyInputForm::StringGrid1KeyPress() {
    if (CanAddRow) {
        model_->AppendRow();
    }
}

void TPolyInputForm::CellWritten(int row, int col) {
    VertexTable& t = host_.session->State().vertexTable;
    if (t.Cell(col, row).empty()) {
        return;
    }
    // A vertex typed below the rows a file gave must be read by OK as well.
    const int32_t vertex = DecimalMode() ? row : row - 1;
    if (vertex > t.VertexCount) {
        t.VertexCount = vertex;
    }
    typedVertices_ = true;
    UpdateOkEnabled();
}

void TPolyInputForm::PasteFromClipboard() {
    if (const QClipboard* cb = QApplication::clipboard()) {
        PasteText(cb->text());
    }
}

void TPolyInputForm::PasteText(const QString& text) {
    const CellBlock block = SplitPasteBlock(ToCore(text));
    if (block.empty()) {
        return;
    }
    VertexTable& t = host_.session->State().vertexTable;
    t.PartStartRows.clear(); // pasted rows are one part, as typed ones
    const QModelIndex current = StringGrid1->currentIndex();
    // The fixed rows and column take no typing, so neither do they take a paste.
    const int firstRow = std::max(current.isValid() ? current.row() : 0, 2);
    const int firstCol = std::max(current.isValid() ? current.column() : 0, 1);
    const int64_t lastRow = int64_t{firstRow} + static_cast<int64_t>(block.size()) - 1;
    if (lastRow >= INT32_MAX) {
        return;
    }
    model_->GrowRows(static_cast<int>(lastRow) + 1);
    for (std::size_t r = 0; r < block.size(); ++r) {
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const int col = firstCol + static_cast<int>(c);
            if (col >= t.ColCount()) {
                break; // the grid keeps its width; cells past it are dropped
            }
            model_->WriteCell(firstRow + static_cast<int>(r), col, FromCore(block[r][c]));
        }
    }
}

} // namespace sw::gui
