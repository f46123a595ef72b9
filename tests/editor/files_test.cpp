// The editor's files: reading the result file, opening and saving documents
// in their formats, and that a failed save loses nothing.
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include "editor/resultmodel.h"
#include "editor/sireldoc.h"
#include "editor/textio.h"
#include "harness.h"

using namespace vaarikas::sirel;
using sireltest::ReadBytes;
using sireltest::WriteBytes;

class FilesTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("sirel-test")); }

  void resultWordsAndFunctions() {
    const std::string snx =
        "$LA$\r\n    $LA$ //_Z_ //\r\n"
        "Suur\n    suur+0 //_A_ sg n, // @AN>\n"
        "maja\n    maja+0 //_S_ sg n, // @SUBJ @OBJ\n    maja+0 //_S_ sg g, // @NN>\n"
        "! a comment line\n"
        "$<tag\nits partner line\n"
        "seisab\n    seis+b //_V_ b, // **CLB @FMV\n"
        "pikk+a\n    pikk+0 //_A_ sg n, // @AN>&\n@<NN\n"
        "$\n    $ //_Z_ //\n"
        "\n$.\n    . //_Z_ //\n$LL$\n    $LL$ //_Z_ //\n"
        "<<<\nTeine\n    teine+0 //_P_ sg n, // @SUBJ\n";
    auto sentences = ParseResult(snx + std::string("\0garbage after zero\n", 20));
    QCOMPARE(sentences.size(), size_t(2));
    const auto& s = sentences[0].words;
    QCOMPARE(s.size(), size_t(6));
    QCOMPARE(s[0].word, std::string("Suur"));
    QCOMPARE(s[0].function, Function::kPremodifier);
    QCOMPARE(s[1].tags, (std::vector<std::string>{"@SUBJ", "@OBJ", "@NN>"}));
    QCOMPARE(s[1].function, Function::kSubject);
    QCOMPARE(s[2].word, std::string("seisab"));
    QCOMPARE(s[2].function, Function::kVerb);
    QCOMPARE(s[3].tags, (std::vector<std::string>{"@AN>", "@<NN"}));
    QCOMPARE(s[4].word, std::string("$"));  // a real token, not a marker
    QCOMPARE(s[5].word, std::string("."));
    QCOMPARE(s[5].function, Function::kNone);
    QCOMPARE(sentences[1].words.size(), size_t(1));

    QCOMPARE(ClassifyTag("@PRD"), Function::kPredicative);
    QCOMPARE(ClassifyTag("@ADVL"), Function::kAdverbial);
    QCOMPARE(ClassifyTag("@P>"), Function::kAdpComplement);
    QCOMPARE(ClassifyTag("@<P"), Function::kAdpComplement);
    QCOMPARE(ClassifyTag("@KN>"), Function::kPremodifier);
    QCOMPARE(ClassifyTag("@<KN"), Function::kPostmodifier);
    QCOMPARE(ClassifyTag("@NEG"), Function::kVerb);
    QCOMPARE(ClassifyTag("@J"), Function::kConjunction);
    QCOMPARE(ClassifyTag("@???"), Function::kOther);
    QVERIFY(ParseResult("").empty());
    QVERIFY(ParseResult("    orphan reading @SUBJ\n&\n&").empty());
  }

  void plainTextEncodingsAreDetected() {
    TextFormat f;
    QCOMPARE(DecodePlainText("\xEF\xBB\xBFS\xC3\xB5na\r\nrida\r", &f), QStringLiteral("S\u00f5na\nrida\n"));
    QCOMPARE(f, TextFormat::kPlainUtf8);
    QCOMPARE(DecodePlainText("S\xF5na \xD0okk", &f), QStringLiteral("S\u00f5na \u0160okk"));
    QCOMPARE(f, TextFormat::kPlainCp1257);
  }

  void saveAndReopenEveryFormat_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("utf-8") << int(TextFormat::kPlainUtf8) << QStringLiteral("a.txt");
    QTest::newRow("windows-1257") << int(TextFormat::kPlainCp1257) << QStringLiteral("b.txt");
    QTest::newRow("html") << int(TextFormat::kHtml) << QStringLiteral("c.html");
    QTest::newRow("markdown") << int(TextFormat::kMarkdown) << QStringLiteral("d.md");
  }

  void saveAndReopenEveryFormat() {
    QFETCH(int, format);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    CSirelDoc doc(nullptr);
    doc.Text()->setPlainText(QStringLiteral("\u0160okolaadi\u00f5un on h\u00e4\u00e4.\nTeine rida."));
    QString error;
    QVERIFY2(doc.SaveAs(path, TextFormat(format), &error), qPrintable(error));
    QVERIFY(!doc.IsModified());
    if (TextFormat(format) == TextFormat::kPlainCp1257)
      QCOMPARE(ReadBytes(path), std::string("\xD0okolaadi\xF5un on h\xE4\xE4.\nTeine rida."));
    CSirelDoc back(nullptr);
    QVERIFY2(back.Open(path, &error), qPrintable(error));
    QCOMPARE(back.Text()->toPlainText(), doc.Text()->toPlainText());
    QCOMPARE(back.Title(), name);
  }

  void odtIsWritten() {
    QTemporaryDir dir;
    CSirelDoc doc(nullptr);
    doc.Text()->setPlainText(QStringLiteral("Tere"));
    QString error;
    QVERIFY(doc.SaveAs(dir.filePath(QStringLiteral("t.odt")), TextFormat::kOdt, &error));
    QVERIFY(ReadBytes(dir.filePath(QStringLiteral("t.odt"))).substr(0, 2) == "PK");
  }

  void failedSaveLosesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.txt"));
    WriteBytes(path, "old contents");
    CSirelDoc doc(nullptr);
    doc.Text()->setPlainText(QStringLiteral("new words typed"));
    doc.SetModified(true);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QString error;
    const bool saved = doc.SaveAs(path, TextFormat::kPlainUtf8, &error);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (saved) QSKIP("the directory stayed writable (running as a privileged user)");
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadBytes(path), std::string("old contents"));
    QVERIFY(doc.IsModified());
    QCOMPARE(doc.Text()->toPlainText(), QStringLiteral("new words typed"));

    // A path in a directory that does not exist fails the same way.
    QVERIFY(!doc.SaveAs(dir.filePath(QStringLiteral("no/such/dir/x.txt")), TextFormat::kPlainUtf8, &error));
    QVERIFY(doc.IsModified());
  }

  void openFailureKeepsDocument() {
    CSirelDoc doc(nullptr);
    doc.Text()->setPlainText(QStringLiteral("keep me"));
    QString error;
    QVERIFY(!doc.Open(QStringLiteral("/nonexistent/file.txt"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(doc.Text()->toPlainText(), QStringLiteral("keep me"));
    QCOMPARE(doc.Title(), QStringLiteral("Untitled"));
  }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
