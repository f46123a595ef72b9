#include "editor/sirelframe.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextList>
#include <QToolBar>

#include "common/encoding.h"
#include "common/platform.h"
#include "editor/errorviewerdlg.h"
#include "editor/findreplacedlg.h"
#include "editor/grammaroptionsdlg.h"
#include "editor/icons.h"
#include "editor/npview.h"
#include "editor/singleinstance.h"
#include "editor/sireldoc.h"
#include "editor/sirelview.h"
#include "pipeline/mainframe.h"

namespace vaarikas::sirel {

namespace {
QString FromBytes(const std::string& cp1257) { return QString::fromStdString(Cp1257ToUtf8(cp1257)); }
constexpr const char* kRecentKey = "recentFiles";
}  // namespace

CSirelFrame::FrameFactory CSirelFrame::DefaultFactory() {
  return [](IUserInterface& ui) { return std::make_unique<CMainFrame>(ui); };
}

CSirelFrame::CSirelFrame(FrameFactory factory, const QString& instancePath, QWidget* parent)
    : QMainWindow(parent), m_frame(factory(*this)), m_instance(new SingleInstance(instancePath, this)) {
  m_doc = new CSirelDoc(m_frame.get(), this);
  m_splitter = new QSplitter(Qt::Vertical, this);
  m_view = new CSirelView(m_doc, m_splitter);
  m_npView = new CNPView(m_doc, m_splitter);
  m_splitter->addWidget(m_view);
  m_splitter->addWidget(m_npView);
  m_splitter->setStretchFactor(0, 1);
  m_splitter->setStretchFactor(1, 0);
  m_splitter->setChildrenCollapsible(false);
  m_view->setMinimumHeight(30);
  m_npView->setMinimumHeight(30);
  setCentralWidget(m_splitter);
  resize(900, 640);
  connect(m_npView, &CNPView::WordActivated, m_view, &CSirelView::SelectRange);
  connect(m_doc, &CSirelDoc::PathChanged, this, &CSirelFrame::UpdateTitle);
  connect(m_doc->Text(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
  connect(m_instance, &SingleInstance::RaiseRequested, this, [this] {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
  });
  UpdateTitle();
}

CSirelFrame::~CSirelFrame() {
  // The views belong to the document's view list; take them down first.
  delete m_splitter;
  m_splitter = nullptr;
  while (m_waitDepth > 0) EndWaitCursor();
}

bool CSirelFrame::Create() {
  // The frame exists and carries its title; before any bar is made, make sure
  // no other copy runs.
  std::vector<std::uint32_t> own;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->internalWinId()) own.push_back(static_cast<std::uint32_t>(w->internalWinId()));
  if (m_instance->FindOtherCopy(own)) {
    MessageBox(kMsgAlreadyRunning);
    m_instance->RaiseOther();
    return false;
  }
  CreateActions();
  CreateMenus();
  CreateToolBars();
  statusBar()->showMessage(QStringLiteral("Ready"));
  // When a menu's status tip goes away the idle text comes back.
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
    if (text.isEmpty()) statusBar()->showMessage(QStringLiteral("Ready"));
  });
  m_instance->Listen();
  SyncFormatBar();
  return true;
}

QAction* CSirelFrame::CommandAction(int id) const {
  const auto actions = findChildren<QAction*>();
  for (QAction* a : actions)
    if (a->property("commandId").toInt() == id) return a;
  return nullptr;
}

// ---- IUserInterface ----

void CSirelFrame::MessageBox(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), FromBytes(text), QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("messageBox"));
  // The wait cursor of a running command must not hide the box's arrow.
  const bool waiting = m_waitDepth > 0;
  if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  if (waiting) QApplication::restoreOverrideCursor();
}

void CSirelFrame::ShowErrorFile(const std::string& path) {
  CErrorViewerDlg dlg(QString::fromStdString(path), this);
  const bool waiting = m_waitDepth > 0;
  if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
  dlg.exec();
  if (waiting) QApplication::restoreOverrideCursor();
}

