#include "editor/grammaroptionsdlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/dlgunits.h"

namespace vaarikas::sirel {

CGrammarOptionsDlg::CGrammarOptionsDlg(QWidget* parent)
    : QDialog(parent), m_group(new QButtonGroup(this)), m_combo(new QComboBox(this)) {
  setWindowTitle(QStringLiteral("Vaarikas's Options"));
  setModal(true);
  resize(DialogUnits(this, 185, 135));

  auto* heur = new QGroupBox(QStringLiteral("Heuristics"), this);
  auto* hl = new QVBoxLayout(heur);
  const char* labels[] = {"Don't use heuristics", "Use best heuristics", "Use all heuristics"};
  const int ids[] = {kIdNoHeuristics, kIdBestHeuristics, kIdAllHeuristics};
  for (int i = 0; i < 3; ++i) {
    auto* rb = new QRadioButton(QString::fromLatin1(labels[i]), heur);
    rb->setObjectName(QString::number(ids[i]));
    m_group->addButton(rb, i);
    hl->addWidget(rb);
  }

  auto* gram = new QGroupBox(QStringLiteral("Grammar File"), this);
  auto* gl = new QVBoxLayout(gram);
  auto* label = new QLabel(QStringLiteral("Choose grammar file for syntactic analysis:"), gram);
  m_combo->setObjectName(QString::number(kIdGrammarList));
  m_combo->setEditable(false);
  m_combo->setInsertPolicy(QComboBox::NoInsert);
  label->setBuddy(m_combo);
  gl->addWidget(label);
  gl->addWidget(m_combo);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heur);
  layout->addWidget(gram);
  layout->addStretch(1);
  layout->addWidget(buttons);

  connect(m_combo, &QComboBox::currentIndexChanged, this, &CGrammarOptionsDlg::OnSelChange);
}

int CGrammarOptionsDlg::exec() {
  // Initialisation from the data members.
  m_combo->clear();
  m_combo->addItems(m_names);
  m_combo->setCurrentIndex(m_nSelected >= 0 && m_nSelected < m_names.size() ? m_nSelected : -1);
  if (QAbstractButton* b = m_group->button(m_nHeuristics)) b->setChecked(true);
  return QDialog::exec();
}

void CGrammarOptionsDlg::OnSelChange(int index) {
  if (index < 0 || index >= m_names.size()) return;
  m_nSelected = index;
  m_strGrammarFile = m_names.at(index);
}

void CGrammarOptionsDlg::accept() {
  int id = m_group->checkedId();
  if (id >= 0) m_nHeuristics = id;
  QDialog::accept();
}

}  // namespace vaarikas::sirel
