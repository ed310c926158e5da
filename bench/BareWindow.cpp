// A bare Qt Widgets window with about as many controls as the calculator's main window,
// for comparing start-up times (bench/startup.sh), which ends it once it is shown.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* area = new QWidget(&window);
    window.setCentralWidget(area);
    window.menuBar()->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Выход"));
    new QLineEdit(area);
    new QSlider(Qt::Horizontal, area);
    for (int i = 0; i < 8; ++i)
        new QCheckBox(QStringLiteral("Флажок"), area);
    for (int i = 0; i < 50; ++i)
        (new QPushButton(QString::number(i), area))->setGeometry(10 + (i % 11) * 45, 200 + (i / 11) * 34, 40, 30);
    new QLabel(QStringLiteral("Ввод и результат"), area);
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(515, 370);
    window.show();
    return app.exec();
}
