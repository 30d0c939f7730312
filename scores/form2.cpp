// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/form2.h"

#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/messages.h"
#include "gamepan/toolkit/widgets/colors.h"
#include "ui_form2.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStandardPaths>
#include <QStyle>
#include <QStyledItemDelegate>
#include <utility>

namespace Tolvane {

namespace {

QString gScoreDirectory;

constexpr int kClientWidth = 522;
constexpr int kClientHeight = 373;
constexpr int kGridRows = kScorePlaces + 1;
constexpr int kGridColumns = 3;
constexpr int kGridColumnWidth = 100;
constexpr int kGridLineWidth = 2;
constexpr int kNameColumn = 1;
constexpr int kResultColumn = 2;

struct TLabelLook {
    int PixelHeight;
    bool Bold;
};

// Label1 .. Label5.
constexpr TLabelLook kLabelLooks[] = {{19, true}, {19, false}, {15, true}, {16, true}, {21, true}};

// The grid's lines are two pixels wide; a stock table draws one, so each cell
// draws its own right and bottom edge.
class TGridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect r = option.rect;
        painter->fillRect(r.right() - kGridLineWidth + 1, r.top(), kGridLineWidth, r.height(),
                          Qt::black);
        painter->fillRect(r.left(), r.bottom() - kGridLineWidth + 1, r.width(), kGridLineWidth,
                          Qt::black);
    }
};

QFont NavyBoldFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

void SetNavyText(QWidget* widget) {
    SetRoleColor(*widget, {QPalette::ButtonText, QPalette::Text, QPalette::WindowText},
                 ToQColor(clNavy), true);
}

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TForm2>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(kClientWidth, kClientHeight);
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::SetScoreDirectory(const QString& directory) {
    gScoreDirectory = directory;
}

QString TForm2::ScoreDirectory() {
    if (!gScoreDirectory.isEmpty()) return gScoreDirectory;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void TForm2::FormCreate() {
    QLabel* const labels[] = {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5};
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(kLabelLooks[i].PixelHeight);
        font.setBold(kLabelLooks[i].Bold);
        labels[i]->setFont(font);
        SetRoleColor(*labels[i], {QPalette::WindowText}, Qt::white, true);
        labels[i]->setAutoFillBackground(false);
        labels[i]->setAttribute(Qt::WA_TranslucentBackground);
    }

    QTableWidget* grid = ui->StringGrid1;
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setShowGrid(false);
    grid->setFrameShape(QFrame::NoFrame);
    grid->setItemDelegate(new TGridDelegate(grid));
    grid->setFont(NavyBoldFont(QStringLiteral("MS Sans Serif"), 11));
    grid->setRowCount(kGridRows);
    grid->setColumnCount(kGridColumns);
    // The row height leaves room for the two-pixel line below each row.
    const int rowHeight = grid->height() / kGridRows - kGridLineWidth;
    for (int row = 0; row < kGridRows; ++row) grid->setRowHeight(row, rowHeight + kGridLineWidth);
    for (int column = 0; column < kGridColumns; ++column)
        grid->setColumnWidth(column, kGridColumnWidth);
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setForeground(ToQColor(clNavy));
            grid->setItem(row, column, item);
        }
    grid->item(0, 0)->setText(QStringLiteral("Place"));
    grid->item(0, kNameColumn)->setText(QStringLiteral("Name"));
    grid->item(0, kResultColumn)->setText(QStringLiteral("Result"));
    for (int place = 1; place <= kScorePlaces; ++place)
        grid->item(place, 0)->setText(QString::number(place));
    SetNavyText(grid);

    ui->Edit1->setFont(NavyBoldFont(QStringLiteral("Arial"), 13));
    SetNavyText(ui->Edit1);
    SetCellColour(ToQColor(clAqua));

    for (QPushButton* button : {ui->BitBtn1, ui->BitBtn3}) {
        button->setFont(NavyBoldFont(QStringLiteral("Arial"), 13));
        SetNavyText(button);
    }
    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    // A disabled Clear shows its glyph greyed: the second state.
    ui->BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    // Clear is pressed on purpose, with the mouse, or not at all: the keys of
    // a game still held as it ends (Tetris drops with Down and Space) must
    // not move the focus onto it and press it.
    ui->BitBtn3->setFocusPolicy(Qt::NoFocus);
    ui->BitBtn3->setAutoDefault(false);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);

    // Enter belongs to the name entry wherever the focus is, except on a
    // button, where it presses that button.
    for (QWidget* child : {static_cast<QWidget*>(ui->Edit1), static_cast<QWidget*>(ui->BitBtn1),
                           static_cast<QWidget*>(ui->BitBtn3)})
        child->installEventFilter(this);
    ui->BitBtn1->setFocus();
}

void TForm2::SetCellColour(const QColor& colour) {
    QTableWidget* grid = ui->StringGrid1;
    SetRoleColor(*grid, {QPalette::Base}, colour, true);
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column)
            grid->item(row, column)->setBackground(colour);
    SetRoleColor(*ui->Edit1, {QPalette::Base}, colour, true);
}

void TForm2::LoadBackground() {
    FPicture.reset();
    if (!FBackground.isEmpty()) LoadPictureOrReport(FPicture, FBackground);
}

