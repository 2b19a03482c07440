#pragma once
// The net under every handler: an error that escapes one (a database error, a
// template error, a bad argument, a dropped connection) is shown, what it left
// open on the program's connections is rolled back, and the program goes on.
// Windows show their own messages; the net catches the path someone forgot.
#include <QApplication>

namespace bv {

// Shows the error being handled and rolls back what it left open; call it only
// inside a catch block.
void reportEscapedError();

// The application object of the program and of the tests: Qt lets no exception
// cross its event loop, so every event is dispatched inside the net, those of
// modal windows' loops included.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

}  // namespace bv
