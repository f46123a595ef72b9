#include "editor/errorviewerdlg.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "common/encoding.h"
#include "editor/dlgunits.h"

namespace vaarikas::sirel {

CErrorViewerDlg::CErrorViewerDlg(const QString& path, QWidget* parent)
    : QDialog(parent), m_strFileName(path), m_edit(new QPlainTextEdit(this)) {
  setWindowTitle(QStringLiteral("Error Viewer"));
  setModal(true);
  resize(DialogUnits(this, 260, 98));

  m_edit->setObjectName(QString::number(kIdText));
  m_edit->setReadOnly(true);
  m_edit->setUndoRedoEnabled(false);
  m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("closeButton"));
  close->setDefault(true);
  close->setAutoDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_edit, 1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(close);
  layout->addLayout(row);

  // The whole file as plain text, up to its first zero byte.
  QByteArray bytes;
  QFile f(path);
  if (f.open(QIODevice::ReadOnly)) bytes = f.readAll();
  if (qsizetype z = bytes.indexOf('\0'); z >= 0) bytes.truncate(z);
  m_edit->setPlainText(QString::fromStdString(Cp1257ToUtf8(bytes.toStdString())));
  QTextCursor c = m_edit->textCursor();
  c.movePosition(QTextCursor::Start);
  m_edit->setTextCursor(c);
  m_edit->ensureCursorVisible();
  close->setFocus();
}

}  // namespace vaarikas::sirel
