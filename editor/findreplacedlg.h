// Find and Replace over a text edit (modeless).
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace vaarikas::sirel {

class CFindReplaceDlg : public QDialog {
  Q_OBJECT
 public:
  CFindReplaceDlg(QTextEdit* edit, bool replace, QWidget* parent = nullptr);
  void SetReplaceMode(bool replace);

  // Finds the next occurrence after the cursor (wrapping once); selects it.
  bool FindNext();
  // Replaces the selection when it is the text searched for, then finds on.
  bool ReplaceOne();
  // Replaces every occurrence; returns how many, as one undo step.
  int ReplaceAll();

  QLineEdit* FindEdit() const { return m_find; }
  QLineEdit* ReplaceEdit() const { return m_replace; }

 private:
  QTextEdit* m_edit;
  QLineEdit* m_find;
  QLineEdit* m_replace;
  QCheckBox* m_case;
  QCheckBox* m_whole;
  QPushButton* m_replaceBtn;
  QPushButton* m_replaceAllBtn;
  QWidget* m_replaceRow;
};

}  // namespace vaarikas::sirel
