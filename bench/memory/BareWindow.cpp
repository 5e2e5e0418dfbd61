// The yardstick for the game's start-up memory: a Qt Widgets window of the
// game's size, built with the same compiler, flags and Qt, started the same
// way. With "--text" it also draws a line of text in the game's fonts, so that
// the cost of the font machinery can be told apart from the window's.
#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QWidget>
#include <cstring>

namespace {

class BareWindow final : public QWidget {
 public:
  explicit BareWindow(bool text) : text_(text) { setFixedSize(500, 366); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(40, 90, 40));
    if (!text_) return;
    QFont f("DejaVu Sans");
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(20, 40, "Zindle 0123456789");
  }

 private:
  bool text_;
};

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication app(argc, argv);
  const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
  BareWindow window(text);
  window.setWindowTitle("bare");
  window.show();
  return app.exec();
}
