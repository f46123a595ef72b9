// The error viewer: a modal dialog that shows a stage's error file.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace vaarikas::sirel {

class CErrorViewerDlg : public QDialog {
  Q_OBJECT
 public:
  // path: the file to show (Windows-1257 text; shown up to its first zero byte).
  explicit CErrorViewerDlg(const QString& path, QWidget* parent = nullptr);

  QString FileName() const { return m_strFileName; }
  QPlainTextEdit* TextControl() const { return m_edit; }

  // Control identifier of the text control.
  static constexpr int kIdText = 1041;

 private:
  QString m_strFileName;
  QPlainTextEdit* m_edit;
};

}  // namespace vaarikas::sirel
