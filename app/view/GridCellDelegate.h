#pragma once
// The in-place editor of the settings grid. It reports every keystroke, so
// the cell's text in the state follows what the user types (a menu command
// picked while the editor is still open sees the typed value), and it keeps
// the open editor reachable so that rendering can show the state in it.

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

class GridCellDelegate : public QStyledItemDelegate {
 public:
  using EditedFn = std::function<void(int row, int column, const QString& text)>;

  GridCellDelegate(QObject* parent, EditedFn edited)
      : QStyledItemDelegate(parent), edited_(std::move(edited)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const int row = index.row(), column = index.column();
    QObject::connect(editor, &QLineEdit::textEdited, editor,
                     [this, row, column](const QString& text) {
                       if (edited_) edited_(row, column, text);
                     });
    editor_ = editor;
    row_ = row;
    column_ = column;
    return editor;
  }

  // The editor open on (row, column), or nullptr.
  QLineEdit* OpenEditor(int row, int column) const {
    return (editor_ && row_ == row && column_ == column) ? editor_.data() : nullptr;
  }

 private:
  EditedFn edited_;
  mutable QPointer<QLineEdit> editor_;
  mutable int row_ = -1;
  mutable int column_ = -1;
};