void CSirelFrame::BeginWaitCursor() {
  ++m_waitDepth;
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CSirelFrame::EndWaitCursor() {
  if (m_waitDepth == 0) return;
  --m_waitDepth;
  QApplication::restoreOverrideCursor();
}

void CSirelFrame::SetStatusText(const std::string& text) {
  statusBar()->showMessage(FromBytes(text));
  // The pipeline blocks the event loop: paint the text now.
  statusBar()->repaint();
}

// ---- Options ----

void CSirelFrame::OnOptions() {
  CGrammarOptionsDlg dlg(this);
  dlg.m_nHeuristics = m_frame->m_nHeuristics;
  dlg.m_strGrammarFile = QString::fromStdString(m_frame->m_strGrammarFile);
  dlg.m_nSelected = -1;
  // The grammar files offered are those of the directory the syntax stage
  // opens the grammar from, under their real names (file names are
  // case-sensitive here).
  const auto names = plat::ListMatching(m_frame->m_strProgDir, "*.rle");
  int inexact = -1;
  for (const std::string& name : names) {
    const int index = static_cast<int>(dlg.m_names.size());
    dlg.m_names << QString::fromStdString(name);
    if (name == m_frame->m_strGrammarFile) dlg.m_nSelected = index;
    else if (inexact < 0 && QString::fromStdString(name).compare(dlg.m_strGrammarFile, Qt::CaseInsensitive) == 0)
      inexact = index;
  }
  if (dlg.m_nSelected < 0) dlg.m_nSelected = inexact;
  if (dlg.exec() == QDialog::Accepted) {
    m_frame->m_nHeuristics = dlg.m_nHeuristics;
    m_frame->m_strGrammarFile = dlg.m_strGrammarFile.toStdString();
  }
}

// ---- Actions, menus, bars ----

void CSirelFrame::CreateActions() {
  auto make = [this](const QString& text, const QIcon& icon, QKeySequence key, const QString& tip) {
    auto* a = new QAction(icon, text, this);
    if (!key.isEmpty()) a->setShortcut(key);
    a->setStatusTip(tip);
    return a;
  };
  m_actNew = make(QStringLiteral("&New"), GlyphIcon(Glyph::kNew), QKeySequence::New, QStringLiteral("Create a new document"));
  m_actOpen = make(QStringLiteral("&Open..."), GlyphIcon(Glyph::kOpen), QKeySequence::Open, QStringLiteral("Open an existing document"));
  m_actSave = make(QStringLiteral("&Save"), GlyphIcon(Glyph::kSave), QKeySequence::Save, QStringLiteral("Save the active document"));
  m_actSaveAs = make(QStringLiteral("Save &As..."), QIcon(), QKeySequence::SaveAs, QStringLiteral("Save the active document with a new name"));
  m_actPrint = make(QStringLiteral("&Print..."), GlyphIcon(Glyph::kPrint), QKeySequence::Print, QStringLiteral("Print the active document"));
  m_actPreview = make(QStringLiteral("Print Pre&view"), GlyphIcon(Glyph::kPreview), QKeySequence(), QStringLiteral("Display full pages"));
  m_actExit = make(QStringLiteral("E&xit"), QIcon(), QKeySequence::Quit, QStringLiteral("Quit the application; prompts to save documents"));
  connect(m_actNew, &QAction::triggered, this, &CSirelFrame::OnFileNew);
  connect(m_actOpen, &QAction::triggered, this, &CSirelFrame::OnFileOpen);
  connect(m_actSave, &QAction::triggered, this, &CSirelFrame::OnFileSave);
  connect(m_actSaveAs, &QAction::triggered, this, &CSirelFrame::OnFileSaveAs);
  connect(m_actPrint, &QAction::triggered, this, &CSirelFrame::OnFilePrint);
  connect(m_actPreview, &QAction::triggered, this, &CSirelFrame::OnFilePrintPreview);
  connect(m_actExit, &QAction::triggered, this, &QWidget::close);

  m_actUndo = make(QStringLiteral("&Undo"), GlyphIcon(Glyph::kUndo), QKeySequence::Undo, QStringLiteral("Undo the last action"));
  m_actRedo = make(QStringLiteral("&Redo"), GlyphIcon(Glyph::kRedo), QKeySequence::Redo, QStringLiteral("Redo the previously undone action"));
  m_actCut = make(QStringLiteral("Cu&t"), GlyphIcon(Glyph::kCut), QKeySequence::Cut, QStringLiteral("Cut the selection and put it on the Clipboard"));
  m_actCopy = make(QStringLiteral("&Copy"), GlyphIcon(Glyph::kCopy), QKeySequence::Copy, QStringLiteral("Copy the selection and put it on the Clipboard"));
  m_actPaste = make(QStringLiteral("&Paste"), GlyphIcon(Glyph::kPaste), QKeySequence::Paste, QStringLiteral("Insert Clipboard contents"));
  m_actSelectAll = make(QStringLiteral("Select A&ll"), QIcon(), QKeySequence::SelectAll, QStringLiteral("Select the entire document"));
  m_actFind = make(QStringLiteral("&Find..."), GlyphIcon(Glyph::kFind), QKeySequence::Find, QStringLiteral("Find the specified text"));
  m_actReplace = make(QStringLiteral("R&eplace..."), QIcon(), QKeySequence::Replace, QStringLiteral("Replace specific text with different text"));
  m_actUndo->setEnabled(false);
  m_actRedo->setEnabled(false);
  m_actCut->setEnabled(false);
  m_actCopy->setEnabled(false);
  connect(m_actUndo, &QAction::triggered, m_view, &QTextEdit::undo);
  connect(m_actRedo, &QAction::triggered, m_view, &QTextEdit::redo);
  connect(m_actCut, &QAction::triggered, m_view, &QTextEdit::cut);
  connect(m_actCopy, &QAction::triggered, m_view, &QTextEdit::copy);
  connect(m_actPaste, &QAction::triggered, m_view, &QTextEdit::paste);
  connect(m_actSelectAll, &QAction::triggered, m_view, &QTextEdit::selectAll);
  connect(m_view, &QTextEdit::undoAvailable, m_actUndo, &QAction::setEnabled);
  connect(m_view, &QTextEdit::redoAvailable, m_actRedo, &QAction::setEnabled);
  connect(m_view, &QTextEdit::copyAvailable, m_actCut, &QAction::setEnabled);
  connect(m_view, &QTextEdit::copyAvailable, m_actCopy, &QAction::setEnabled);
  connect(m_actFind, &QAction::triggered, this, [this] { OnFind(false); });
  connect(m_actReplace, &QAction::triggered, this, [this] { OnFind(true); });

  m_actStatusBar = make(QStringLiteral("&Status Bar"), QIcon(), QKeySequence(), QStringLiteral("Show or hide the status bar"));
  m_actStatusBar->setCheckable(true);
  m_actStatusBar->setChecked(true);
  connect(m_actStatusBar, &QAction::toggled, statusBar(), &QWidget::setVisible);
  m_actLarge = make(QStringLiteral("&Large Buttons"), QIcon(), QKeySequence(), QStringLiteral("Show large toolbar buttons"));
  m_actLarge->setCheckable(true);
  connect(m_actLarge, &QAction::toggled, this, &CSirelFrame::SetLargeButtons);

  m_actDateTime = make(QStringLiteral("&Date and Time..."), GlyphIcon(Glyph::kDate), QKeySequence(), QStringLiteral("Insert the date and time"));
  connect(m_actDateTime, &QAction::triggered, this, &CSirelFrame::OnInsertDateTime);

  m_actFont = make(QStringLiteral("&Font..."), QIcon(), QKeySequence(), QStringLiteral("Change the font of the selection"));
  m_actBold = make(QStringLiteral("&Bold"), GlyphIcon(Glyph::kBold), QKeySequence::Bold, QStringLiteral("Make the selection bold"));
  m_actItalic = make(QStringLiteral("&Italic"), GlyphIcon(Glyph::kItalic), QKeySequence::Italic, QStringLiteral("Make the selection italic"));
  m_actUnderline = make(QStringLiteral("&Underline"), GlyphIcon(Glyph::kUnderline), QKeySequence::Underline, QStringLiteral("Underline the selection"));
  m_actColour = make(QStringLiteral("&Colour..."), GlyphIcon(Glyph::kColour), QKeySequence(), QStringLiteral("Change the colour of the selection"));
  m_actBullets = make(QStringLiteral("Bullet &Style"), GlyphIcon(Glyph::kBullets), QKeySequence(), QStringLiteral("Insert or remove a bullet on this line"));
  for (QAction* a : {m_actBold, m_actItalic, m_actUnderline, m_actBullets}) a->setCheckable(true);
  connect(m_actFont, &QAction::triggered, this, &CSirelFrame::OnFormatFont);
  connect(m_actColour, &QAction::triggered, this, &CSirelFrame::OnFormatColour);
  connect(m_actBullets, &QAction::triggered, this, &CSirelFrame::OnFormatBullets);
  connect(m_actBold, &QAction::triggered, this, [this](bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MergeFormat(f);
  });
  connect(m_actItalic, &QAction::triggered, this, [this](bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    MergeFormat(f);
  });
  connect(m_actUnderline, &QAction::triggered, this, [this](bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    MergeFormat(f);
  });
  auto* align = new QActionGroup(this);
  m_actAlignLeft = make(QStringLiteral("&Left"), GlyphIcon(Glyph::kAlignLeft), QKeySequence(), QStringLiteral("Align left"));
  m_actAlignCenter = make(QStringLiteral("&Centre"), GlyphIcon(Glyph::kAlignCenter), QKeySequence(), QStringLiteral("Centre"));
  m_actAlignRight = make(QStringLiteral("&Right"), GlyphIcon(Glyph::kAlignRight), QKeySequence(), QStringLiteral("Align right"));
  m_actAlignJustify = make(QStringLiteral("&Justify"), GlyphIcon(Glyph::kAlignJustify), QKeySequence(), QStringLiteral("Justify"));
  const std::pair<QAction*, Qt::Alignment> aligns[] = {{m_actAlignLeft, Qt::AlignLeft},
                                                       {m_actAlignCenter, Qt::AlignHCenter},
                                                       {m_actAlignRight, Qt::AlignRight},
                                                       {m_actAlignJustify, Qt::AlignJustify}};
  for (const auto& [a, al] : aligns) {
    a->setCheckable(true);
    align->addAction(a);
    const Qt::Alignment value = al;
    connect(a, &QAction::triggered, this, [this, value] { m_view->setAlignment(value); });
  }

  m_actAnalyse = make(QStringLiteral("&Analyse"), GlyphIcon(Glyph::kAnalyse), QKeySequence(Qt::Key_F9),
                      QStringLiteral("Analyse text"));
  m_actAnalyse->setToolTip(QStringLiteral("Analyse"));
  m_actAnalyse->setProperty("commandId", kIdAnalyse);
  connect(m_actAnalyse, &QAction::triggered, m_view, &CSirelView::OnAnalyse);
  m_actOptions = make(QStringLiteral("&Options"), QIcon(), QKeySequence(),
                      QStringLiteral("Choose the heuristics and the grammar file"));
  m_actOptions->setProperty("commandId", kIdOptions);
  connect(m_actOptions, &QAction::triggered, this, &CSirelFrame::OnOptions);

  m_actAbout = make(QStringLiteral("&About Vaarikas..."), QIcon(), QKeySequence(),
                    QStringLiteral("Display program information and version"));
  connect(m_actAbout, &QAction::triggered, this, &CSirelFrame::OnAbout);

  connect(m_view, &QTextEdit::currentCharFormatChanged, this, &CSirelFrame::SyncFormatBar);
  connect(m_view, &QTextEdit::cursorPositionChanged, this, &CSirelFrame::SyncFormatBar);
}

void CSirelFrame::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addActions({m_actNew, m_actOpen, m_actSave, m_actSaveAs});
  file->addSeparator();
  file->addActions({m_actPrint, m_actPreview});
  file->addSeparator();
  m_recentMenu = file->addMenu(QStringLiteral("Recent &Files"));
  file->addSeparator();
  file->addAction(m_actExit);
  UpdateRecentMenu();

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->addActions({m_actUndo, m_actRedo});
  edit->addSeparator();
  edit->addActions({m_actCut, m_actCopy, m_actPaste});
  edit->addSeparator();
  edit->addAction(m_actSelectAll);
  edit->addSeparator();
  edit->addActions({m_actFind, m_actReplace});

  m_viewMenu = menuBar()->addMenu(QStringLiteral("&View"));

  QMenu* insert = menuBar()->addMenu(QStringLiteral("&Insert"));
  insert->addAction(m_actDateTime);

  QMenu* format = menuBar()->addMenu(QStringLiteral("F&ormat"));
  format->addAction(m_actFont);
  format->addActions({m_actBold, m_actItalic, m_actUnderline, m_actColour});
  format->addSeparator();
  QMenu* para = format->addMenu(QStringLiteral("&Paragraph Alignment"));
  para->addActions({m_actAlignLeft, m_actAlignCenter, m_actAlignRight, m_actAlignJustify});
  format->addAction(m_actBullets);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  tools->addAction(m_actAnalyse);
  tools->addAction(m_actOptions);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(m_actAbout);
}

