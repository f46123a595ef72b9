// Reading and writing the editor's document in its file formats.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

class QTextDocument;

namespace vaarikas::sirel {

enum class TextFormat {
  kPlainUtf8,
  kPlainCp1257,  // Windows-1257, the pipeline's own encoding
  kHtml,
  kMarkdown,
  kOdt,  // OpenDocument text: written only
};

// The format a file name suggests (by its extension); plain UTF-8 otherwise.
TextFormat FormatFromName(const QString& path);

// File dialog filters, and the format a chosen filter stands for.
QString OpenFilters();
QStringList SaveFilters();
TextFormat FormatFromFilter(const QString& filter, const QString& path);
QString FilterForFormat(TextFormat format);

// Plain text bytes: UTF-8 when they are valid UTF-8 (a byte-order mark is
// dropped), Windows-1257 otherwise; *format receives which. "\r\n" and lone
// "\r" become "\n".
QString DecodePlainText(const std::string& bytes, TextFormat* format);

// Loads path into doc. *format is the format to read (from the name); for
// plain text it receives the encoding found. On failure doc is unchanged.
bool LoadDocument(QTextDocument* doc, const QString& path, TextFormat* format, QString* error);

// The bytes of doc in a format. For Windows-1257 *unencodable receives how
// many characters have no Windows-1257 form (they become "?").
std::string DocumentBytes(const QTextDocument& doc, TextFormat format, std::size_t* unencodable = nullptr);

// Writes doc through a temporary file that replaces path only when every
// byte is written, so a failed save leaves the old file as it was.
bool SaveDocument(const QTextDocument& doc, const QString& path, TextFormat format, QString* error);

}  // namespace vaarikas::sirel
