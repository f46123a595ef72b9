#include "editor/textio.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include "common/encoding.h"

namespace vaarikas::sirel {

TextFormat FormatFromName(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext == "html" || ext == "htm") return TextFormat::kHtml;
  if (ext == "md" || ext == "markdown") return TextFormat::kMarkdown;
  if (ext == "odt") return TextFormat::kOdt;
  return TextFormat::kPlainUtf8;
}

namespace {
const char* kFilterUtf8 = "Text, UTF-8 (*.txt)";
const char* kFilterCp1257 = "Text, Windows-1257 (*.txt)";
const char* kFilterHtml = "HTML (*.html *.htm)";
const char* kFilterMarkdown = "Markdown (*.md *.markdown)";
const char* kFilterOdt = "OpenDocument Text (*.odt)";
}  // namespace

QString OpenFilters() {
  return QStringLiteral("Documents (*.txt *.nps *.html *.htm *.md *.markdown);;Text (*.txt *.nps);;"
                        "HTML (*.html *.htm);;Markdown (*.md *.markdown);;All files (*)");
}

QStringList SaveFilters() {
  return {kFilterUtf8, kFilterCp1257, kFilterHtml, kFilterMarkdown, kFilterOdt};
}

QString FilterForFormat(TextFormat format) {
  switch (format) {
    case TextFormat::kPlainUtf8: return kFilterUtf8;
    case TextFormat::kPlainCp1257: return kFilterCp1257;
    case TextFormat::kHtml: return kFilterHtml;
    case TextFormat::kMarkdown: return kFilterMarkdown;
    case TextFormat::kOdt: return kFilterOdt;
  }
  return kFilterUtf8;
}

TextFormat FormatFromFilter(const QString& filter, const QString& path) {
  if (filter == kFilterCp1257) return TextFormat::kPlainCp1257;
  if (filter == kFilterHtml) return TextFormat::kHtml;
  if (filter == kFilterMarkdown) return TextFormat::kMarkdown;
  if (filter == kFilterOdt) return TextFormat::kOdt;
  if (filter == kFilterUtf8) return TextFormat::kPlainUtf8;
  return FormatFromName(path);
}

QString DecodePlainText(const std::string& bytes, TextFormat* format) {
  std::string_view in(bytes);
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(in.data(), static_cast<qsizetype>(in.size())));
  if (!utf8.hasError()) {
    if (format) *format = TextFormat::kPlainUtf8;
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  } else {
    if (format) *format = TextFormat::kPlainCp1257;
    text = QString::fromStdString(Cp1257ToUtf8(in));
  }
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

bool LoadDocument(QTextDocument* doc, const QString& path, TextFormat* format, QString* error) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    if (error) *error = f.errorString();
    return false;
  }
  QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError) {
    if (error) *error = f.errorString();
    return false;
  }
  switch (*format) {
    case TextFormat::kHtml: {
      auto enc = QStringConverter::encodingForHtml(data);
      QStringDecoder dec(enc.value_or(QStringConverter::Utf8));
      doc->setHtml(dec.decode(data));
      break;
    }
    case TextFormat::kMarkdown: {
      TextFormat ignored;
      doc->setMarkdown(DecodePlainText(data.toStdString(), &ignored));
      break;
    }
    case TextFormat::kOdt:
      if (error) *error = QStringLiteral("OpenDocument files can be saved but not opened.");
      return false;
    default:
      doc->setPlainText(DecodePlainText(data.toStdString(), format));
      break;
  }
  return true;
}

std::string DocumentBytes(const QTextDocument& doc, TextFormat format, std::size_t* unencodable) {
  if (unencodable) *unencodable = 0;
  switch (format) {
    case TextFormat::kPlainUtf8: return doc.toPlainText().toStdString();
    case TextFormat::kPlainCp1257: return Utf8ToCp1257(doc.toPlainText().toStdString(), unencodable);
    case TextFormat::kHtml: return doc.toHtml().toStdString();
    case TextFormat::kMarkdown: return doc.toMarkdown().toStdString();
    case TextFormat::kOdt: {
      QBuffer buf;
      buf.open(QIODevice::WriteOnly);
      QTextDocumentWriter w(&buf, "odf");
      if (!w.write(&doc)) return std::string();
      return buf.data().toStdString();
    }
  }
  return std::string();
}

bool SaveDocument(const QTextDocument& doc, const QString& path, TextFormat format, QString* error) {
  std::string bytes = DocumentBytes(doc, format);
  if (format == TextFormat::kOdt && bytes.empty()) {
    if (error) *error = QStringLiteral("The document could not be converted to OpenDocument text.");
    return false;
  }
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) {
    if (error) *error = f.errorString();
    return false;
  }
  if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    if (error) *error = f.errorString();
    f.cancelWriting();
    return false;
  }
  if (!f.commit()) {
    if (error) *error = f.errorString();
    return false;
  }
  return true;
}

}  // namespace vaarikas::sirel
