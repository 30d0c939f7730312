// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/picture.h"
#include "scores/scoretable.h"

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace Ui {
class TForm2;
}

namespace Tolvane {

// The five best results of one game after it ends: shows the table, asks for
// a name when the new result earns a place, and keeps the table file.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // Finds the embedded cue and plays it, waiting for its end when Wait is
    // set. Needs no window.
    static void PlayWave(const QString& Name, bool Wait);

    // Where the table files live. Empty (the default) means the per-user
    // application data folder, created when missing.
    static void SetScoreDirectory(const QString& directory);
    static QString ScoreDirectory();

    // Loads FBackground into FPicture; a file that cannot be loaded is
    // reported and leaves no picture and no background path.
    void LoadBackground();

    void FormCreate();
    void FormShow();
    void FormKeyDown(std::uint16_t Key);
    void BitBtn2Click();
    void BitBtn3Click();
    void FormDeactivate();
    void FormPaint(QPainter& painter);
    void FormClose();

    QString FFileName;
    std::array<QString, kScorePlaces> FNames;
    std::array<QString, kScorePlaces> FResults;
    QString FPlayer;
    QString FResultText;
    QString FDefaultResult;
    std::int32_t FPosLeft = 0;
    std::int32_t FPosTop = 0;
    QString FResult;
    QString FGame;
    // Owned; null while there is no background picture.
    std::unique_ptr<TPicture> FPicture;
    QString FBackground;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillGrid();
    void ShowTable(const TScoreTable& table);
    // Places the accepted entry into the table on disk; reports a failure.
    void WriteEntry();
    void SetCellColour(const QColor& colour);

    std::unique_ptr<Ui::TForm2> ui;
    const TScoreGame* FKind = nullptr;
    // Which names came in a single-byte code page, to be written back so.
    std::array<bool, kScorePlaces> FLatin1Names{};
    std::int32_t FNewResult = 0;
    // A name was accepted and is not on disk yet.
    bool FEntryPending = false;
    // The last failure reported, so that retries do not repeat it.
    QString FReportedError;
    bool FWriting = false;
    bool FClosed = false;
};

} // namespace Tolvane
