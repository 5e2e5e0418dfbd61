#include "app/help/AboutDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "core/Language.h"
#include "core/Texts.h"
#include "puzzles/catalog/PuzzleCatalog.h"
#include "ui/ScreenFit.h"
#include "ui/WidgetZoom.h"

namespace zt {

namespace {

QFont SansFont(int pixels, bool bold = false) {
  QFont f;
  f.setFamilies({"Liberation Sans", "DejaVu Sans"});
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  // Made for each showing, at the main window's zoom: every size below is
  // its 1x size times z.
  const int z = WindowZoom(parent);
  setFont(SansFont(12));
  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  outer->setContentsMargins(16 * z, 14 * z, 16 * z, 12 * z);

  auto* head = new QHBoxLayout;
  auto* icon = new QLabel(this);
  if (parent) {
    icon->setPixmap(parent->windowIcon().pixmap(QSize(48, 48) * z, devicePixelRatioF()));
  }
  icon->setFixedSize(52 * z, 52 * z);
  icon->setAlignment(Qt::AlignCenter);
  head->addWidget(icon);
  auto* names = new QVBoxLayout;
  TitleLabel = new QLabel("Zindle Tavrin V1.2", this);
  TitleLabel->setFont(SansFont(18 * z, true));
  MakersLabel = new QLabel(this);
  names->addWidget(TitleLabel);
  names->addWidget(MakersLabel);
  head->addLayout(names, 1);
  outer->addLayout(head);
  outer->addSpacing(8 * z);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12 * z);
  grid->setVerticalSpacing(6 * z);
  for (int i = 0; i < kPuzzleCount; ++i) {
    auto* name = new QLabel(CatalogEntry(i).name, this);
    name->setFont(SansFont(12 * z, true));
    PuzzleLabels[i] = new QLabel(this);
    grid->addWidget(name, i, 0, Qt::AlignTop);
    grid->addWidget(PuzzleLabels[i], i, 1);
  }
  outer->addLayout(grid);
  outer->addSpacing(10 * z);

  OKBtn = new QPushButton("OK", this);
  OKBtn->setDefault(true);
  OKBtn->setFixedWidth(80 * z);
  // The button's height at 1x comes from the style; zoomed, it is that times z.
  if (z > 1) OKBtn->setFixedHeight(OKBtn->sizeHint().height() * z);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKBtn);
  outer->addLayout(buttons);
  if (z > 1) {
    setFont(SansFont(12 * z));
    // The gaps the style puts between the parts, grown too.
    const int across = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing) * z;
    const int down = style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing) * z;
    outer->setSpacing(down);
    head->setSpacing(across);
    names->setSpacing(down);
  }

  SetTexts();
  placer_ = new FramePlacer(this, [this, parent](const QMargins& frame) {
    const QSize size = this->size().grownBy(frame);
    if (!parent) return QRect(frameGeometry().topLeft(), size);
    const QRect mainFrame = parent->frameGeometry();
    const QPoint middle(mainFrame.left() + (mainFrame.width() - size.width()) / 2,
                        mainFrame.top() + (mainFrame.height() - size.height()) / 2);
    return QRect(PlaceOnScreenOf(CurrentDesktop(), mainFrame, middle, size), size);
  });
}

void AboutDialog::SetTexts() {
  setWindowTitle(Say(QString("Über Zindle Tavrin"), QString("About Zindle Tavrin")));
  MakersLabel->setText(Say(QString("Vier Schieberätsel von Zindle Games"),
                           QString("Four sliding puzzles by Zindle Games")));
  for (int i = 0; i < kPuzzleCount; ++i) {
    PuzzleLabels[i]->setText(PuzzleText(CatalogEntry(i).about, German()));
  }
}

void AboutDialog::showEvent(QShowEvent* event) {
  SetTexts();
  // The layout has its size by now.
  placer_->Apply();
  QDialog::showEvent(event);
}

void ShowAbout(QWidget* parent) {
  AboutDialog box(parent);
  box.exec();
}

}  // namespace zt