void CSirelFrame::CreateToolBars() {
  m_stdBar = new QToolBar(QStringLiteral("Toolbar"), this);
  m_stdBar->setObjectName(QStringLiteral("standardBar"));
  m_stdBar->addActions({m_actNew, m_actOpen, m_actSave});
  m_stdBar->addSeparator();
  m_stdBar->addActions({m_actPrint, m_actPreview});
  m_stdBar->addSeparator();
  m_stdBar->addActions({m_actFind, m_actCut, m_actCopy, m_actPaste, m_actUndo, m_actRedo});
  m_stdBar->addSeparator();
  m_stdBar->addAction(m_actDateTime);

  m_formatBar = new QToolBar(QStringLiteral("Format Bar"), this);
  m_formatBar->setObjectName(QStringLiteral("formatBar"));
  m_fontBox = new QFontComboBox(m_formatBar);
  m_fontBox->setObjectName(QStringLiteral("fontBox"));
  m_sizeBox = new QComboBox(m_formatBar);
  m_sizeBox->setObjectName(QStringLiteral("sizeBox"));
  m_sizeBox->setEditable(true);
  for (int s : QFontDatabase::standardSizes()) m_sizeBox->addItem(QString::number(s));
  m_sizeBox->setMinimumContentsLength(3);
  m_formatBar->addWidget(m_fontBox);
  m_formatBar->addWidget(m_sizeBox);
  m_formatBar->addActions({m_actBold, m_actItalic, m_actUnderline, m_actColour});
  m_formatBar->addSeparator();
  m_formatBar->addActions({m_actAlignLeft, m_actAlignCenter, m_actAlignRight, m_actAlignJustify});
  m_formatBar->addSeparator();
  m_formatBar->addAction(m_actBullets);
  connect(m_fontBox, &QFontComboBox::textActivated, this, [this](const QString& family) {
    QTextCharFormat f;
    f.setFontFamilies({family});
    MergeFormat(f);
  });
  connect(m_sizeBox, &QComboBox::textActivated, this, [this](const QString& size) {
    bool ok = false;
    const double pt = size.toDouble(&ok);
    if (ok && pt > 0 && pt < 1000) {
      QTextCharFormat f;
      f.setFontPointSize(pt);
      MergeFormat(f);
    }
  });

  // The "Find NPs" bar: one button, the Analyse command.
  m_npBar = new QToolBar(QStringLiteral("Find NPs"), this);
  m_npBar->setObjectName(QStringLiteral("findNPsBar"));
  m_npBar->addAction(m_actAnalyse);
  for (QToolBar* b : {m_stdBar, m_npBar, m_formatBar}) {
    b->setAllowedAreas(Qt::AllToolBarAreas);
    b->setFloatable(true);
    b->setMovable(true);
    b->setIconSize(QSize(16, 16));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  }
  // Top row: the standard bar, the "Find NPs" bar right after it, then the
  // format bar.
  addToolBar(Qt::TopToolBarArea, m_stdBar);
  addToolBar(Qt::TopToolBarArea, m_npBar);
  addToolBar(Qt::TopToolBarArea, m_formatBar);

  QAction* showStd = m_stdBar->toggleViewAction();
  showStd->setText(QStringLiteral("&Toolbar"));
  QAction* showFormat = m_formatBar->toggleViewAction();
  showFormat->setText(QStringLiteral("&Format Bar"));
  QAction* showNp = m_npBar->toggleViewAction();
  showNp->setText(QStringLiteral("Find &NPs Bar"));
  m_viewMenu->addActions({showStd, showFormat, showNp, m_actStatusBar});
  m_viewMenu->addSeparator();
  m_viewMenu->addAction(m_actLarge);
}

