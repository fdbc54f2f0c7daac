// SPDX-License-Identifier: GPL-3.0-or-later
// The confirm button, the preview and the about window.
#include "PictureDialog.h"
#include "ProfileFile.h"
#include "UTheAbout.h"
#include "UiTesting.h"
#include "Upreview.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <fstream>

using namespace velnora;

class Commands : public UiTest {
    Q_OBJECT
  private slots:
    void ConfirmRedrawsAndTouchesNothingElse();
    void ChoosingAFileFillsThePathField();
    void PickerDialogOffersThePictureFilters();
    void EnablingRules();
    void ArrowKeysMoveWithinAGroup();
    void PreviewIsAlways500By375_data();
    void PreviewIsAlways500By375();
    void PreviewChangesNothing();
    void PreviewWithTheChosenFileMissingDoesNotOpen();
    void PreviewOfAnUnreadablePictureOpensEmpty();
    void PreviewComposesAfreshEachTime();
    void PreviewClosesOnEsc();
    void AboutWindow();

  private:
    // Opens the preview by its button and returns what it showed.
    QImage Preview(Tmain& window, bool escape = false);
};

QImage Commands::Preview(Tmain& window, bool escape) {
    QImage shown;
    const bool opened = WithModal<Tpreview>(
        [&] { QTest::mouseClick(window.Bpreview, Qt::LeftButton); },
        [&](Tpreview& preview) {
            shown = preview.Picture();
            if (preview.size() != QSize(500, 375))
                shown = QImage();
            if (escape)
                QTest::keyClick(&preview, Qt::Key_Escape, Qt::ControlModifier);
            else
                preview.close();
        });
    if (!opened)
        return QImage(1, 1, QImage::Format_Mono); // marks "no preview opened"
    return shown;
}

void Commands::ConfirmRedrawsAndTouchesNothingElse() {
    fixture->SetInstalled();
    const auto window = fixture->MakeWindow();
    window->show();
    std::filesystem::remove(fixture->OutputPath());
    const std::optional<std::string> settings = fixture->SettingsText();
    const std::vector<unsigned> autoRuns = fixture->logonRedrawModes;
    window->CHKprev->setChecked(false);
    QTest::mouseClick(window->Brepaint, Qt::LeftButton);
    QCOMPARE(PictureSize(fixture->OutputPath()), QSize(320, 240));
    QCOMPARE(fixture->SettingsText(), settings);
    QCOMPARE(fixture->logonRedrawModes, autoRuns);
    QVERIFY(window->CHK_show->isChecked());
    QVERIFY(fixture->messages.isEmpty());
}

void Commands::ChoosingAFileFillsThePathField() {
    fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    window->show();
    window->R_Choose->setChecked(true);
    window->Efilename->setText(QStringLiteral("before"));
    fixture->pickedFile = QStringLiteral("/pictures/sea.jpg");
    QTest::mouseClick(window->Bchoose, Qt::LeftButton);
    QCOMPARE(window->Efilename->text(), QStringLiteral("/pictures/sea.jpg"));
    fixture->pickedFile.reset(); // cancelled
    QTest::mouseClick(window->Bchoose, Qt::LeftButton);
    QCOMPARE(window->Efilename->text(), QStringLiteral("/pictures/sea.jpg"));
    QCOMPARE(fixture->pickerOpened, 2);
    QVERIFY(window->R_Choose->isChecked());
}

void Commands::PickerDialogOffersThePictureFilters() {
    const auto window = fixture->MakeWindow();
    // The dialog itself, as the program shows it.
    const std::unique_ptr<QFileDialog> dialog = MakePictureDialog(window.get());
    const QString all =
        QStringLiteral("All (*.jpg *.jpeg *.bmp *.png *.webp *.tif *.tiff *.gif *.svg *.xml)");
    QCOMPARE(dialog->nameFilters(),
             (QStringList{all, "JPEG Image File (*.jpg *.jpeg)", "Bitmaps (*.bmp)",
                          "Other pictures (*.png *.webp *.tif *.tiff *.gif *.svg)",
                          "Slideshows (*.xml)"}));
    QCOMPARE(dialog->selectedNameFilter(), all);
    QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    auto* preview = dialog->findChild<QLabel*>(QStringLiteral("preview"));
    QVERIFY(preview);
    const std::string picture = fixture->WritePicture("shown.bmp", 200, 100, 0xFF);
    emit dialog->currentChanged(QString::fromStdString(picture));
    QVERIFY(!preview->pixmap().isNull());
    QCOMPARE(preview->pixmap().width(), 160);
}

