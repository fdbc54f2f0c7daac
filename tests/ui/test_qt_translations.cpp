// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (message box buttons, file and colour dialogs) in Persian
// under a Persian locale, and left alone under any other.
#include "Translations.h"
#include "UTheAbout.h"
#include "UiTesting.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace velnora;

class QtTranslations : public QObject {
    Q_OBJECT
  private slots:
    // Each case starts from Qt's own English.
    void cleanup() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    void OnlyAPersianLocaleTranslates_data();
    void OnlyAPersianLocaleTranslates();
    void MainWindowKeepsItsLayoutInPersian();
};

void QtTranslations::OnlyAPersianLocaleTranslates_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("persian");
    QTest::newRow("Persian, Iran") << QLocale(QLocale::Persian, QLocale::Iran) << true;
    QTest::newRow("Persian, Afghanistan")
        << QLocale(QLocale::Persian, QLocale::Afghanistan) << true;
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << false;
    QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt) << false;
}

void QtTranslations::OnlyAPersianLocaleTranslates() {
    QFETCH(QLocale, locale);
    QFETCH(bool, persian);
    QCOMPARE(InstallQtTranslations(*qApp, locale), persian);
    // The Cancel button of a message box or dialog, as the user reads it.
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    const QString cancel = buttons.button(QDialogButtonBox::Cancel)->text();
    QCOMPARE(cancel.contains(QRegularExpression(QStringLiteral("[\\x{0600}-\\x{06FF}]"))), persian);
}

void QtTranslations::MainWindowKeepsItsLayoutInPersian() {
    UiFixture fixture;
    fixture.SetUserWallpaper();
    const auto window = fixture.MakeWindow();
    window->show();
    TTheAbout about(window.get());
    about.show();
    const QImage english = window->grab().toImage();
    const QImage aboutInEnglish = about.grab().toImage();
    QVERIFY(InstallQtTranslations(*qApp, QLocale(QLocale::Persian, QLocale::Iran)));
    // Qt's Persian turns the application right to left...
    QCOMPARE(qApp->layoutDirection(), Qt::RightToLeft);
    QCoreApplication::processEvents();
    // ...but the main and about windows look as designed, every caption where it was
    // (a button's beside its glyph), and so does the colour drop-down: the
    // custom swatch at the right end of the last row.
    QCOMPARE(window->layoutDirection(), Qt::LeftToRight);
    QVERIFY(window->grab().toImage() == english);
    QVERIFY(about.grab().toImage() == aboutInEnglish);
    window->ccToday->OpenPalette();
    QFrame* popup = window->ccToday->Popup();
    QVERIFY(popup);
    const auto* more = popup->findChild<QWidget*>(QStringLiteral("moreColors"));
    const auto* custom = popup->findChild<QWidget*>(QStringLiteral("customSwatch"));
    QVERIFY(more && custom);
    QVERIFY(custom->geometry().left() > more->geometry().right());
    popup->close();
}

VELNORA_UI_TEST_MAIN(QtTranslations)
#include "test_qt_translations.moc"