void CSirelFrame::SetLargeButtons(bool large) {
  const QSize size = large ? QSize(24, 24) : QSize(16, 16);
  for (QToolBar* b : {m_stdBar, m_npBar, m_formatBar})
    if (b) b->setIconSize(size);
  if (m_actLarge && m_actLarge->isChecked() != large) m_actLarge->setChecked(large);
}

void CSirelFrame::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!m_sizedSplitter) {
    // At creation the lower pane is 100 pixels high, the upper one the rest.
    m_sizedSplitter = true;
    const int h = m_splitter->height();
    m_splitter->setSizes({qMax(0, h - 100 - m_splitter->handleWidth()), 100});
  }
}

void CSirelFrame::UpdateTitle() {
  setWindowTitle(m_doc->Title() + QStringLiteral("[*] - ") + QString::fromLatin1(kAppTitle));
  setWindowModified(m_doc->IsModified());
}

// ---- File ----

bool CSirelFrame::MaybeSave() {
  if (!m_doc->IsModified()) return true;
  const auto answer = QMessageBox::question(
      this, QString::fromLatin1(kAppTitle), QStringLiteral("Save changes to %1?").arg(m_doc->Title()),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::No) return true;
  return OnFileSave();
}

void CSirelFrame::closeEvent(QCloseEvent* e) {
  if (MaybeSave()) e->accept();
  else e->ignore();
}

