#pragma once
// The window's modal boxes, made ready to show: the message box captioned
// with the application title, the "Confirm" question and the error box.
// Each is wide enough for its title on the title bar, so the caption is not
// cut for a short text; the confirmation keeps its buttons "OK" and "Cancel"
// whatever language the toolkit's own texts are in.

#include <QMessageBox>
#include <QString>

#include <memory>

namespace MessageBoxes {

std::unique_ptr<QMessageBox> Message(QWidget* parent, const QString& text);
std::unique_ptr<QMessageBox> Confirmation(QWidget* parent, const QString& question);
std::unique_ptr<QMessageBox> Error(QWidget* parent, const QString& text);

// The width a box needs for its title: the caption in a bold title font a
// little larger than the window's, and room for the window buttons.
int TitleBarWidth(const QString& title, const QFont& font);

}  // namespace MessageBoxes
