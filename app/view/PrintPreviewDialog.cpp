#include "app/view/PrintPreviewDialog.h"

#include "app/view/PrinterOutput.h"
#include "printing/PagePainter.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Podgląd wydruku");

}  // namespace

PrintPreviewDialog::PrintPreviewDialog(QPrinter& printer, const PrintRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
  setObjectName(QStringLiteral("PrintPreview"));
  setWindowTitle(kTitle);
  printer.setDocName(request.DocumentTitle);

  preview_ = new QPrintPreviewWidget(&printer, this);
  preview_->setObjectName(QStringLiteral("PrintPreviewPages"));
  // A page as wide as the window: the fixed-pitch text stays readable.
  preview_->setZoomMode(QPrintPreviewWidget::FitToWidth);
  const QFont font = PrinterOutput::RequestFont(request_);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this, font](QPrinter* target) {
    PagePainter::PaintLines(*target, request_.Lines, font);
  });

  auto* tools = new QToolBar(this);
  tools->setObjectName(QStringLiteral("PrintPreviewTools"));
  const auto add = [this, tools](const char* name, const QString& text, auto slot) {
    QAction* action = tools->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, preview_, slot);
    return action;
  };
  add("PreviewFitWidth", QStringLiteral("Dopasuj szerokość"), &QPrintPreviewWidget::fitToWidth);
  add("PreviewFitPage", QStringLiteral("Cała strona"), &QPrintPreviewWidget::fitInView);
  add("PreviewZoomIn", QStringLiteral("Powiększ"), [this] { preview_->zoomIn(); });
  add("PreviewZoomOut", QStringLiteral("Pomniejsz"), [this] { preview_->zoomOut(); });
  tools->addSeparator();
  // The widget tells of pages scrolled into view, not of pages set.
  add("PreviewPreviousPage", QStringLiteral("Poprzednia strona"), [this] {
    preview_->setCurrentPage(preview_->currentPage() - 1);
    ShowPageText();
  });
  add("PreviewNextPage", QStringLiteral("Następna strona"), [this] {
    preview_->setCurrentPage(preview_->currentPage() + 1);
    ShowPageText();
  });
  pageLabel_ = new QLabel(tools);
  pageLabel_->setObjectName(QStringLiteral("PreviewPage"));
  pageLabel_->setContentsMargins(8, 0, 8, 0);
  tools->addWidget(pageLabel_);
  connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PrintPreviewDialog::ShowPageText);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* print = buttons->addButton(QStringLiteral("Drukuj..."), QDialogButtonBox::AcceptRole);
  print->setObjectName(QStringLiteral("PreviewPrint"));
  QPushButton* close = buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("PreviewClose"));
  close->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(tools);
  column->addWidget(preview_, 1);
  column->addWidget(buttons);

  // Most of the screen, so a page width stays readable.
  QSize size(820, 760);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() * 0.95);
  resize(size);
}

QString PrintPreviewDialog::PageText() const {
  return QStringLiteral("Strona %1 z %2").arg(preview_->currentPage()).arg(preview_->pageCount());
}

void PrintPreviewDialog::ShowPageText() { pageLabel_->setText(PageText()); }