void CSirelFrame::OnFileNew() {
  if (!MaybeSave()) return;
  m_doc->NewDocument();
}

void CSirelFrame::OnFileOpen() {
  if (!MaybeSave()) return;
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), OpenFilters());
  if (!path.isEmpty()) OpenFile(path);
}

bool CSirelFrame::OpenFile(const QString& path) {
  QString error;
  if (!m_doc->Open(path, &error)) {
    QMessageBox::warning(this, QString::fromLatin1(kAppTitle), QStringLiteral("Cannot open %1:\n%2").arg(path, error));
    return false;
  }
  AddRecentFile(path);
  return true;
}

bool CSirelFrame::OnFileSave() {
  if (m_doc->Path().isEmpty() || m_doc->Format() == TextFormat::kOdt) return OnFileSaveAs();
  return SaveFile(m_doc->Path(), m_doc->Format());
}

bool CSirelFrame::OnFileSaveAs() {
  QString filter = FilterForFormat(m_doc->Format());
  QString start = m_doc->Path().isEmpty() ? m_doc->Title() + QStringLiteral(".txt") : m_doc->Path();
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), start,
                                                    SaveFilters().join(QStringLiteral(";;")), &filter);
  if (path.isEmpty()) return false;
  return SaveFile(path, FormatFromFilter(filter, path));
}

