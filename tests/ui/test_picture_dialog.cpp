// SPDX-License-Identifier: GPL-3.0-or-later
// The picture dialog as the user meets it: every column of the file list
// readable at the size it opens at, and a preview that never shows a picture
// the list no longer offers.
#include "PictureDialog.h"
#include "UiTesting.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTreeView>

#include <fstream>

using namespace velnora;

class PictureDialog : public UiTest {
    Q_OBJECT
  private slots:
    void ColumnsAreWholeAtTheDefaultSize();
    void PreviewClearsWhenTheFilterHidesItsPicture_data();
    void PreviewClearsWhenTheFilterHidesItsPicture();

  private:
    // The dialog as the program opens it, on the test's folder, with its list read.
    std::unique_ptr<QFileDialog> OpenOnFolder(int entries) {
        auto dialog = MakePictureDialog(nullptr);
        dialog->setDirectory(QString::fromStdString(fixture->folder.Path()));
        dialog->show();
        auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        // The folder is read in the background.
        if (!list ||
            !QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) == entries; }))
            return nullptr;
        return dialog;
    }
};

void PictureDialog::ColumnsAreWholeAtTheDefaultSize() {
    // The kinds of entry the dialog lists, with the longest type names.
    fixture->WritePicture("sea.bmp", 640, 480, 0xFF00);
    std::ofstream(fixture->Path("hills.jpg")) << "not read";
    std::ofstream(fixture->Path("autumn.xml")) << "<background/>";
    std::ofstream(fixture->Path("dunes.svg")) << "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";
    QDir(QString::fromStdString(fixture->folder.Path())).mkdir(QStringLiteral("more pictures"));
    const auto dialog = OpenOnFolder(5);
    QVERIFY(dialog);
    auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    QHeaderView* header = list->header();
    const auto* view = static_cast<const QAbstractItemView*>(list);
    for (int column = 1; column < header->count(); ++column) {
        const QString name = list->model()->headerData(column, Qt::Horizontal).toString();
        // As wide as its widest entry and its heading...
        QVERIFY2(header->sectionSize(column) >= view->sizeHintForColumn(column), qPrintable(name));
        QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column), qPrintable(name));
        // ...and in view without scrolling.
        QVERIFY2(header->sectionViewportPosition(column) + header->sectionSize(column) <=
                     list->viewport()->width(),
                 qPrintable(name));
    }
    // The name column keeps a useful width.
    QVERIFY(header->sectionSize(0) >= 150);
}

void PictureDialog::PreviewClearsWhenTheFilterHidesItsPicture_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("filter"); // the entry chosen in the type list; All comes first
    QTest::addColumn<bool>("kept");
    QTest::newRow("a PNG picture, then Bitmaps") << "sea.png" << 2 << false;
    QTest::newRow("a PNG picture, then JPEG") << "sea.png" << 1 << false;
    QTest::newRow("a PNG picture, then other pictures") << "sea.png" << 3 << true;
    QTest::newRow("a bitmap, then Bitmaps") << "b.bmp" << 2 << true;
    QTest::newRow("a bitmap, then slideshows") << "b.bmp" << 4 << false;
}

void PictureDialog::PreviewClearsWhenTheFilterHidesItsPicture() {
    QFETCH(QString, shown);
    QFETCH(int, filter);
    QFETCH(bool, kept);
    QImage(40, 30, QImage::Format_RGB32).save(QString::fromStdString(fixture->Path("sea.png")));
    fixture->WritePicture("b.bmp", 40, 30, 0xFF);
    const auto dialog = OpenOnFolder(2);
    QVERIFY(dialog);
    auto* preview = dialog->findChild<QLabel*>(QStringLiteral("preview"));
    QVERIFY(preview);
    // The user clicks the picture in the list.
    auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    QModelIndex entry;
    for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
        const QModelIndex at = list->model()->index(row, 0, list->rootIndex());
        if (at.data().toString() == shown)
            entry = at;
    }
    QVERIFY(entry.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(entry).center());
    QVERIFY(!preview->pixmap().isNull());
    // The user picks another entry of the type list by its first letter
    // (All, JPEG, Bitmaps, Other pictures, Slideshows).
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    types->setFocus();
    QTest::keyClicks(types, QString(QLatin1Char("ajbos"[filter])));
    QCOMPARE(types->currentIndex(), filter);
    QCOMPARE(!preview->pixmap().isNull(), kept);
}

VELNORA_UI_TEST_MAIN(PictureDialog)
#include "test_picture_dialog.moc"