void Commands::EnablingRules() {
    fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    window->show();
    QTest::mouseClick(window->R_Choose, Qt::LeftButton);
    QVERIFY(window->Efilename->isEnabled() && window->Bchoose->isEnabled());
    QVERIFY(!window->R_CurrentPicture->isChecked());
    QTest::mouseClick(window->CHK_Stretch, Qt::LeftButton);
    QVERIFY(window->Efilename->isEnabled() && window->Bchoose->isEnabled());
    QTest::mouseClick(window->R_Choose, Qt::LeftButton); // a click never clears it
    QVERIFY(window->R_Choose->isChecked());
    QTest::mouseClick(window->R_CurrentPicture, Qt::LeftButton);
    QVERIFY(!window->Efilename->isEnabled() && !window->Bchoose->isEnabled());
    QVERIFY(!window->R_Choose->isChecked());
    QTest::mouseClick(window->CHK_Stretch, Qt::LeftButton);
    QVERIFY(!window->Efilename->isEnabled());
    // The corner buttons are one group of their own.
    QTest::mouseClick(window->R_Bottom_Left, Qt::LeftButton);
    QVERIFY(window->R_Bottom_Left->isChecked() && !window->R_Top_Right->isChecked());
    QVERIFY(window->R_CurrentPicture->isChecked());
    // Every other control is always enabled.
    for (QWidget* control :
         {static_cast<QWidget*>(window->Bpreview), static_cast<QWidget*>(window->Babout),
          static_cast<QWidget*>(window->Bclose), static_cast<QWidget*>(window->CHK_show)})
        QVERIFY(control->isEnabled());
}

void Commands::ArrowKeysMoveWithinAGroup() {
    fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    window->show();
    window->R_CurrentPicture->setFocus();
    QTest::keyClick(window->R_CurrentPicture, Qt::Key_Down);
    QVERIFY(window->R_Choose->isChecked() && !window->R_CurrentPicture->isChecked());
    QVERIFY(window->Efilename->isEnabled());         // the click handler ran
    QTest::keyClick(window->R_Choose, Qt::Key_Down); // round the end of the group
    QVERIFY(window->R_CurrentPicture->isChecked());
    QTest::keyClick(window->R_Top_Right, Qt::Key_Up); // the corners stay apart
    QVERIFY(window->R_Top_Left->isChecked() && window->R_CurrentPicture->isChecked());
}

void Commands::PreviewIsAlways500By375_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("stretch");
    QTest::newRow("1024 x 768") << QSize(1024, 768) << false;
    QTest::newRow("1280 x 1024") << QSize(1280, 1024) << false;
    QTest::newRow("stretched to the desktop first") << QSize(1280, 1024) << true;
}

void Commands::PreviewIsAlways500By375() {
    QFETCH(QSize, picture);
    QFETCH(bool, stretch);
    fixture->SetUserWallpaper(picture.width(), picture.height());
    const auto window = fixture->MakeWindow();
    window->show();
    window->CHK_Stretch->setChecked(stretch);
    const QImage shown = Preview(*window);
    QCOMPARE(shown.size(), QSize(500, 375));
    QVERIFY(!window->WorkBitmap); // freed with the window
    QVERIFY(fixture->messages.isEmpty());
}

void Commands::PreviewChangesNothing() {
    fixture->SetInstalled();
    const auto window = fixture->MakeWindow();
    window->show();
    std::filesystem::remove(fixture->OutputPath());
    const std::optional<std::string> settings = fixture->SettingsText();
    const auto store = fixture->store.values;
    const int reloads = fixture->store.reloads;
    const std::vector<unsigned> autoRuns = fixture->logonRedrawModes;
    QCOMPARE(Preview(*window).size(), QSize(500, 375));
    QCOMPARE(fixture->SettingsText(), settings);
    QVERIFY(fixture->store.values == store);
    QCOMPARE(fixture->store.reloads, reloads);
    QCOMPARE(fixture->logonRedrawModes, autoRuns);
    QVERIFY(!std::filesystem::exists(fixture->OutputPath()));
    QVERIFY(window->CHK_show->isChecked());
}

