#pragma once

#include <QApplication>

// The application: opens the one store before any window, then shows the one main window.
// A store that cannot be opened stops start-up with a message naming the file and the
// error, and a non-zero exit status.
class PennyloomApp final : public QApplication {
    Q_OBJECT

public:
    PennyloomApp(int &argc, char **argv);

    int run();

private:
    // Reports why start-up stopped, on stderr and in a dialog, and gives the exit status.
    int fail(const QString &message);
};
