#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zt {

// The about box: the program's name and version and a line on each puzzle, in
// the current language (set again each time it is shown).
class AboutDialog final : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent);

  QLabel* TitleLabel = nullptr;
  QLabel* MakersLabel = nullptr;
  QLabel* PuzzleLabels[4] = {};  // CRUX, TILZ, BOSS, TRANSIT
  QPushButton* OKBtn = nullptr;

  // Sets the texts by Tongue.
  void SetTexts();

 protected:
  void showEvent(QShowEvent* event) override;
};

// Shows the about box modally over parent (the main window).
void ShowAbout(QWidget* parent);

}  // namespace zt
