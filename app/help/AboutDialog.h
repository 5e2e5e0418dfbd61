#pragma once

#include <QDialog>
#include <array>

#include "puzzles/core/PlayState.h"

class QLabel;
class QPushButton;

namespace zt {

class FramePlacer;

// The about box: the program's name and version and a line on each puzzle, in
// the current language (set again each time it is shown). It opens centred on
// the main window and wholly on that window's screen.
class AboutDialog final : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent);

  QLabel* TitleLabel = nullptr;
  QLabel* MakersLabel = nullptr;
  std::array<QLabel*, kPuzzleCount> PuzzleLabels{};  // by puzzle number
  QPushButton* OKBtn = nullptr;

  // Sets the texts by Tongue.
  void SetTexts();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  FramePlacer* placer_ = nullptr;
};

// Shows the about box modally over parent (the main window).
void ShowAbout(QWidget* parent);

}  // namespace zt
