#include "editor/findreplacedlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace vaarikas::sirel {

CFindReplaceDlg::CFindReplaceDlg(QTextEdit* edit, bool replace, QWidget* parent)
    : QDialog(parent),
      m_edit(edit),
      m_find(new QLineEdit(this)),
      m_replace(new QLineEdit(this)),
      m_case(new QCheckBox(QStringLiteral("Match &case"), this)),
      m_whole(new QCheckBox(QStringLiteral("Match &whole word only"), this)),
      m_replaceBtn(new QPushButton(QStringLiteral("&Replace"), this)),
      m_replaceAllBtn(new QPushButton(QStringLiteral("Replace &All"), this)),
      m_replaceRow(new QWidget(this)) {
  setModal(false);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Fi&nd what:"), m_find);
  auto* rl = new QHBoxLayout(m_replaceRow);
  rl->setContentsMargins(0, 0, 0, 0);
  auto* rlabel = new QLabel(QStringLiteral("Re&place with:"), m_replaceRow);
  rlabel->setBuddy(m_replace);
  rl->addWidget(rlabel);
  rl->addWidget(m_replace, 1);

  auto* findBtn = new QPushButton(QStringLiteral("&Find Next"), this);
  findBtn->setDefault(true);
  auto* closeBtn = new QPushButton(QStringLiteral("Close"), this);
  connect(findBtn, &QPushButton::clicked, this, &CFindReplaceDlg::FindNext);
  connect(m_replaceBtn, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceOne);
  connect(m_replaceAllBtn, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceAll);
  connect(closeBtn, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(findBtn);
  buttons->addWidget(m_replaceBtn);
  buttons->addWidget(m_replaceAllBtn);
  buttons->addWidget(closeBtn);
  buttons->addStretch(1);

  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addWidget(m_replaceRow);
  left->addWidget(m_case);
  left->addWidget(m_whole);
  left->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  SetReplaceMode(replace);
}

void CFindReplaceDlg::SetReplaceMode(bool replace) {
  setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
  m_replaceRow->setVisible(replace);
  m_replaceBtn->setVisible(replace);
  m_replaceAllBtn->setVisible(replace);
}

namespace {
QTextDocument::FindFlags Flags(const QCheckBox* cs, const QCheckBox* whole) {
  QTextDocument::FindFlags f;
  if (cs->isChecked()) f |= QTextDocument::FindCaseSensitively;
  if (whole->isChecked()) f |= QTextDocument::FindWholeWords;
  return f;
}
}  // namespace

bool CFindReplaceDlg::FindNext() {
  const QString what = m_find->text();
  if (what.isEmpty()) return false;
  QTextDocument* doc = m_edit->document();
  QTextCursor found = doc->find(what, m_edit->textCursor(), Flags(m_case, m_whole));
  if (found.isNull()) found = doc->find(what, 0, Flags(m_case, m_whole));
  if (found.isNull()) return false;
  m_edit->setTextCursor(found);
  return true;
}

bool CFindReplaceDlg::ReplaceOne() {
  QTextCursor c = m_edit->textCursor();
  Qt::CaseSensitivity cs = m_case->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
  if (c.hasSelection() && QString::compare(c.selectedText(), m_find->text(), cs) == 0) {
    c.insertText(m_replace->text());
    m_edit->setTextCursor(c);
  }
  return FindNext();
}

int CFindReplaceDlg::ReplaceAll() {
  const QString what = m_find->text();
  if (what.isEmpty()) return 0;
  QTextDocument* doc = m_edit->document();
  QTextCursor edit(doc);
  edit.beginEditBlock();
  int n = 0;
  QTextCursor found = doc->find(what, 0, Flags(m_case, m_whole));
  while (!found.isNull()) {
    found.insertText(m_replace->text());
    ++n;
    found = doc->find(what, found, Flags(m_case, m_whole));
  }
  edit.endEditBlock();
  return n;
}

}  // namespace vaarikas::sirel