void Commands::PreviewWithTheChosenFileMissingDoesNotOpen() {
    fixture->SetInstalled("[image]\nchoose=1\ncurrent=0\npath=" +
                          fixture->WritePicture("mine.bmp", 64, 48, 0) + "\n");
    const auto window = fixture->MakeWindow();
    window->show();
    std::filesystem::remove(fixture->Path("mine.bmp"));
    const QImage shown = Preview(*window);
    QCOMPARE(shown.format(), QImage::Format_Mono); // never opened
    QCOMPARE(fixture->messages, QStringList{"Error|Selected File Not Found !"});
    QVERIFY(window->CHK_show->isChecked()); // the preview leaves the box alone
}

void Commands::PreviewOfAnUnreadablePictureOpensEmpty() {
    fixture->SetUserWallpaper();
    std::ofstream(fixture->Path("broken.jpg")) << "not a picture";
    const auto window = fixture->MakeWindow();
    window->show();
    window->R_Choose->setChecked(true);
    window->Efilename->setText(QString::fromStdString(fixture->Path("broken.jpg")));
    const QImage shown = Preview(*window);
    QCOMPARE(fixture->messages.size(), 1);
    QVERIFY2(shown.isNull(), "opened, with nothing to show");
    QVERIFY(fixture->messages[0].startsWith("Velnora|"));
}

void Commands::PreviewComposesAfreshEachTime() {
    fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    window->show();
    window->R_Choose->setChecked(true);
    window->Efilename->setText(
        QString::fromStdString(fixture->WritePicture("mine.bmp", 400, 300, 0x0000FF)));
    const QImage first = Preview(*window);
    fixture->WritePicture("mine.bmp", 400, 300, 0x00FF00);
    const QImage second = Preview(*window);
    QCOMPARE(first.pixelColor(499, 374), QColor(255, 0, 0));
    QCOMPARE(second.pixelColor(499, 374), QColor(0, 255, 0));
}

void Commands::PreviewClosesOnEsc() {
    fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    window->show();
    QCOMPARE(Preview(*window, true).size(), QSize(500, 375));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(window->isVisible()); // Esc in the preview does not close the main window
}

void Commands::AboutWindow() {
    fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    window->show();
    for (const char* how : {"button", "Esc"}) {
        // Read in the modal loop, checked after it.
        QSize size;
        QString title, caption;
        QRect button;
        QPixmap picture;
        const bool opened = WithModal<TTheAbout>(
            [&] { QTest::mouseClick(window->Babout, Qt::LeftButton); },
            [&](TTheAbout& about) {
                size = about.size();
                title = about.windowTitle();
                button = about.Brepaint->geometry();
                caption = about.Brepaint->text();
                picture = about.About->pixmap();
                if (QByteArray(how) == "Esc")
                    QTest::keyClick(&about, Qt::Key_Escape);
                else
                    QTest::mouseClick(about.Brepaint, Qt::LeftButton);
            });
        QVERIFY(opened);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(size, QSize(374, 177));
        QCOMPARE(title, QString::fromUtf16(u"درباره نرم افزار"));
        QCOMPARE(button, QRect(6, 146, 75, 25));
        QCOMPARE(caption, QString::fromUtf16(u"بازگشت"));
        QCOMPARE(picture.size(), QSize(374, 177));
        // The bottom-left pixel's colour is see-through, the card is not.
        const QImage mask = picture.mask().toImage();
        QVERIFY(mask.pixelIndex(0, 176) == mask.pixelIndex(0, 0));
        QVERIFY(mask.pixelIndex(40, 40) != mask.pixelIndex(0, 176));
    }
    const QImage stored(QStringLiteral(":/about.bmp"));
    QCOMPARE(stored.format(), QImage::Format_Indexed8);
    QCOMPARE(stored.colorCount(), 256);
}

VELNORA_UI_TEST_MAIN(Commands)
#include "test_commands.moc"
