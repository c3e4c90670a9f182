// What the window looks like to a user, offscreen: state indicators as
// readable as enabled boxes, message boxes wide enough for their title, the
// toolkit's own dialogs in Polish beside the English confirmation, texts cut
// only with an ellipsis and a tooltip, pages that scroll, and the icon.

#include "FakeUi.h"
#include "app/view/ElidingWidgets.h"
#include "app/view/MainWindow.h"
#include "app/view/ViewTranslations.h"
#include "mdbcomp/PortMap.h"

#include <QtTest>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTranslator>

#include <functional>
#include <memory>

namespace {

const char* kMissingPort = "/nonexistent/wlt-view-test-port";

std::unique_ptr<MainWindow> ShownWindow(Ui* modal) {
  auto window = std::make_unique<MainWindow>(modal);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
  if (!QTest::qWaitFor([&window] { return window->Created(); }, 20000)) qWarning("FormCreate did not run");
  return window;
}

// Qt's real boxes and dialogs as they come up: what they showed, then closed
// unanswered.
struct SeenBox {
  QString title, text;
  QStringList buttons;
  int width = 0;
  QString lookIn;  // a file dialog's "Look in:" label
};

class ModalWatcher : public QObject {
 public:
  QList<SeenBox> seen;
  ModalWatcher() {
    connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
    timer_.start(30);
  }

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    SeenBox box;
    box.title = modal->windowTitle();
    box.width = modal->width();
    if (auto* message = qobject_cast<QMessageBox*>(modal)) {
      box.text = message->text();
      for (QAbstractButton* button : message->buttons()) box.buttons << button->text();
    }
    if (auto* label = modal->findChild<QLabel*>(QStringLiteral("lookInLabel"))) box.lookIn = label->text();
    seen << box;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
  }
  QTimer timer_;
};

double Luminance(QRgb colour) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) + 0.0722 * channel(qBlue(colour));
}

// The width a box needs to show its title on a title bar: the caption in a
// bold title font a little larger than the window's, and about 130 pixels
// of window buttons and margins.
int TitleBarWidth(const QString& title) {
  QFont font = QApplication::font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.2);
  return QFontMetrics(font).horizontalAdvance(title) + 130;
}

}  // namespace

class WindowLookTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    PortMap::Clear();
    PortMap::Set("COM1", kMissingPort);
  }
  void cleanup() { PortMap::Clear(); }

  // The event indicators are boxes the user cannot change, drawn with the
  // contrast of enabled ones: the tick against the box at least 4.5:1.
  void indicatorsAreAsReadableAsEnabledBoxes() {
    FakeUi ui;
    auto window = ShownWindow(&ui);
    TForm1& f = window->form();
    f.ListBox1.Visible = false;
    f.CheckBox(1).Checked = true;
    window->Render();
    window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(3);
    auto* box = window->findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    QVERIFY(box && box->isVisible());
    QVERIFY(!box->isEnabled());
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const QImage image = box->grab(indicator).toImage();
    double darkest = 1, lightest = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const double l = Luminance(image.pixel(x, y));
        darkest = std::min(darkest, l);
        lightest = std::max(lightest, l);
      }
    const double contrast = (lightest + 0.05) / (darkest + 0.05);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
    // Still out of the user's reach.
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
    QVERIFY(f.CheckBox(1).Checked);
    f.CheckBox(1).Checked = false;
    window->Render();
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
    QVERIFY(!f.CheckBox(1).Checked);
    QVERIFY(!box->isChecked());
    // The caption beside it is an ordinary label in the window's text colour.
    auto* caption = window->findChild<QLabel*>(QStringLiteral("zdLabel1"));
    QVERIFY(caption->isEnabled());
  }

  // Qt's real boxes: each is wide enough for its title, the confirmation
  // keeps "Confirm", "OK" and "Cancel" while the toolkit speaks Polish.
  void boxesShowTheirTitleAndTheConfirmationStaysEnglish() {
    QTranslator polish;
    QVERIFY(polish.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&polish);
    ModalWatcher watcher;
    auto window = ShownWindow(nullptr);  // the start-up's boxes come and go
    watcher.seen.clear();
    window->ShowMessage(QStringLiteral("Błędna nazwa pliku."));
    window->Confirm(QStringLiteral("Zmienić czas i datę urządzenia?"));
    window->ShowError(QStringLiteral("x"));
    TFileDialog dialog{QStringLiteral("OpenDialog1"), QStringLiteral("Text files (*.txt)|*.TXT"), QString(), QString()};
    QVERIFY(!window->ExecuteOpenDialog(dialog));
    QCoreApplication::removeTranslator(&polish);
    QCOMPARE(watcher.seen.size(), 4);
    const SeenBox& message = watcher.seen[0];
    QCOMPARE(message.title, QStringLiteral("WLT nastawy"));
    QVERIFY2(message.width >= TitleBarWidth(message.title), qPrintable(QString::number(message.width)));
    const SeenBox& confirm = watcher.seen[1];
    QCOMPARE(confirm.title, QStringLiteral("Confirm"));
    QCOMPARE(confirm.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
    QVERIFY(confirm.width >= TitleBarWidth(confirm.title));
    QVERIFY(watcher.seen[2].width >= TitleBarWidth(watcher.seen[2].title));
    QCOMPARE(watcher.seen[3].lookIn, QStringLiteral("Szukaj w:"));
  }

  // The program's own start loads the toolkit's Polish texts.
  void thePolishToolkitTextsAreInstalled() {
    QVERIFY(ViewTranslations::InstallPolish(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Szukaj w:"));
    ViewTranslations::RemovePolish(*QCoreApplication::instance());
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
  }

  // A status text longer than its panel ends in an ellipsis and the whole
  // text is its tooltip; one that fits has none.
  void statusPanelsCutWithAnEllipsisAndATooltip() {
    FakeUi ui;
    auto window = ShownWindow(&ui);
    TForm1& f = window->form();
    auto* panel = window->findChild<QLabel*>(QStringLiteral("StatusBar1Panel1"));
    const QString longText = QStringLiteral(" WLT nie odpowiada od dłuższego czasu");
    f.StatusBar1.Panels[1].Text = longText;
    window->Render();
    QCOMPARE(panel->text(), longText);
    QCOMPARE(panel->toolTip(), longText);
    auto* eliding = qobject_cast<ElidingLabel*>(panel);
    QVERIFY(eliding);
    QVERIFY(eliding->ShownText().endsWith(QChar(0x2026)));
    f.StatusBar1.Panels[1].Text = QStringLiteral(" Odczytano nastawy");
    window->Render();
    QCOMPARE(panel->toolTip(), QString());
    QCOMPARE(eliding->ShownText(), QStringLiteral(" Odczytano nastawy"));
  }

  void checkBoxCaptionsCutWithAnEllipsisAndATooltip() {
    FakeUi ui;
    auto window = ShownWindow(&ui);
    TForm1& f = window->form();
    f.CheckBox(801).Caption = QStringLiteral("Bardzo długi opis bitu");
    f.CheckBox(802).Caption = QStringLiteral("Krótki");
    window->Render();
    auto* cut = qobject_cast<ElidingCheckBox*>(window->findChild<QCheckBox*>(QStringLiteral("CheckBox801")));
    auto* whole = qobject_cast<ElidingCheckBox*>(window->findChild<QCheckBox*>(QStringLiteral("CheckBox802")));
    QVERIFY(cut && whole);
    QCOMPARE(cut->text(), f.CheckBox(801).Caption);
    QVERIFY(cut->ShownText().endsWith(QChar(0x2026)));
    QCOMPARE(cut->toolTip(), f.CheckBox(801).Caption);
    QCOMPARE(whole->ShownText(), QStringLiteral("Krótki"));
    // The indicator captions too.
    f.zdLabel(5).Caption = QStringLiteral("Opis dłuższy niż pole");
    window->Render();
    auto* label = qobject_cast<ElidingLabel*>(window->findChild<QLabel*>(QStringLiteral("zdLabel5")));
    QVERIFY(label);
    QVERIFY(label->ShownText().endsWith(QChar(0x2026)));
    QCOMPARE(label->toolTip(), f.zdLabel(5).Caption);
  }

  // Made smaller than its content, a page scrolls to every control.
  void pagesScrollWhenTheWindowIsSmall() {
    FakeUi ui;
    auto window = ShownWindow(&ui);
    window->form().ListBox1.Visible = false;
    window->Render();
    window->resize(520, 360);
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    const struct {
      int page;
      const char* control;
    } cases[] = {{1, "StringGrid1"}, {2, "CheckBox910"}, {3, "zdLabel160"}, {4, "Disconnect"},
                 {5, "Button1"},     {6, "Button2"}};
    for (const auto& c : cases) {
      pages->setCurrentIndex(c.page);
      QCoreApplication::processEvents();
      auto* control = window->findChild<QWidget*>(QString::fromLatin1(c.control));
      QVERIFY2(control, c.control);
      QScrollArea* area = nullptr;
      for (QWidget* up = control->parentWidget(); up && !area; up = up->parentWidget())
        area = qobject_cast<QScrollArea*>(up);
      QVERIFY2(area, c.control);
      area->ensureWidgetVisible(control, 0, 0);
      const QRect shown(control->mapTo(area->viewport(), QPoint()), control->size());
      QVERIFY2(area->viewport()->rect().intersects(shown), c.control);
    }
    // The check boxes' page is larger than that window: it scrolls.
    pages->setCurrentIndex(2);
    QCoreApplication::processEvents();
    auto* programming = qobject_cast<QScrollArea*>(pages->currentWidget());
    QVERIFY(programming && programming->verticalScrollBar()->isVisible() &&
            programming->horizontalScrollBar()->isVisible());
    // At its described size nothing scrolls.
    window->resize(747, 594);
    for (int page = 1; page < 7; ++page) {
      pages->setCurrentIndex(page);
      QCoreApplication::processEvents();
      auto* area = qobject_cast<QScrollArea*>(pages->currentWidget());
      QVERIFY(area);
      QVERIFY2(!area->verticalScrollBar()->isVisible() && !area->horizontalScrollBar()->isVisible(),
               qPrintable(QString::number(page)));
    }
  }

  // The desktop entry's icon: the dark blue rounded square.
  void theWindowBearsTheDesktopEntrysIcon() {
    FakeUi ui;
    auto window = ShownWindow(&ui);
    const QIcon icon = window->windowIcon();
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(64, 64).toImage();
    QCOMPARE(image.size(), QSize(64, 64));
    const QColor inside = image.pixelColor(8, 32);
    QVERIFY2(std::abs(inside.red() - 0x1f) <= 8 && std::abs(inside.green() - 0x4e) <= 8 &&
                 std::abs(inside.blue() - 0x79) <= 8,
             qPrintable(inside.name()));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);  // the rounded corner
  }
};

QTEST_MAIN(WindowLookTest)
#include "WindowLookTest.moc"
