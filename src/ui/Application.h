// The application object with the general error handler: an error that escapes
// an event's handling is shown in a message box and the message loop goes on.
#pragma once

#include <QApplication>

#include <functional>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one handler of a window. The outermost handler shows an error that ends
// it (the later steps do not run); a handler nested in another one, by a control
// set from code, lets the error go on to the outer one, which ends too. Errors
// are caught here rather than left to Qt's event loop, which is not built to
// carry exceptions through its own frames.
void RunHandler(const std::function<void()>& handler);
// The same for a handler that Qt's event delivery calls itself (close, keys,
// activation): it always shows its error, nested or not, since the error must
// not unwind through Qt's event delivery; handlers nested in it pass theirs on.
void RunEventHandler(const std::function<void()>& handler);