bool CSirelFrame::SaveFile(const QString& path, TextFormat format) {
  if (format == TextFormat::kPlainCp1257) {
    std::size_t lost = 0;
    DocumentBytes(*m_doc->Text(), format, &lost);
    if (lost > 0 &&
        QMessageBox::question(this, QString::fromLatin1(kAppTitle),
                              QStringLiteral("%1 character(s) of the text have no Windows-1257 form and would be "
                                             "saved as \"?\". Save anyway?")
                                  .arg(lost),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
      return false;
  }
  QString error;
  if (!m_doc->SaveAs(path, format, &error)) {
    // The text stays in the editor, still marked as changed.
    QMessageBox::warning(this, QString::fromLatin1(kAppTitle),
                         QStringLiteral("Cannot save %1:\n%2\nThe text is still in the editor.").arg(path, error));
    return false;
  }
  AddRecentFile(path);
  statusBar()->showMessage(QStringLiteral("Saved %1").arg(QFileInfo(path).fileName()), 3000);
  return true;
}

QStringList CSirelFrame::RecentFiles() const { return QSettings().value(kRecentKey).toStringList(); }

void CSirelFrame::AddRecentFile(const QString& path) {
  QSettings settings;
  QStringList list = settings.value(kRecentKey).toStringList();
  const QString abs = QFileInfo(path).absoluteFilePath();
  list.removeAll(abs);
  list.prepend(abs);
  while (list.size() > kMaxRecentFiles) list.removeLast();
  settings.setValue(kRecentKey, list);
  UpdateRecentMenu();
}

void CSirelFrame::UpdateRecentMenu() {
  if (!m_recentMenu) return;
  m_recentMenu->clear();
  const QStringList list = RecentFiles();
  int n = 0;
  for (const QString& path : list) {
    QAction* a = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(QFileInfo(path).fileName()));
    a->setStatusTip(path);
    connect(a, &QAction::triggered, this, [this, path] {
      if (MaybeSave()) OpenFile(path);
    });
  }
  m_recentMenu->setEnabled(!list.isEmpty());
}

void CSirelFrame::OnFilePrint() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dlg(&printer, this);
  if (m_view->textCursor().hasSelection()) dlg.setOption(QAbstractPrintDialog::PrintSelection);
  if (dlg.exec() == QDialog::Accepted) m_view->print(&printer);
}