void TForm2::FillGrid() {
    for (int place = 1; place <= kScorePlaces; ++place) {
        ui->StringGrid1->item(place, kNameColumn)->setText(FNames[place - 1]);
        ui->StringGrid1->item(place, kResultColumn)->setText(FResults[place - 1]);
    }
}

void TForm2::FormShow() {
    if (!FBackground.isEmpty() &&
        QFileInfo(FBackground)
                .fileName()
                .compare(QLatin1String("backgr2.bmp"), Qt::CaseInsensitive) == 0)
        SetCellColour(ToQColor(clSilver));
    MoveFrameTo(*this, QPoint(FPosLeft, FPosTop));

    // Until the table is known to be whole, nothing can be entered.
    ui->Edit1->setEnabled(false);
    ui->BitBtn1->setFocus();

    FKind = FindScoreGame(FGame);
    if (FKind == nullptr) return;
    FDefaultResult = QLatin1String(FKind->DefaultResult);
    ui->Label1->setText(FGame);
    ui->Label2->setText(QStringLiteral("Result: ") + FResult + QLatin1String(FKind->Suffix));
    const QString directory = ScoreDirectory();
    QDir().mkpath(directory);
    FFileName = QDir(directory).filePath(QLatin1String(FKind->FileName));
    FResultText = FResult;
    const std::optional<std::int32_t> newResult = ParseResult(FResultText);
    if (!newResult) {
        ShowError(InvalidIntegerMessage(FResultText));
        return;
    }
    FNewResult = *newResult;

    const TScoreRead read = OpenScoreFile(FFileName, FDefaultResult);
    if (!read.Table) {
        ShowError(read.Error);
        return;
    }
    const TScoreTable& table = *read.Table;
    ShowTable(table);

    if (BeatsStored(FKind->Better, *ParseResult(FResults[kScorePlaces - 1]), FNewResult)) {
        ui->Label3->setText(QStringLiteral("Enter Your name!"));
        ui->Edit1->setEnabled(true);
        ui->Edit1->setFocus();
    }
}

void TForm2::FormKeyDown(std::uint16_t Key) {
    if (Key == VK_RETURN && ui->Edit1->isEnabled() && !CleanName(ui->Edit1->text()).isEmpty())
        BitBtn2Click();
}

void TForm2::BitBtn2Click() {
    // Enabled only once the table came whole from its file (or was created).
    if (!ui->Edit1->isEnabled()) return;
    FPlayer = CleanName(ui->Edit1->text());
    TScoreTable table{FNames, FResults, FLatin1Names};
    InsertEntry(table, RankPlace(FKind->Better, table, FNewResult), FPlayer, FResultText);
    ShowTable(table);
    ui->Edit1->setEnabled(false);
    ui->Label3->setText(QStringLiteral("Congratulations ") + FPlayer + QStringLiteral("!"));
    ui->BitBtn1->setFocus();
    // Saved at once: the session may end before the window closes.
    FEntryPending = true;
    WriteEntry();
}

void TForm2::BitBtn3Click() {
    if (!FFileName.isEmpty() && QFileInfo::exists(FFileName) && !QFile::remove(FFileName)) {
        ShowError(QStringLiteral("Cannot Delete ") + FFileName);
        return;
    }
    FEntryPending = false;
    for (int place = 1; place <= kScorePlaces; ++place) {
        ui->StringGrid1->item(place, kNameColumn)->setText(QString());
        ui->StringGrid1->item(place, kResultColumn)->setText(QString());
    }
    ui->BitBtn3->setEnabled(false);
    ui->Edit1->setEnabled(false);
    ui->Label3->hide();
    ui->BitBtn1->setFocus();
}

// Only an entry that could not be saved yet is written here: the table on
// disk may hold entries of other copies of the program since this window
// read it, which writing back this window's copy would lose.
void TForm2::FormDeactivate() {
    // The box reporting a failed write takes the activation away again.
    if (FWriting || !FEntryPending) return;
    WriteEntry();
}

void TForm2::ShowTable(const TScoreTable& table) {
    FNames = table.Names;
    FResults = table.Results;
    FLatin1Names = table.Latin1Names;
    FillGrid();
}

void TForm2::WriteEntry() {
    FWriting = true;
    const TScoreMerge merge = MergeScoreEntry(FFileName, FKind->Better, FPlayer, FResultText);
    if (merge.Error.isEmpty()) {
        FEntryPending = false;
        // Shows the entries other copies of the program added meanwhile.
        if (merge.Table) ShowTable(*merge.Table);
    } else if (merge.Error != std::exchange(FReportedError, merge.Error)) {
        // A failure is told once; the entry is tried again whenever the
        // window loses the activation, and at the latest when it closes.
        ShowError(merge.Error);
    }
    FWriting = false;
}

void TForm2::FormPaint(QPainter& painter) {
    if (FPicture) FPicture->DrawTiled(painter, size());
}

void TForm2::FormClose() {
    FPicture.reset();
}

void TForm2::done(int result) {
    if (!FClosed) {
        FClosed = true;
        FormDeactivate();
        FormClose();
    }
    QDialog::done(result);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

// The window closes by Close or its title bar only. A dialog would take
// Escape for a cancel and drop the name being typed.
void TForm2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FormPaint(painter);
}

bool TForm2::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && !FClosed) FormDeactivate();
    return QDialog::event(event);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (VirtualKey(*key) == VK_RETURN && !qobject_cast<QPushButton*>(watched)) {
            FormKeyDown(VK_RETURN);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace Tolvane
