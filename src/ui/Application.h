// SPDX-License-Identifier: GPL-3.0-or-later
// The application object with the general error handler: an error that escapes
// an event's handling is shown in a message box and the message loop goes on.
#pragma once

#include <QApplication>

#include <functional>

namespace velnora {

class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one handler of a window. The outermost handler shows an error that ends
// it (the later steps do not run). A handler nested in another one, because
// the outer one set a control from code, keeps its error until the outer one
// takes it up with RethrowNestedError right after the setter returns, which
// ends the outer handler too. The error is carried over rather than thrown
// through Qt's signal emission and event delivery, which are not built to
// unwind (their frames would be left half done).
void RunHandler(const std::function<void()>& handler);
// The same for a handler that Qt's event delivery calls itself (close, keys,
// activation, creation): it always shows its error, nested or not.
void RunEventHandler(const std::function<void()>& handler);
// Raises again the error of a handler that ran nested in the setter just
// called, if there was one.
void RethrowNestedError();

}  // namespace velnora
