// The editable text view, the upper pane of the main window.
#pragma once

#include <QTextEdit>
#include <string>

#include "editor/sireldoc.h"

namespace vaarikas::sirel {

// The bytes of the source file for an editor text: Windows-1257 as
// ExportBytes writes it (full stop added when needed, final zero byte).
// Characters without a Windows-1257 form, and the two spacing accents whose
// positions the export reserves for S/Z with caron, are written as "?";
// *unencodable (if given) counts them.
std::string SourceBytes(const QString& text, std::size_t* unencodable = nullptr);

class CSirelView : public QTextEdit, public CView {
  Q_OBJECT
 public:
  explicit CSirelView(CSirelDoc* doc, QWidget* parent = nullptr);
  ~CSirelView() override;

  CSirelDoc* GetDocument() const { return m_doc; }

  // The Analyse command: exports the text to the source file in the working
  // directory, runs the pipeline there and has the other views reload.
  void OnAnalyse();

  // Writes the text to analyse into path. On failure returns false and
  // *error holds the reason.
  bool ExportSelection(const std::string& path, std::string* error, std::size_t* unencodable = nullptr) const;

  // The text to analyse: the selection, or the whole text when nothing is
  // selected. *start (if given) receives its position in the document.
  // The selection itself is left as it is.
  QString TextToAnalyse(int* start = nullptr) const;

  // Selects a stretch of the text and scrolls it into view.
  void SelectRange(int start, int length);

  void OnUpdate(CView* sender, int hint) override;

 private:
  CSirelDoc* m_doc;
};

}  // namespace vaarikas::sirel
