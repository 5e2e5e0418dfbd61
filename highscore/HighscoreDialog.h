#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <array>
#include <functional>

#include "core/HighscoreService.h"
#include "highscore/HighscoreList.h"
#include "ui/DialogKit.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace zt {

class GlyphButton;

// The high-score dialog: the five best times of one variant on the whole dialog
// background, and, when a new time has placed, an edit box over its row in
// which the player names the entry. Created once with the main window as
// parent; it reads the player's name from the store at creation.
class HighscoreDialog : public QDialog, public HighscoreService {
  Q_OBJECT

 public:
  static constexpr QSize kClientSize{320, 200};
  static constexpr int kMaxNameLength = 25;

  // scrambler is the game's scrambler and must outlive the dialog, as must store.
  HighscoreDialog(QWidget* mainWindow, SettingsStore& store, const TextScrambler& scrambler,
                  const QImage& dialogBackground);

  // Time 0 shows the list of variantKey; a time above 0 opens the dialog only
  // when it places among the five best. Returns when the dialog has closed.
  void ShowHighscores(const QString& variantKey, std::int32_t time) override;

  // Where a list that could not be saved is reported: the text says so in
  // the player's language and names the settings file. Without one it only
  // goes to the log.
  void SetFailureReport(std::function<void(const QString&)> report) {
    failureReport_ = std::move(report);
  }

  const HighscoreSession& Session() const { return session_; }
  QLineEdit* NameEdit() const { return nameEdit_; }
  QCheckBox* ClearBox() const { return clearBox_; }
  GlyphButton* OkButton() const { return okButton_; }
  GlyphButton* CancelButton() const { return cancelButton_; }

  // The showing: size at the main window's zoom, place on the main window and
  // texts of the current language.
  void FormActivate();
  void FormPaint(QPainter& painter);

  // Cancel, Escape and a close request: the new entry is lost, nothing is
  // written.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void okClick();
  void CancelClick();
  void FillLabels();
  int NameBoxHeight() const;
  // The name box over the row of the new entry, at the zoom.
  void PlaceNameEdit();

  QPointer<QWidget> mainWindow_;
  DialogBackdrop backdrop_;
  int zoom_ = 1;
  int nameRow_ = 0;
  SettingsStore& store_;
  HighscoreSession session_;
  std::function<void(const QString&)> failureReport_;
  QLineEdit* nameEdit_ = nullptr;
  QCheckBox* clearBox_ = nullptr;
  QLabel* clearLabel_ = nullptr;
  GlyphButton* okButton_ = nullptr;
  GlyphButton* cancelButton_ = nullptr;
};

}  // namespace zt
