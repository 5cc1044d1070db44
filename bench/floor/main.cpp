// The least a Qt Widgets program of Tickora's shape costs: a window of the
// same content size, with a menu bar of one menu, placed where Tickora opens.
// Start-up, memory and CPU of Tickora are judged against this.
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *menuBar = new QMenuBar(&window);
    // Native menu bars would move the menu out of the window on some desktops;
    // Tickora keeps its menu bar in the window, so the floor does too.
    menuBar->setNativeMenuBar(false);
    menuBar->addMenu(QStringLiteral("Tickora"))->addAction(QStringLiteral("Quit"), &application,
                                                          &QApplication::quit);
    layout->setMenuBar(menuBar);

    auto *content = new QWidget(&window);
    content->setFixedSize(556, 164);
    layout->addWidget(content);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->geometry().width() / 2 - 278, 0);
    window.show();
    return QApplication::exec();
}
