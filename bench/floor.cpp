// The floor the program's process figures are compared with: the least a Qt
// Widgets window can do to show a countdown - one label whose text changes once
// a second. Built with the same compiler and Qt, run on an X server of its own.
// With --maximised it fills the screen, as the program's maximised figures do.
// With --moving-title its task bar entry (the window's icon name) follows the
// text, as the program's title does while it counts: the same floor plus what
// the window manager does for a title that changes every second. (Qt takes
// --title and -title for itself, as X11 programs' window title option.)
// With --flash it shows its text and a blank by turns every tenth of a second,
// as the program's display does after a run reached zero.
#include "app/WindowPlacement.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label;
    label.setWindowTitle(QStringLiteral("qv-floor"));
    label.setAlignment(Qt::AlignCenter);
    label.resize(qv::placement::kDesignWidth, qv::placement::kDesignHeight);
    const QStringList arguments = QCoreApplication::arguments();
    const bool titled = arguments.contains(QStringLiteral("--moving-title"));
    int left = 24 * 60 * 60;
    auto show = [&] {
        const QString text = QStringLiteral("%1:%2:%3")
                                 .arg(left / 3600, 2, 10, QLatin1Char('0'))
                                 .arg(left / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(left % 60, 2, 10, QLatin1Char('0'));
        label.setText(text);
        if (titled)
            label.setWindowIconText(QStringLiteral("qv-floor - ") + text);
    };
    show();
    QTimer timer;
    if (arguments.contains(QStringLiteral("--flash"))) {
        bool blank = false;
        QObject::connect(&timer, &QTimer::timeout, [&label, &show, blank]() mutable {
            blank = !blank;
            if (blank)
                label.setText(QString());
            else
                show();
        });
        timer.start(100);
    } else {
        QObject::connect(&timer, &QTimer::timeout, [&] {
            --left;
            show();
        });
        timer.start(1000);
    }
    if (arguments.contains(QStringLiteral("--maximised")))
        label.showMaximized();
    else
        label.show();
    return app.exec();
}
