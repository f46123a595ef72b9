// The options dialog: heuristics level and syntax grammar file.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QComboBox;

namespace vaarikas::sirel {

class CGrammarOptionsDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CGrammarOptionsDlg(QWidget* parent = nullptr);

  // Data exchanged with the caller. Set them before exec(); read them after.
  int m_nHeuristics = 1;       // index in the radio group (0, 1, 2)
  int m_nSelected = -1;        // index in m_names, -1 for none
  QString m_strGrammarFile;    // the chosen grammar file name
  QStringList m_names;         // offered grammar files, in list order

  static constexpr int kIdNoHeuristics = 1033;
  static constexpr int kIdBestHeuristics = 1034;
  static constexpr int kIdAllHeuristics = 1035;
  static constexpr int kIdGrammarList = 1040;

  QButtonGroup* HeuristicsGroup() const { return m_group; }
  QComboBox* GrammarList() const { return m_combo; }

  int exec() override;
  void accept() override;

 private:
  void OnSelChange(int index);

  QButtonGroup* m_group;
  QComboBox* m_combo;
};

}  // namespace vaarikas::sirel