void CSirelFrame::OnFilePrintPreview() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog dlg(&printer, this);
  connect(&dlg, &QPrintPreviewDialog::paintRequested, m_view, &QTextEdit::print);
  dlg.exec();
}

// ---- Edit, Insert, Format, Help ----

void CSirelFrame::OnFind(bool replace) {
  if (!m_findDlg) m_findDlg = new CFindReplaceDlg(m_view, replace, this);
  m_findDlg->SetReplaceMode(replace);
  const QString sel = m_view->textCursor().selectedText();
  if (!sel.isEmpty() && !sel.contains(QChar::ParagraphSeparator)) m_findDlg->FindEdit()->setText(sel);
  m_findDlg->show();
  m_findDlg->raise();
  m_findDlg->activateWindow();
}

void CSirelFrame::OnInsertDateTime() {
  m_view->insertPlainText(QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
}

void CSirelFrame::MergeFormat(const QTextCharFormat& f) {
  QTextCursor c = m_view->textCursor();
  if (!c.hasSelection()) c.select(QTextCursor::WordUnderCursor);
  c.mergeCharFormat(f);
  m_view->mergeCurrentCharFormat(f);
}

void CSirelFrame::OnFormatFont() {
  bool ok = false;
  QFont f = QFontDialog::getFont(&ok, m_view->currentFont(), this, QStringLiteral("Font"));
  if (!ok) return;
  QTextCharFormat fmt;
  fmt.setFont(f);
  MergeFormat(fmt);
}

void CSirelFrame::OnFormatColour() {
  QColor c = QColorDialog::getColor(m_view->textColor(), this, QStringLiteral("Colour"));
  if (!c.isValid()) return;
  QTextCharFormat fmt;
  fmt.setForeground(c);
  MergeFormat(fmt);
}

void CSirelFrame::OnFormatBullets(bool on) {
  QTextCursor c = m_view->textCursor();
  c.beginEditBlock();
  if (on) {
    QTextListFormat lf;
    lf.setStyle(QTextListFormat::ListDisc);
    c.createList(lf);
  } else if (QTextList* list = c.currentList()) {
    QTextBlockFormat bf = c.blockFormat();
    bf.setIndent(0);
    const QTextBlock block = c.block();
    list->remove(block);
    c.setBlockFormat(bf);
  }
  c.endEditBlock();
}

void CSirelFrame::SyncFormatBar() {
  if (!m_actBold) return;
  const QTextCharFormat f = m_view->currentCharFormat();
  m_actBold->setChecked(f.fontWeight() >= QFont::Bold);
  m_actItalic->setChecked(f.fontItalic());
  m_actUnderline->setChecked(f.fontUnderline());
  const Qt::Alignment a = m_view->alignment();
  if (a & Qt::AlignHCenter) m_actAlignCenter->setChecked(true);
  else if (a & Qt::AlignRight) m_actAlignRight->setChecked(true);
  else if (a & Qt::AlignJustify) m_actAlignJustify->setChecked(true);
  else m_actAlignLeft->setChecked(true);
  m_actBullets->setChecked(m_view->textCursor().currentList() != nullptr);
  if (m_fontBox) {
    const QFont font = f.font();
    m_fontBox->setCurrentFont(font);
    const double pt = font.pointSizeF() > 0 ? font.pointSizeF() : m_view->font().pointSizeF();
    m_sizeBox->setEditText(QString::number(pt));
  }
}

void CSirelFrame::OnAbout() {
  QMessageBox::about(this, QStringLiteral("About Vaarikas"),
                     QStringLiteral("<b>Vaarikas</b> %1<br>An editor that finds the noun phrases and other "
                                    "syntactic functions of Estonian text.")
                         .arg(QApplication::applicationVersion()));
}

}  // namespace vaarikas::sirel
