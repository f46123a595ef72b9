// The main window: menus, toolbars, status bar, the splitter with the text
// view above and the result view below. It owns the pipeline's settings
// (CMainFrame) and is the pipeline's user interface.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "common/ui.h"
#include "editor/textio.h"

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QSplitter;
class QTextCharFormat;
class QToolBar;

namespace vaarikas {
class CMainFrame;
}

namespace vaarikas::sirel {

class CFindReplaceDlg;
class CNPView;
class CSirelDoc;
class CSirelView;
class SingleInstance;

inline constexpr const char* kAppTitle = "Vaarikas";
inline constexpr int kIdAnalyse = 194;
inline constexpr int kIdOptions = 32818;
inline constexpr int kMaxRecentFiles = 4;

class CSirelFrame : public QMainWindow, public IUserInterface {
  Q_OBJECT
 public:
  // Makes the pipeline settings object for this window (tests give stand-in
  // stages); by default the real CMainFrame.
  using FrameFactory = std::function<std::unique_ptr<CMainFrame>(IUserInterface&)>;
  static FrameFactory DefaultFactory();

  // instancePath: the single-instance socket (empty: no socket).
  explicit CSirelFrame(FrameFactory factory = DefaultFactory(), const QString& instancePath = QString(),
                       QWidget* parent = nullptr);
  ~CSirelFrame() override;

  // Creates the window's parts. Fails (false) when another copy is running;
  // the program then ends.
  bool Create();

  CMainFrame& Frame() const { return *m_frame; }
  CSirelDoc* Document() const { return m_doc; }
  CSirelView* View() const { return m_view; }
  CNPView* ResultView() const { return m_npView; }
  QSplitter* Splitter() const { return m_splitter; }
  SingleInstance* Instance() const { return m_instance; }
  QToolBar* FindNPsBar() const { return m_npBar; }
  QToolBar* StandardBar() const { return m_stdBar; }
  QToolBar* FormatBar() const { return m_formatBar; }
  // The action with a command identifier (194 Analyse, 32818 Options).
  QAction* CommandAction(int id) const;

  // Tools > Options.
  void OnOptions();

  // File commands that tests and the command line use directly.
  bool OpenFile(const QString& path);
  bool SaveFile(const QString& path, TextFormat format);
  // Asks about unsaved changes; false when the user cancels.
  bool MaybeSave();
  QStringList RecentFiles() const;
  void SetLargeButtons(bool large);

  // IUserInterface.
  void MessageBox(const std::string& text) override;
  void ShowErrorFile(const std::string& path) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void SetStatusText(const std::string& text) override;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void UpdateTitle();
  void UpdateRecentMenu();
  void AddRecentFile(const QString& path);
  void OnFileNew();
  void OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnFind(bool replace);
  void OnInsertDateTime();
  void OnFormatFont();
  void OnFormatColour();
  void OnFormatBullets(bool on);
  void OnAbout();
  void MergeFormat(const QTextCharFormat& f);
  void SyncFormatBar();

  std::unique_ptr<CMainFrame> m_frame;
  CSirelDoc* m_doc;
  QSplitter* m_splitter;
  CSirelView* m_view;
  CNPView* m_npView;
  SingleInstance* m_instance;
  QToolBar* m_stdBar = nullptr;
  QToolBar* m_npBar = nullptr;
  QToolBar* m_formatBar = nullptr;
  QFontComboBox* m_fontBox = nullptr;
  QComboBox* m_sizeBox = nullptr;
  QPointer<CFindReplaceDlg> m_findDlg;
  QMenu* m_recentMenu = nullptr;
  QMenu* m_viewMenu = nullptr;
  int m_waitDepth = 0;
  bool m_sizedSplitter = false;

  QAction *m_actNew = nullptr, *m_actOpen = nullptr, *m_actSave = nullptr, *m_actSaveAs = nullptr, *m_actPrint = nullptr, *m_actPreview = nullptr, *m_actExit = nullptr;
  QAction *m_actUndo = nullptr, *m_actRedo = nullptr, *m_actCut = nullptr, *m_actCopy = nullptr, *m_actPaste = nullptr, *m_actSelectAll = nullptr, *m_actFind = nullptr, *m_actReplace = nullptr;
  QAction *m_actStatusBar = nullptr, *m_actLarge = nullptr, *m_actDateTime = nullptr;
  QAction *m_actFont = nullptr, *m_actBold = nullptr, *m_actItalic = nullptr, *m_actUnderline = nullptr, *m_actColour = nullptr, *m_actBullets = nullptr;
  QAction *m_actAlignLeft = nullptr, *m_actAlignCenter = nullptr, *m_actAlignRight = nullptr, *m_actAlignJustify = nullptr;
  QAction *m_actAnalyse = nullptr, *m_actOptions = nullptr, *m_actAbout = nullptr;
};

}  // namespace vaarikas::sirel
