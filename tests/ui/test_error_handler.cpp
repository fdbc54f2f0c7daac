// SPDX-License-Identifier: GPL-3.0-or-later
// The general error handler: an error that ends a handler is shown with its
// text and the program goes on.
#include "UiTesting.h"

#include "Messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <stdexcept>

using namespace velnora;

namespace {

// An object whose event handling fails, as a handler's error would.
class Failing : public QObject {
  public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("Unable to write to /somewhere/velnora.INI");
        return QObject::event(event);
    }
};

} // namespace

class ErrorHandler : public UiTest {
    Q_OBJECT
  private slots:
    void AnErrorInAnEventIsShownAndTheLoopGoesOn();
    void AnErrorInTheCreationHandlerEndsItButTheWindowOpens();
    void ANestedErrorEndsTheOuterHandlerToo();
    void AnErrorTextIsShownAsItIsNotAsMarkup();
};

void ErrorHandler::AnErrorInAnEventIsShownAndTheLoopGoesOn() {
    Failing failing;
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(fixture->messages, QStringList{"Velnora|Unable to write to /somewhere/velnora.INI"});
    bool ranAfter = false;
    QTimer::singleShot(0, [&] { ranAfter = true; });
    QTRY_VERIFY(ranAfter);
}

void ErrorHandler::AnErrorInTheCreationHandlerEndsItButTheWindowOpens() {
    // The start-up check reads the store, which refuses: the creation stops there.
    fixture->SetInstalled();
    fixture->store.NoValueIsText();
    const auto window = fixture->MakeWindow();
    QCOMPARE(fixture->messages, QStringList{"Velnora|Invalid data type for 'Wallpaper'"});
    QVERIFY(!window->CHK_show->isChecked());
    QVERIFY(window->Grids.now.title.empty()); // the later steps did not run
    window->show();
    QVERIFY(window->isVisible());
    QTest::keyClicks(window->ELeftRight, "5");
    QCOMPARE(window->ELeftRight->text(), QStringLiteral("305"));
}

void ErrorHandler::ANestedErrorEndsTheOuterHandlerToo() {
    // Closing with the chosen file gone takes the calendar off inside the close
    // handler; the take-off's store write fails, which ends the close as well.
    fixture->SetInstalled("[image]\nchoose=1\ncurrent=0\npath=" +
                          fixture->WritePicture("mine.bmp", 64, 48, 0) + "\n");
    const auto window = fixture->MakeWindow();
    window->show();
    std::remove(fixture->Path("mine.bmp").c_str());
    fixture->store.RefuseEveryWrite();
    const std::size_t autoRuns = fixture->logonRedrawModes.size();
    QTest::mouseClick(window->Bclose, Qt::LeftButton);
    QCOMPARE(fixture->messages, (QStringList{"Error|Selected File Not Found !",
                                             "Velnora|Failed to set data for 'Wallpaper'"}));
    QVERIFY(window->isVisible());
    // The backup stays, the autostart entry and the confirm button are not updated.
    QCOMPARE(fixture->logonRedrawModes.size(), autoRuns);
    QVERIFY(window->Brepaint->isEnabled());
}

void ErrorHandler::AnErrorTextIsShownAsItIsNotAsMarkup() {
    // A wallpaper's name is the user's text, not markup: it must not become a
    // heading and a picture in the box.
    const QString text =
        QStringLiteral("Cannot open file \"/home/u/<h1>x</h1><img src=/tmp/a.png>.jpg\".");
    SetMessageHookForTesting({}); // the real box
    QString shown;
    Qt::TextFormat format = Qt::RichText;
    const bool opened = WithModal<QMessageBox>(
        [&] { ReportException(std::runtime_error(text.toStdString())); },
        [&](QMessageBox& box) {
            if (const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                shown = label->text();
                format = label->textFormat();
            }
            box.accept();
        });
    QVERIFY(opened);
    QCOMPARE(shown, text);
    QCOMPARE(format, Qt::PlainText);
}

VELNORA_UI_TEST_MAIN(ErrorHandler)
#include "test_error_handler.moc"
