#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget w;
  w.setWindowTitle("Zindle Tavrin V1.2");
  w.resize(500, 366);
  w.show();
  return app.exec();
}
